// Bitmap text from the two font atlases: '#' breaks lines, unknown bytes draw nothing.
#pragma once

#include <array>

#include "platform/surface.h"

namespace vz {

struct Fonts {
    std::array<Surface, 2> atlas;  // 0 ordinary text, 1 the highlighted dialogue line
};

// Draws text with its first glyph's top-left at (x, y). Font 0 selects atlas 0, any other value atlas 1.
bool DrawBitmapText(int x, int y, bool multiLine, int font, Surface& destination, const char* text,
                    const Fonts& fonts);

// As DrawBitmapText, starting 11 pixels per byte / 2 to the left of x (the whole string counts).
bool DrawBitmapTextCentred(int x, int y, bool multiLine, int font, Surface& destination, const char* text,
                           const Fonts& fonts);

}  // namespace vz
