// Puts a finished RGB565 frame into a screen's own pixels: converted, scaled nearest-neighbour, 4:3 kept.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/surface.h"

namespace vz {

// How a screen stores a pixel. Four bytes: 8 bits per channel at the given shifts, with alphaMask
// set so the picture is opaque. Two bytes: RGB565, the frame's own format.
struct PixelLayout {
    int bytesPerPixel = 4;
    int redShift = 16;
    int greenShift = 8;
    int blueShift = 0;
    uint32_t alphaMask = 0;
};

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A 565 colour as 0xRRGGBB, each channel's top bits repeated below so full intensity stays full.
inline uint32_t Rgb565To888(uint16_t p) {
    const uint32_t r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
    return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

// The largest rectangle of the picture's shape centred on a screen; the rest is left as bars.
ScreenRect FitPicture(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight);

// The band of rows [first, last] in which a frame differs from the one shown before it (whose
// pixels are `shown`); the whole frame when `shown` is of another size. False when nothing
// differs, so a still screen costs one comparison a frame.
bool ChangedRows(const Surface& frame, const std::vector<uint16_t>& shown, int& first, int& last);

// How the picture fills the screen: as large as fits, or a whole-number multiple of its size so
// every game pixel is the same size on screen (black around).
enum class ScaleMode { Fit, Whole };

// The picture's place for a scale mode. Whole falls back to Fit on a screen smaller than the
// picture, which no whole number would show.
ScreenRect PlacePicture(ScaleMode mode, int screenWidth, int screenHeight, int pictureWidth, int pictureHeight);

// A rectangle measured in the pixels of a surface of surfaceWidth x surfaceHeight, measured instead
// in the window's points (windowWidth x windowHeight) that the mouse moves in. On a high-density
// screen a point is more than one pixel.
ScreenRect InWindowPoints(const ScreenRect& r, int surfaceWidth, int surfaceHeight, int windowWidth,
                          int windowHeight);

// The game pixel shown at a point of a window, for a pointer that is where the system shows it:
// (x, y) in the window's points (windowWidth x windowHeight), the picture placed at `placed` in the
// pixels of a surface of surfaceWidth x surfaceHeight. It is the very pixel ScreenScaler shows
// there. A point beside the picture gives a pixel beyond the frame's edge (below 0 or past its
// size), for the input to stop at the edge.
void GamePixelAt(double x, double y, const ScreenRect& placed, int surfaceWidth, int surfaceHeight, int windowWidth,
                 int windowHeight, int& gameX, int& gameY);

// Scales frames to one destination size after another; the column map is kept between frames and
// rebuilt only when a size changes.
class ScreenScaler {
public:
    // The destination rows written by one call (count 0 when nothing was written).
    struct Rows {
        int first = 0;
        int count = 0;
    };

    // Writes the frame scaled to width x height at pixels, pitchBytes apart row from row. Only the
    // destination rows showing source rows firstRow..lastRow are written, so a frame that changed
    // in a band costs only that band.
    Rows Scale(const Surface& frame, void* pixels, int pitchBytes, int width, int height, const PixelLayout& layout,
               int firstRow = 0, int lastRow = 1 << 30);

private:
    void Prepare(const Surface& frame, int width, int height);

    std::vector<int> columns_;    // source column of every destination column
    std::vector<uint32_t> row_;   // one source row, converted
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    int width_ = 0;
    int height_ = 0;
};

// Turns pointer motion measured on the screen into game pixels for a picture shown at a given
// size. What is left over below one game pixel is carried to the next motion, so slow movement on
// a large screen still adds up.
class MotionScaler {
public:
    void Add(int dx, int dy, int shownWidth, int shownHeight, int& gameDx, int& gameDy);
    void Reset() { restX_ = restY_ = 0; }

private:
    int64_t restX_ = 0;  // in game pixels times the shown size
    int64_t restY_ = 0;
    int shownWidth_ = 0;
    int shownHeight_ = 0;
};

}  // namespace vz
