// The font's character: where each glyph lies in a font atlas and how far the pen moves after it.
#pragma once

#include <cstdint>

namespace vz {

struct Glyph {
    uint8_t byte;
    int left, top, right, bottom;  // rectangle in the 288 x 80 atlas, right and bottom exclusive
    int advance;
};

inline constexpr int kGlyphCount = 75;
extern const Glyph kGlyphTable[kGlyphCount];

inline constexpr int kFontAtlasWidth = 288;
inline constexpr int kFontAtlasHeight = 80;
inline constexpr int kLineHeight = 18;
inline constexpr int kSpaceAdvance = 10;
inline constexpr int kCentringWidth = 11;

// The glyph for a byte, or nullptr for bytes that draw nothing.
const Glyph* FindGlyph(uint8_t byte);

}  // namespace vz
