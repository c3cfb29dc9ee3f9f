// Frame to screen pixels: each source row converted once, columns through a kept map, repeated rows copied.
#include "platform/screen_scale.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vz {

namespace {

// Nearest neighbour sampled at the destination pixel's centre, so the repeated (or dropped)
// pixels are spread evenly rather than bunched at one edge.
int SourceIndex(int destination, int destinationSize, int sourceSize) {
    return static_cast<int>((2 * static_cast<int64_t>(destination) + 1) * sourceSize /
                            (2 * static_cast<int64_t>(destinationSize)));
}

// As SourceIndex for any destination, also one left of or past the picture (rounding down).
int SourceIndexBeyond(int64_t destination, int destinationSize, int sourceSize) {
    const int64_t n = (2 * destination + 1) * sourceSize, d = 2 * static_cast<int64_t>(destinationSize);
    const int64_t index = n >= 0 ? n / d : -((-n + d - 1) / d);
    return static_cast<int>(std::clamp<int64_t>(index, -(1 << 24), 1 << 24));
}

// The surface pixel under a window point along one axis.
int64_t PixelOfPoint(double point, int surfaceSize, int windowSize) {
    if (windowSize <= 0 || !std::isfinite(point)) return 0;
    const double pixel = std::floor(point * surfaceSize / windowSize);
    return static_cast<int64_t>(std::clamp(pixel, -1e9, 1e9));
}

void ConvertRow(const uint16_t* source, uint32_t* out, int count, const PixelLayout& layout) {
    const int rs = layout.redShift, gs = layout.greenShift, bs = layout.blueShift;
    const uint32_t alpha = layout.alphaMask;
    for (int x = 0; x < count; ++x) {
        const uint32_t p = source[x];
        const uint32_t r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
        out[x] = ((r << 3 | r >> 2) << rs) | ((g << 2 | g >> 4) << gs) | ((b << 3 | b >> 2) << bs) | alpha;
    }
}

}  // namespace

ScreenRect FitPicture(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight) {
    if (screenWidth <= 0 || screenHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return {};
    int64_t w = screenWidth;
    int64_t h = w * pictureHeight / pictureWidth;
    if (h > screenHeight) {
        h = screenHeight;
        w = h * pictureWidth / pictureHeight;
    }
    return {static_cast<int>((screenWidth - w) / 2), static_cast<int>((screenHeight - h) / 2), static_cast<int>(w),
            static_cast<int>(h)};
}

ScreenRect PlacePicture(ScaleMode mode, int screenWidth, int screenHeight, int pictureWidth, int pictureHeight) {
    if (mode == ScaleMode::Fit || pictureWidth <= 0 || pictureHeight <= 0)
        return FitPicture(screenWidth, screenHeight, pictureWidth, pictureHeight);
    const int times = std::min(screenWidth / pictureWidth, screenHeight / pictureHeight);
    if (times < 1) return FitPicture(screenWidth, screenHeight, pictureWidth, pictureHeight);
    const int w = pictureWidth * times, h = pictureHeight * times;
    return {(screenWidth - w) / 2, (screenHeight - h) / 2, w, h};
}

void GamePixelAt(double x, double y, const ScreenRect& placed, int surfaceWidth, int surfaceHeight, int windowWidth,
                 int windowHeight, int& gameX, int& gameY) {
    if (placed.width <= 0 || placed.height <= 0) {
        gameX = gameY = 0;
        return;
    }
    gameX = SourceIndexBeyond(PixelOfPoint(x, surfaceWidth, windowWidth) - placed.x, placed.width, kScreenWidth);
    gameY = SourceIndexBeyond(PixelOfPoint(y, surfaceHeight, windowHeight) - placed.y, placed.height, kScreenHeight);
}

ScreenRect InWindowPoints(const ScreenRect& r, int surfaceWidth, int surfaceHeight, int windowWidth,
                          int windowHeight) {
    if (surfaceWidth <= 0 || surfaceHeight <= 0) return {};
    auto x = [&](int v) { return static_cast<int>(static_cast<int64_t>(v) * windowWidth / surfaceWidth); };
    auto y = [&](int v) { return static_cast<int>(static_cast<int64_t>(v) * windowHeight / surfaceHeight); };
    return {x(r.x), y(r.y), x(r.width), y(r.height)};
}

void ScreenScaler::Prepare(const Surface& frame, int width, int height) {
    if (frame.width == frameWidth_ && frame.height == frameHeight_ && width == width_ && height == height_) return;
    frameWidth_ = frame.width;
    frameHeight_ = frame.height;
    width_ = width;
    height_ = height;
    columns_.resize(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x) columns_[x] = SourceIndex(x, width, frame.width);
    row_.resize(static_cast<size_t>(frame.width));
}

ScreenScaler::Rows ScreenScaler::Scale(const Surface& frame, void* pixels, int pitchBytes, int width, int height,
                                       const PixelLayout& layout, int firstRow, int lastRow) {
    const int bpp = layout.bytesPerPixel;
    if (frame.Empty() || !pixels || width <= 0 || height <= 0 || (bpp != 2 && bpp != 4)) return {};
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, frame.height - 1);
    if (firstRow > lastRow) return {};
    Prepare(frame, width, height);

    auto* base = static_cast<uint8_t*>(pixels);
    const size_t rowBytes = static_cast<size_t>(width) * bpp;
    const bool sameWidth = width == frame.width;
    Rows rows;
    int held = -1;  // the source row the previous destination row shows
    const uint8_t* previous = nullptr;
    for (int y = 0; y < height; ++y) {
        const int sy = SourceIndex(y, height, frame.height);
        if (sy < firstRow) continue;
        if (sy > lastRow) break;
        uint8_t* out = base + static_cast<ptrdiff_t>(y) * pitchBytes;
        if (sy == held) {
            std::memcpy(out, previous, rowBytes);
        } else {
            const uint16_t* source = frame.pixels.data() + static_cast<size_t>(sy) * frame.width;
            if (bpp == 2) {
                auto* out16 = reinterpret_cast<uint16_t*>(out);
                if (sameWidth) {
                    std::memcpy(out16, source, rowBytes);
                } else {
                    for (int x = 0; x < width; ++x) out16[x] = source[columns_[x]];
                }
            } else {
                auto* out32 = reinterpret_cast<uint32_t*>(out);
                if (sameWidth) {
                    ConvertRow(source, out32, width, layout);
                } else {
                    ConvertRow(source, row_.data(), frame.width, layout);
                    const uint32_t* row = row_.data();
                    const int* columns = columns_.data();
                    for (int x = 0; x < width; ++x) out32[x] = row[columns[x]];
                }
            }
            held = sy;
        }
        previous = out;
        if (rows.count == 0) rows.first = y;
        ++rows.count;
    }
    return rows;
}

void MotionScaler::Add(int dx, int dy, int shownWidth, int shownHeight, int& gameDx, int& gameDy) {
    if (shownWidth <= 0 || shownHeight <= 0) {
        gameDx = dx;
        gameDy = dy;
        return;
    }
    // A remainder measured against another size means nothing any more.
    if (shownWidth != shownWidth_ || shownHeight != shownHeight_) {
        Reset();
        shownWidth_ = shownWidth;
        shownHeight_ = shownHeight;
    }
    restX_ += static_cast<int64_t>(dx) * kScreenWidth;
    restY_ += static_cast<int64_t>(dy) * kScreenHeight;
    const int64_t x = restX_ / shownWidth, y = restY_ / shownHeight;
    restX_ -= x * shownWidth;
    restY_ -= y * shownHeight;
    gameDx = static_cast<int>(x);
    gameDy = static_cast<int>(y);
}

bool ChangedRows(const Surface& frame, const std::vector<uint16_t>& shown, int& first, int& last) {
    first = 0;
    last = frame.height - 1;
    if (shown.size() != frame.pixels.size()) return frame.height > 0;
    const size_t rowBytes = static_cast<size_t>(frame.width) * sizeof(uint16_t);
    // Eight bytes at a time with no early way out, which the compiler turns into vector code: the
    // page's WebAssembly has only a byte-by-byte memcmp, and a still screen is compared every frame.
    auto differs = [&](int y) {
        const size_t at = static_cast<size_t>(y) * frame.width;
        const auto* a = reinterpret_cast<const unsigned char*>(&frame.pixels[at]);
        const auto* b = reinterpret_cast<const unsigned char*>(&shown[at]);
        uint64_t diff = 0;
        size_t i = 0;
        for (; i + 8 <= rowBytes; i += 8) {
            uint64_t x, z;
            std::memcpy(&x, a + i, 8);
            std::memcpy(&z, b + i, 8);
            diff |= x ^ z;
        }
        return diff != 0 || std::memcmp(a + i, b + i, rowBytes - i) != 0;
    };
    while (first <= last && !differs(first)) ++first;
    if (first > last) return false;
    while (!differs(last)) --last;
    return true;
}

}  // namespace vz
