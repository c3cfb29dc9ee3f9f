// Frame to screen pixels: colour conversion, nearest-neighbour scaling, the 4:3 fit and scaled pointer motion.
#include "platform/screen_scale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/input.h"

using namespace vz;

namespace {

Surface NoiseFrame() {
    Surface frame(kScreenWidth, kScreenHeight);
    uint32_t seed = 12345;
    for (uint16_t& p : frame.pixels) {
        seed = seed * 1664525u + 1013904223u;
        p = static_cast<uint16_t>(seed >> 16);
    }
    return frame;
}

// The source pixel whose centre is nearest the destination pixel's centre, worked out in floating point.
int Nearest(int d, int destinationSize, int sourceSize) {
    return static_cast<int>((d + 0.5) * sourceSize / destinationSize);
}

uint32_t Place(uint32_t rgb, const PixelLayout& l) {
    return ((rgb >> 16 & 0xFF) << l.redShift) | ((rgb >> 8 & 0xFF) << l.greenShift) | ((rgb & 0xFF) << l.blueShift) |
           l.alphaMask;
}

constexpr uint8_t kUntouched = 0xA5;
constexpr int kSlack = 24;  // bytes past each row that belong to no pixel

// Scales into a fresh buffer with slack at each row's end; counts pixels unlike the reference and
// any slack byte written.
int Mismatches(ScreenScaler& scaler, const Surface& frame, int w, int h, const PixelLayout& layout) {
    const int pitch = w * layout.bytesPerPixel + kSlack;
    std::vector<uint8_t> buffer(static_cast<size_t>(pitch) * h, kUntouched);
    const ScreenScaler::Rows rows = scaler.Scale(frame, buffer.data(), pitch, w, h, layout);
    if (rows.first != 0 || rows.count != h) return -1;
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = buffer.data() + static_cast<size_t>(y) * pitch;
        for (int x = 0; x < w; ++x) {
            const uint16_t source = frame.At(Nearest(x, w, frame.width), Nearest(y, h, frame.height));
            if (layout.bytesPerPixel == 2) {
                uint16_t got;
                std::memcpy(&got, row + 2 * x, 2);
                wrong += got != source;
            } else {
                uint32_t got;
                std::memcpy(&got, row + 4 * x, 4);
                wrong += got != Place(Rgb565To888(source), layout);
            }
        }
        for (int i = w * layout.bytesPerPixel; i < pitch; ++i) wrong += row[i] != kUntouched;
    }
    return wrong;
}

}  // namespace

TEST(ScreenScale, FramesReachTheScreenAsAPixelByPixelReferenceWouldPutThem) {
    // Full intensity stays full and the key colour stays pure magenta.
    EXPECT_EQ(Rgb565To888(0x0000), 0x000000u);
    EXPECT_EQ(Rgb565To888(0xFFFF), 0xFFFFFFu);
    EXPECT_EQ(Rgb565To888(0xF800), 0xFF0000u);
    EXPECT_EQ(Rgb565To888(0x07E0), 0x00FF00u);
    EXPECT_EQ(Rgb565To888(0x001F), 0x0000FFu);
    EXPECT_EQ(Rgb565To888(kColorKey), 0xFF00FFu);
    // Every colour keeps its own bits at the top of each channel.
    for (uint32_t p = 0; p <= 0xFFFF; ++p) {
        const uint32_t c = Rgb565To888(static_cast<uint16_t>(p));
        ASSERT_EQ(((c >> 19 & 0x1F) << 11) | ((c >> 10 & 0x3F) << 5) | (c >> 3 & 0x1F), p);
    }

    const Surface frame = NoiseFrame();
    const PixelLayout xrgb;  // the usual X11 screen
    PixelLayout abgr;
    abgr.redShift = 0;
    abgr.blueShift = 16;
    abgr.alphaMask = 0xFF000000u;
    PixelLayout rgb565;
    rgb565.bytesPerPixel = 2;

    // One scaler through all sizes, as a window being resized sees it: the column map must follow.
    ScreenScaler scaler;
    for (auto [w, h] : {std::pair{1024, 768}, {2048, 1536}, {1440, 1080}, {1280, 960}, {640, 480}, {1024, 768}}) {
        EXPECT_EQ(Mismatches(scaler, frame, w, h, xrgb), 0) << w << "x" << h;
        EXPECT_EQ(Mismatches(scaler, frame, w, h, abgr), 0) << w << "x" << h << " ABGR";
    }
    for (auto [w, h] : {std::pair{1024, 768}, {1280, 960}})
        EXPECT_EQ(Mismatches(scaler, frame, w, h, rgb565), 0) << w << "x" << h << " RGB565";

    // A band of changed rows: exactly the destination rows showing it are written.
    const int w = 1280, h = 960, pitch = w * 4;
    std::vector<uint8_t> buffer(static_cast<size_t>(pitch) * h, kUntouched);
    const ScreenScaler::Rows rows = scaler.Scale(frame, buffer.data(), pitch, w, h, xrgb, 100, 103);
    int expectedFirst = -1, expectedCount = 0;
    for (int y = 0; y < h; ++y) {
        const int sy = Nearest(y, h, frame.height);
        const bool written = buffer[static_cast<size_t>(y) * pitch] != kUntouched ||
                             buffer[static_cast<size_t>(y) * pitch + 1] != kUntouched;
        EXPECT_EQ(written, sy >= 100 && sy <= 103) << "row " << y;
        if (sy >= 100 && sy <= 103) {
            if (expectedFirst < 0) expectedFirst = y;
            ++expectedCount;
        }
    }
    EXPECT_EQ(rows.first, expectedFirst);
    EXPECT_EQ(rows.count, expectedCount);
}

TEST(ScreenScale, ThePictureKeepsItsShapeAndThePointerItsPace) {
    auto same = [](ScreenRect a, ScreenRect b) {
        return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
    };
    EXPECT_TRUE(same(FitPicture(1024, 768, 1024, 768), {0, 0, 1024, 768}));
    EXPECT_TRUE(same(FitPicture(1280, 1024, 1024, 768), {0, 32, 1280, 960}));
    EXPECT_TRUE(same(FitPicture(1920, 1080, 1024, 768), {240, 0, 1440, 1080}));
    for (auto [sw, sh] : {std::pair{1000, 701}, {333, 1000}, {1366, 768}, {1, 1}, {5000, 3}}) {
        const ScreenRect r = FitPicture(sw, sh, 1024, 768);
        // Inside, centred to a pixel, filling one direction, and 4:3 to a pixel.
        EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.width <= sw && r.y + r.height <= sh) << sw << "x" << sh;
        EXPECT_LE(std::abs((sw - r.x - r.width) - r.x), 1) << sw << "x" << sh;
        EXPECT_LE(std::abs((sh - r.y - r.height) - r.y), 1) << sw << "x" << sh;
        EXPECT_TRUE(r.width == sw || r.height == sh) << sw << "x" << sh;
        EXPECT_LE(std::abs(r.width * 3 - r.height * 4), 4) << sw << "x" << sh;
    }

    // At the picture's own size motion passes unchanged.
    MotionScaler exact;
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 1}, {100, 130}, {-37, -5}, {0, 0}}) {
        int gx = 99, gy = 99;
        exact.Add(dx, dy, 1024, 768, gx, gy);
        EXPECT_EQ(gx, dx);
        EXPECT_EQ(gy, dy);
    }

    // Scaled up by 1.25, single-pixel motion still adds up, both ways, and nothing is lost.
    MotionScaler scaled;
    int sumX = 0, sumY = 0;
    for (int i = 0; i < 1000; ++i) {
        int gx = 0, gy = 0;
        scaled.Add(1, -1, 1280, 960, gx, gy);
        EXPECT_TRUE(gx >= 0 && gx <= 1 && gy <= 0 && gy >= -1);
        sumX += gx;
        sumY += gy;
    }
    EXPECT_EQ(sumX, 800);
    EXPECT_EQ(sumY, -800);
    // Back and forth returns to the same place.
    for (int i = 0; i < 7; ++i) {
        int gx = 0, gy = 0;
        scaled.Add(i % 2 ? -13 : 13, 0, 1280, 960, gx, gy);
        sumX += gx;
    }
    int gx = 0, gy = 0;
    scaled.Add(-13, 0, 1280, 960, gx, gy);
    EXPECT_EQ(sumX + gx, 800);
}

TEST(ScreenScale, WholeNumberScalingGivesEveryGamePixelTheSameSize) {
    struct Case {
        int screenWidth, screenHeight;
        ScreenRect expected;
    };
    const Case cases[] = {
        {1024, 768, {0, 0, 1024, 768}},
        {1920, 1080, {448, 156, 1024, 768}},    // fitting would make it 1.41 times: uneven pixels
        {2560, 1600, {256, 32, 2048, 1536}},
        {3840, 2160, {896, 312, 2048, 1536}},   // 2160 rows hold two of 768, not three
        {4096, 3072, {0, 0, 4096, 3072}},
        {800, 600, {0, 0, 800, 600}},            // smaller than the picture: fitted after all
        {1023, 2000, {0, 616, 1023, 767}},
    };
    for (const Case& c : cases) {
        const ScreenRect r = PlacePicture(ScaleMode::Whole, c.screenWidth, c.screenHeight, 1024, 768);
        EXPECT_EQ(std::tuple(r.x, r.y, r.width, r.height),
                  std::tuple(c.expected.x, c.expected.y, c.expected.width, c.expected.height))
            << c.screenWidth << "x" << c.screenHeight;
        const ScreenRect fit = PlacePicture(ScaleMode::Fit, c.screenWidth, c.screenHeight, 1024, 768);
        const ScreenRect plain = FitPicture(c.screenWidth, c.screenHeight, 1024, 768);
        EXPECT_EQ(std::tuple(fit.x, fit.y, fit.width, fit.height), std::tuple(plain.x, plain.y, plain.width, plain.height));
    }

    // On a screen of twice the density, the mouse moves in points: a picture shown twice as large
    // in pixels is 1024 points wide, so one point of motion is one game pixel.
    const ScreenRect doubled = PlacePicture(ScaleMode::Whole, 2880, 1800, 1024, 768);
    const ScreenRect points = InWindowPoints(doubled, 2880, 1800, 1440, 900);
    EXPECT_EQ(std::tuple(points.x, points.y, points.width, points.height), std::tuple(208, 66, 1024, 768));
    MotionScaler motion;
    int gx = 0, gy = 0;
    motion.Add(7, -3, points.width, points.height, gx, gy);
    EXPECT_EQ(std::pair(gx, gy), std::pair(7, -3));
    EXPECT_EQ(InWindowPoints(doubled, 0, 0, 1440, 900).width, 0);
}

TEST(ChangedRows, OnlyTheBandThatDiffersIsDrawnAndAStillFrameNotAtAll) {
    Surface frame(4, 8);
    std::vector<uint16_t> shown = frame.pixels;
    int first = -1, last = -1;
    EXPECT_FALSE(vz::ChangedRows(frame, shown, first, last));
    frame.Set(1, 3, 0x1234);
    frame.Set(3, 5, 0x4321);
    ASSERT_TRUE(vz::ChangedRows(frame, shown, first, last));
    EXPECT_EQ(first, 3);
    EXPECT_EQ(last, 5);
    frame.Set(0, 0, 1);
    frame.Set(0, 7, 1);
    ASSERT_TRUE(vz::ChangedRows(frame, shown, first, last));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 7);
    // Nothing shown yet (or a frame of another size): all of it.
    ASSERT_TRUE(vz::ChangedRows(frame, {}, first, last));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 7);

    // Rows are compared in words of eight bytes: a change in a row's last, shorter piece counts too.
    Surface odd(7, 3);
    const std::vector<uint16_t> was = odd.pixels;
    odd.Set(6, 1, 0x0001);
    ASSERT_TRUE(vz::ChangedRows(odd, was, first, last));
    EXPECT_EQ(std::pair(first, last), std::pair(1, 1));
    odd.Set(6, 1, 0);
    odd.Set(2, 2, 0x8000);
    ASSERT_TRUE(vz::ChangedRows(odd, was, first, last));
    EXPECT_EQ(std::pair(first, last), std::pair(2, 2));
}


namespace {

// Pictures whose every pixel tells its own column, or its own row.
Surface CoordinateFrame(bool columns) {
    Surface frame(kScreenWidth, kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) frame.Set(x, y, static_cast<uint16_t>(columns ? x : y));
    return frame;
}

}  // namespace

// Under every point of every window the pointer maps to the very game pixel shown there: through
// the fitted and the whole-number scaling, bars, a window smaller than the frame, and a
// high-density screen whose surface has twice the window's points.
TEST(PointerMapping, EveryPointOfTheWindowGivesTheGamePixelShownUnderIt) {
    const Surface columns = CoordinateFrame(true), rows = CoordinateFrame(false);
    PixelLayout raw565;
    raw565.bytesPerPixel = 2;
    struct Case {
        ScaleMode mode;
        int windowW, windowH, density;
    } cases[] = {
        {ScaleMode::Fit, 1024, 768, 1},  {ScaleMode::Fit, 1280, 1024, 1}, {ScaleMode::Fit, 1920, 1080, 1},
        {ScaleMode::Fit, 640, 480, 1},   {ScaleMode::Fit, 777, 901, 1},   {ScaleMode::Whole, 2100, 1600, 1},
        {ScaleMode::Whole, 1366, 768, 1}, {ScaleMode::Fit, 900, 700, 2},  {ScaleMode::Whole, 1100, 800, 2},
    };
    for (const Case& c : cases) {
        const int sw = c.windowW * c.density, sh = c.windowH * c.density;
        const ScreenRect placed = PlacePicture(c.mode, sw, sh, kScreenWidth, kScreenHeight);
        std::vector<uint16_t> shownX(static_cast<size_t>(placed.width) * placed.height);
        std::vector<uint16_t> shownY(shownX.size());
        ScreenScaler sx, sy;
        sx.Scale(columns, shownX.data(), placed.width * 2, placed.width, placed.height, raw565);
        sy.Scale(rows, shownY.data(), placed.width * 2, placed.width, placed.height, raw565);
        int wrong = 0, inside = 0;
        for (int py = 0; py < c.windowH; py += 3) {
            for (int px = 0; px < c.windowW; px += 3) {
                int gx = 0, gy = 0;
                GamePixelAt(px, py, placed, sw, sh, c.windowW, c.windowH, gx, gy);
                const int ix = px * c.density - placed.x, iy = py * c.density - placed.y;
                if (ix < 0 || iy < 0 || ix >= placed.width || iy >= placed.height) {
                    // Beside the picture: beyond the frame's edge on that side, for the input to clamp.
                    if ((ix < 0 && gx >= 0) || (iy < 0 && gy >= 0) || (ix >= placed.width && gx < kScreenWidth) ||
                        (iy >= placed.height && gy < kScreenHeight))
                        ++wrong;
                    continue;
                }
                ++inside;
                const size_t at = static_cast<size_t>(iy) * placed.width + ix;
                wrong += gx != shownX[at] || gy != shownY[at];
            }
        }
        EXPECT_EQ(wrong, 0) << c.windowW << "x" << c.windowH << " density " << c.density;
        EXPECT_GT(inside, 1000);
    }
}

TEST(PointerMapping, TheEdgesOfThePictureAreTheFramesEdgesAndBeyondStopsThere) {
    // A 1280 x 1024 window: the picture 1280 x 960 with bars of 32 above and below.
    const ScreenRect placed = PlacePicture(ScaleMode::Fit, 1280, 1024, kScreenWidth, kScreenHeight);
    ASSERT_EQ(placed.y, 32);
    auto at = [&](double x, double y) {
        int gx = 0, gy = 0;
        GamePixelAt(x, y, placed, 1280, 1024, 1280, 1024, gx, gy);
        InputState in{400, 300};
        RawInput r;
        r.placed = true;
        r.x = gx;
        r.y = gy;
        PollInput(in, r);
        return std::tuple(gx, gy, in.mouseX, in.mouseY);
    };
    EXPECT_EQ(at(0, 32), std::tuple(0, 0, kMouseMinX, kMouseMinY));
    EXPECT_EQ(at(1279, 991), std::tuple(1023, 767, kMouseMaxX, kMouseMaxY));
    EXPECT_EQ(std::get<1>(at(640, 31)), -1);  // the bar above: one row above the frame
    EXPECT_EQ(std::get<3>(at(640, -400)), kMouseMinY);  // far above the window
    EXPECT_EQ(std::get<2>(at(5000, 500)), kMouseMaxX);
    // The band that opens the inventory (y 17..19) is reachable inside the picture, not only beyond it.
    EXPECT_EQ(std::get<3>(at(640, 32 + 24)), 19);
    EXPECT_EQ(std::get<3>(at(640, 32 + 25)), 20);
}
