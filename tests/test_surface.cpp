// Surfaces and the three blits: keyed sprite, keyed region, unkeyed full-screen copy.
#include "platform/surface.h"

#include <gtest/gtest.h>

#include <climits>

using namespace vz;

namespace {

constexpr uint16_t kBackground = 0x1234;

Surface Filled(int w, int h, uint16_t colour) {
    Surface s(w, h);
    ClearSurface(s, colour);
    return s;
}

}  // namespace

TEST(Blits, OnlyTheExactKeyValueIsLeftOut) {
    // Row 0: the key itself, then the key with each of its 16 bits flipped in turn.
    Surface sprite(17, 1);
    sprite.Set(0, 0, kColorKey);
    for (int bit = 0; bit < 16; ++bit) sprite.Set(bit + 1, 0, static_cast<uint16_t>(kColorKey ^ (1u << bit)));
    Surface screen = Filled(kScreenWidth, kScreenHeight, kBackground);

    EXPECT_TRUE(DrawSprite(17, 1, 40, 30, sprite, screen));
    EXPECT_EQ(screen.At(40, 30), kBackground);
    for (int x = 1; x < 17; ++x) EXPECT_EQ(screen.At(40 + x, 30), sprite.At(x, 0)) << "column " << x;
    EXPECT_EQ(screen.At(39, 30), kBackground);
    EXPECT_EQ(screen.At(57, 30), kBackground);

    // The same source drawn a second time in the frame behaves the same.
    EXPECT_TRUE(DrawSprite(17, 1, 40, 31, sprite, screen));
    EXPECT_EQ(screen.At(40, 31), kBackground);
    EXPECT_EQ(screen.At(41, 31), sprite.At(1, 0));
}

TEST(Blits, RegionCopiesItsRectangleToThePosition) {
    Surface atlas(6, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) atlas.Set(x, y, static_cast<uint16_t>(100 + 10 * y + x));
    atlas.Set(3, 2, kColorKey);
    Surface screen = Filled(20, 20, kBackground);

    EXPECT_TRUE(DrawSpriteRegion(2, 1, 3, 2, 7, 9, atlas, screen));
    int drawn = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (screen.At(x, y) != kBackground) ++drawn;
    EXPECT_EQ(drawn, 5);  // 3 x 2, less the one key pixel
    EXPECT_EQ(screen.At(7, 9), 112);
    EXPECT_EQ(screen.At(9, 9), 114);
    EXPECT_EQ(screen.At(7, 10), 122);
    EXPECT_EQ(screen.At(8, 10), kBackground);  // atlas (3, 2) is the key
    EXPECT_EQ(screen.At(9, 10), 124);
}

TEST(Blits, ARectangleNotWhollyInsideDrawsNothingAtAll) {
    const Surface sprite = Filled(10, 8, 0x0001);
    Surface screen = Filled(kScreenWidth, kScreenHeight, kBackground);
    const auto untouched = screen.pixels;

    // Destination past each edge by one pixel, or starting at a negative coordinate.
    for (auto [x, y] : {std::pair{1015, 0}, {0, 761}, {-1, 0}, {0, -1}, {-10, -8}, {INT_MAX - 5, 0}, {0, INT_MIN}})
        EXPECT_TRUE(DrawSprite(10, 8, x, y, sprite, screen)) << x << "," << y;
    // Source rectangle reaching out of the picture, or a sprite larger than its picture.
    EXPECT_TRUE(DrawSpriteRegion(1, 0, 10, 8, 0, 0, sprite, screen));
    EXPECT_TRUE(DrawSpriteRegion(-1, 0, 5, 5, 0, 0, sprite, screen));
    EXPECT_TRUE(DrawSpriteRegion(0, 4, 5, 5, 0, 0, sprite, screen));
    EXPECT_TRUE(DrawSprite(11, 8, 100, 100, sprite, screen));
    EXPECT_TRUE(DrawSprite(0, 8, 100, 100, sprite, screen));
    EXPECT_TRUE(screen.pixels == untouched);

    // Flush against the bottom-right corner still fits.
    DrawSprite(10, 8, 1014, 760, sprite, screen);
    EXPECT_EQ(screen.At(1014, 760), 0x0001);
    EXPECT_EQ(screen.At(1023, 767), 0x0001);
    EXPECT_EQ(screen.At(1013, 760), kBackground);
}

TEST(Blits, APictureNeverFilledFromAFileIsNotSeen) {
    const Surface missing = CreateOffscreenSurface(10, 8);
    Surface screen = Filled(kScreenWidth, kScreenHeight, kBackground);
    EXPECT_TRUE(DrawSprite(10, 8, 50, 50, missing, screen));
    EXPECT_TRUE(DrawSpriteRegion(2, 2, 4, 4, 50, 50, missing, screen));
    EXPECT_EQ(screen.At(50, 50), kBackground);
    EXPECT_EQ(screen.At(53, 53), kBackground);

    // A missing background leaves a black screen rather than the previous frame.
    EXPECT_FALSE(CopyFullScreen(CreateOffscreenSurface(kScreenWidth, kScreenHeight), screen));
    EXPECT_EQ(screen.At(0, 0), 0x0000);
    EXPECT_EQ(screen.At(1023, 767), 0x0000);
}

TEST(Blits, FullScreenCopyTakesEveryPixelKeyIncluded) {
    Surface picture = Filled(kScreenWidth, kScreenHeight, 0x07E0);
    picture.Set(0, 0, kColorKey);
    picture.Set(1023, 767, kColorKey);
    picture.Set(500, 400, 0x0000);
    Surface screen = Filled(kScreenWidth, kScreenHeight, kBackground);
    EXPECT_TRUE(CopyFullScreen(picture, screen));
    EXPECT_TRUE(screen.pixels == picture.pixels);

    // Only screen-sized pictures are copied.
    Surface small = Filled(1024, 767, 0x0001);
    EXPECT_FALSE(CopyFullScreen(small, screen));
    EXPECT_FALSE(CopyFullScreen(picture, small));
    EXPECT_EQ(screen.At(1, 0), 0x07E0);
    EXPECT_EQ(small.At(0, 0), 0x0001);
}

TEST(Surfaces, ClearFillsEveryPixelAndRefusesAnEmptySurface) {
    Surface s(3, 2);
    EXPECT_TRUE(ClearSurface(s, 0x00FF));
    for (uint16_t p : s.pixels) EXPECT_EQ(p, 0x00FF);
    Surface none = CreateOffscreenSurface(0, 5);
    EXPECT_FALSE(ClearSurface(none, 0x00FF));
    EXPECT_TRUE(CreateOffscreenSurface(-3, 5).Empty());
}
