// The corner note: a dark box sized to its text, in the game's own font.
#include "platform/screen_note.h"

#include <algorithm>

#include "platform/glyphs.h"

namespace vz {

namespace {

constexpr uint16_t kNoteBackground = 0x10A2;  // a dark grey the font reads well on
constexpr int kNoteMargin = 8;

int TextWidth(const std::string& text) {
    int w = 0;
    for (const char c : text) {
        if (const Glyph* g = FindGlyph(static_cast<uint8_t>(c))) w += g->advance;
        else if (c == ' ') w += kSpaceAdvance;
    }
    return w;
}

}  // namespace

void DrawCornerNote(Surface& picture, const Fonts& fonts, const std::string& text) {
    if (picture.Empty()) return;
    const int boxWidth = std::min(picture.width, TextWidth(text) + 2 * kNoteMargin);
    const int boxHeight = kLineHeight + kNoteMargin;
    const int top = std::max(0, picture.height - boxHeight);
    for (int y = top; y < picture.height; ++y)
        for (int x = 0; x < boxWidth; ++x) picture.Set(x, y, kNoteBackground);
    DrawBitmapText(kNoteMargin, top + kNoteMargin / 2, false, 0, picture, text.c_str(), fonts);
}

}  // namespace vz
