// The frame's texts as the page receives them: one JSON array, its strings still Windows-1252 bytes.
#pragma once

#include <string>

#include "platform/shown_text.h"

namespace vz {

// [{"kind":"answer","text":"...","x":-1,"y":-1}, ...], each text in one line (PlainText). Bytes of
// 128 and above are left as they are: the page decodes the whole as Windows-1252 before it parses it.
std::string TextsJson(const ShownTexts& texts);

}  // namespace vz
