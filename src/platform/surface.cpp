// Surfaces and blits: nothing clips, so a blit that does not fit is refused whole.
#include "platform/surface.h"

#include <algorithm>
#include <cstring>

namespace vz {

Surface::Surface(int w, int h) {
    if (w > 0 && h > 0) {
        width = w;
        height = h;
        pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    }
}

Surface CreateOffscreenSurface(int width, int height) {
    Surface s(width, height);
    s.filled = false;
    return s;
}

bool ClearSurface(Surface& surface, uint16_t colour) {
    if (surface.Empty()) return false;
    std::fill(surface.pixels.begin(), surface.pixels.end(), colour);
    return true;
}

namespace {

// True when the rectangle lies wholly inside a surface of the given size. Done in 64 bits so
// that huge coordinates cannot overflow into a false "inside".
bool Inside(int64_t left, int64_t top, int64_t w, int64_t h, const Surface& s) {
    return w > 0 && h > 0 && left >= 0 && top >= 0 && left + w <= s.width && top + h <= s.height;
}

// Eight pixels at a time: the key pixels keep what lies below, the others take the picture's.
// Written as a blend rather than a branch per pixel so the compiler turns it into vector code.
using Pixels8 = uint16_t __attribute__((vector_size(16)));

void KeyedRow(const uint16_t* src, uint16_t* dst, int width) {
    int col = 0;
    const Pixels8 key = {kColorKey, kColorKey, kColorKey, kColorKey, kColorKey, kColorKey, kColorKey, kColorKey};
    for (; col + 8 <= width; col += 8) {
        Pixels8 s, d;
        std::memcpy(&s, src + col, sizeof s);
        std::memcpy(&d, dst + col, sizeof d);
        const Pixels8 transparent = reinterpret_cast<Pixels8>(s == key);
        d = (d & transparent) | (s & ~transparent);
        std::memcpy(dst + col, &d, sizeof d);
    }
    for (; col < width; ++col)
        if (src[col] != kColorKey) dst[col] = src[col];
}

}  // namespace

bool DrawSpriteRegion(int sx, int sy, int width, int height, int dx, int dy, const Surface& source,
                      Surface& destination) {
    if (!source.filled) return true;
    if (!Inside(sx, sy, width, height, source) || !Inside(dx, dy, width, height, destination)) return true;
    for (int row = 0; row < height; ++row) {
        KeyedRow(&source.pixels[static_cast<size_t>(sy + row) * source.width + sx],
                 &destination.pixels[static_cast<size_t>(dy + row) * destination.width + dx], width);
    }
    return true;
}

bool DrawSprite(int width, int height, int x, int y, const Surface& source, Surface& destination) {
    return DrawSpriteRegion(0, 0, width, height, x, y, source, destination);
}

bool CopyFullScreen(const Surface& source, Surface& destination) {
    if (destination.width != kScreenWidth || destination.height != kScreenHeight) return false;
    if (!source.filled) {
        std::fill(destination.pixels.begin(), destination.pixels.end(), uint16_t{0});
        return false;
    }
    if (source.width != kScreenWidth || source.height != kScreenHeight) return false;
    std::memcpy(destination.pixels.data(), source.pixels.data(), source.pixels.size() * sizeof(uint16_t));
    return true;
}

}  // namespace vz
