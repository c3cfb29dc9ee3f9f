// The text renderer: one keyed region blit per glyph, no clipping, no wrapping.
#include "platform/text.h"

#include <algorithm>
#include <cstring>

#include "platform/glyphs.h"

namespace vz {

bool DrawBitmapText(int x, int y, bool multiLine, int font, Surface& destination, const char* text,
                    const Fonts& fonts) {
    const Surface& atlas = fonts.atlas[font == 0 ? 0 : 1];
    int penX = x;
    int penY = y;
    for (const char* p = text; *p != '\0'; ++p) {
        const uint8_t byte = static_cast<uint8_t>(*p);
        if (const Glyph* g = FindGlyph(byte)) {
            DrawSpriteRegion(g->left, g->top, g->right - g->left, g->bottom - g->top, penX, penY, atlas,
                             destination);
            penX += g->advance;
        } else if (byte == ' ') {
            penX += kSpaceAdvance;
        } else if (byte == '#') {
            if (multiLine) {
                penX = x;
                penY += kLineHeight;
            } else {
                penX += kSpaceAdvance;
            }
        }
    }
    return true;
}

bool DrawBitmapTextCentred(int x, int y, bool multiLine, int font, Surface& destination, const char* text,
                           const Fonts& fonts) {
    const int n = static_cast<int>(std::strlen(text));
    return DrawBitmapText(x - (n * kCentringWidth) / 2, y, multiLine, font, destination, text, fonts);
}

int BitmapTextWidth(bool multiLine, const char* text) {
    int penX = 0, width = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        const uint8_t byte = static_cast<uint8_t>(*p);
        if (const Glyph* g = FindGlyph(byte)) {
            width = std::max(width, penX + (g->right - g->left));
            penX += g->advance;
        } else if (byte == ' ') {
            penX += kSpaceAdvance;
        } else if (byte == '#') {
            penX = multiLine ? 0 : penX + kSpaceAdvance;
        }
    }
    return width;
}

int TextLeftInsideScreen(int x, bool multiLine, const char* text) {
    constexpr int kEdgeGap = 4;  // a moved text does not touch the edge
    const int width = BitmapTextWidth(multiLine, text);
    if (x + width <= kScreenWidth) return x;
    return std::max(0, kScreenWidth - kEdgeGap - width);
}

}  // namespace vz
