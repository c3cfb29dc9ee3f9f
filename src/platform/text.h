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

// How far the text reaches right of where it starts: the right edge of the last glyph of its widest line.
int BitmapTextWidth(bool multiLine, const char* text);

// Where a text meant to start at x starts so that the player can read it to its end: x itself when it
// ends inside the screen, else far enough left to end a few pixels inside the right edge (not left of 0).
int TextLeftInsideScreen(int x, bool multiLine, const char* text);

}  // namespace vz
