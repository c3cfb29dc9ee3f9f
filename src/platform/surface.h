// Off-screen pictures in RGB565 and the three ways of copying them: keyed sprite, keyed region, full screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vz {

inline constexpr uint16_t kColorKey = 0xF81F;  // magenta: the one transparent value
inline constexpr int kScreenWidth = 1024;
inline constexpr int kScreenHeight = 768;

struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels;  // row after row, width per row
    // False for a picture whose file was never read: it is simply not seen.
    bool filled = true;

    Surface() = default;
    Surface(int w, int h);

    bool Empty() const { return pixels.empty(); }
    uint16_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void Set(int x, int y, uint16_t v) { pixels[static_cast<size_t>(y) * width + x] = v; }
};

// A surface of the given size waiting for its picture (not yet filled). Sizes below 1 give an
// empty surface.
Surface CreateOffscreenSurface(int width, int height);

// Fills the whole surface with one colour. False for a surface that holds no pixels.
bool ClearSurface(Surface& surface, uint16_t colour);

// Copies a whole picture to (x, y), leaving out key pixels. A rectangle not wholly inside both
// surfaces draws nothing; that is not an error, so the result is always true.
bool DrawSprite(int width, int height, int x, int y, const Surface& source, Surface& destination);

// As DrawSprite, for the rectangle (sx, sy, width, height) of a larger picture.
bool DrawSpriteRegion(int sx, int sy, int width, int height, int dx, int dy, const Surface& source,
                      Surface& destination);

// Copies a 1024 x 768 picture pixel for pixel, key included. A picture that was never filled
// (of any size, an empty one included) leaves black. False when either is not screen-sized or the
// source was never filled.
bool CopyFullScreen(const Surface& source, Surface& destination);

}  // namespace vz
