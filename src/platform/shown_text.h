// The texts a frame shows, named for a page that repeats them as text of its own (captions, a screen reader).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vz {

enum class TextKind : uint8_t {
    Label,    // a name under the pointer, or every name while the hotspot key is held
    Answer,   // a response to a verb, an item used, a find, a person's reaction
    Line,     // a line of a conversation, or the choice the hero has just said
    Choice,   // a line of the conversation's menu, which a click chooses
    Credits,  // the closing words
};

struct ShownText {
    std::string text;  // Windows-1252, as the game draws it; '#' breaks a line
    TextKind kind = TextKind::Label;
    // A choice: the game pixel where a click chooses it, the same as a click on its line.
    int clickX = -1;
    int clickY = -1;

    bool operator==(const ShownText&) const = default;
};

using ShownTexts = std::vector<ShownText>;

// The text as a page writes it in one line: each '#' and each run of blanks becomes one blank,
// with none at either end.
std::string PlainText(const std::string& text);

}  // namespace vz
