// The game's drawn texts as plain page text.
#include "platform/shown_text.h"

namespace vz {

std::string PlainText(const std::string& text) {
    std::string plain;
    bool blank = false;
    for (const char c : text) {
        if (c == '#' || c == ' ') {
            blank = !plain.empty();
            continue;
        }
        if (blank) plain += ' ';
        blank = false;
        plain += c;
    }
    return plain;
}

}  // namespace vz
