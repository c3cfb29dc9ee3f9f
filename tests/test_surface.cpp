// Surfaces and the three blits: keyed sprite, keyed region, unkeyed full-screen copy.
#include "platform/surface.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

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
    // The key itself, then the key with each of its 16 bits flipped in turn.
    Surface sprite(17, 1);
    sprite.Set(0, 0, kColorKey);
    for (int bit = 0; bit < 16; ++bit) sprite.Set(bit + 1, 0, static_cast<uint16_t>(kColorKey ^ (1u << bit)));
    Surface screen = Filled(kScreenWidth, kScreenHeight, kBackground);
    for (int y : {30, 31}) {  // the same source twice in a frame
        EXPECT_TRUE(DrawSprite(17, 1, 40, y, sprite, screen));
        EXPECT_EQ(screen.At(40, y), kBackground);
        for (int x = 1; x < 17; ++x) EXPECT_EQ(screen.At(40 + x, y), sprite.At(x, 0)) << "column " << x;
    }
    EXPECT_EQ(screen.At(57, 30), kBackground);

    // A region: its rectangle of the atlas goes to the position, key pixels left out, nothing else drawn.
    Surface atlas(6, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) atlas.Set(x, y, static_cast<uint16_t>(100 + 10 * y + x));
    atlas.Set(3, 2, kColorKey);
    Surface small = Filled(20, 20, kBackground);
    EXPECT_TRUE(DrawSpriteRegion(2, 1, 3, 2, 7, 9, atlas, small));
    int drawn = 0;
    for (uint16_t p : small.pixels) drawn += p != kBackground;
    EXPECT_EQ(drawn, 5);
    EXPECT_EQ(small.At(7, 9), 112);
    EXPECT_EQ(small.At(9, 10), 124);
    EXPECT_EQ(small.At(8, 10), kBackground);
}

TEST(Blits, EveryWidthAndOffsetAgreesWithAPixelByPixelCopy) {
    // Blits work eight pixels at a time with the rest one by one: widths around the multiples of
    // eight, odd source and target columns, and key pixels in runs and alone.
    std::mt19937 random(7);
    Surface atlas(64, 9);
    for (uint16_t& p : atlas.pixels) p = random() % 3 == 0 ? kColorKey : static_cast<uint16_t>(random());
    for (int x = 20; x < 40; ++x) atlas.Set(x, 4, kColorKey);
    for (int width = 1; width <= 33; ++width) {
        for (int sx : {0, 3, 64 - width}) {
            const int dx = 5 + width % 7;
            Surface got = Filled(80, 12, kBackground);
            DrawSpriteRegion(sx, 1, width, 8, dx, 2, atlas, got);
            Surface want = Filled(80, 12, kBackground);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < width; ++x)
                    if (atlas.At(sx + x, 1 + y) != kColorKey) want.Set(dx + x, 2 + y, atlas.At(sx + x, 1 + y));
            ASSERT_EQ(got.pixels, want.pixels) << "width " << width << ", from column " << sx;
        }
    }
}

TEST(Blits, ARectangleNotWhollyInsideDrawsNothingAtAll) {
    const Surface sprite = Filled(10, 8, 0x0001);
    Surface screen = Filled(kScreenWidth, kScreenHeight, kBackground);
    const auto untouched = screen.pixels;
    for (auto [x, y] : {std::pair{1015, 0}, {0, 761}, {-1, 0}, {0, -1}, {-10, -8}, {INT_MAX - 5, 0}, {0, INT_MIN}})
        EXPECT_TRUE(DrawSprite(10, 8, x, y, sprite, screen)) << x << "," << y;
    // Source rectangles reaching out of the picture.
    EXPECT_TRUE(DrawSpriteRegion(1, 0, 10, 8, 0, 0, sprite, screen));
    EXPECT_TRUE(DrawSpriteRegion(-1, 0, 5, 5, 0, 0, sprite, screen));
    EXPECT_TRUE(DrawSprite(10, 9, 100, 100, sprite, screen));
    EXPECT_TRUE(screen.pixels == untouched);

    DrawSprite(10, 8, 1014, 760, sprite, screen);  // flush against the corner still fits
    EXPECT_EQ(screen.At(1014, 760), 0x0001);
    EXPECT_EQ(screen.At(1023, 767), 0x0001);
}

TEST(Blits, FullScreenCopyAndPicturesNeverFilled) {
    Surface picture = Filled(kScreenWidth, kScreenHeight, 0x07E0);
    picture.Set(0, 0, kColorKey);
    picture.Set(1023, 767, kColorKey);
    Surface screen = Filled(kScreenWidth, kScreenHeight, kBackground);
    EXPECT_TRUE(CopyFullScreen(picture, screen));
    EXPECT_TRUE(screen.pixels == picture.pixels);  // the key is copied like any colour
    Surface small = Filled(1024, 767, 0x0001);
    EXPECT_FALSE(CopyFullScreen(small, screen));
    EXPECT_FALSE(CopyFullScreen(picture, small));
    EXPECT_EQ(screen.At(1, 0), 0x07E0);
    EXPECT_EQ(small.At(0, 0), 0x0001);

    // A picture whose file was never read is not seen; a missing background leaves black, not the last frame.
    const Surface missing = CreateOffscreenSurface(10, 8);
    EXPECT_TRUE(DrawSprite(10, 8, 50, 50, missing, screen));
    EXPECT_TRUE(DrawSpriteRegion(2, 2, 4, 4, 50, 50, missing, screen));
    EXPECT_EQ(screen.At(53, 53), 0x07E0);
    EXPECT_FALSE(CopyFullScreen(CreateOffscreenSurface(kScreenWidth, kScreenHeight), screen));
    EXPECT_EQ(screen.At(1023, 767), 0x0000);
    // So does a picture that needed no memory because its file could not be read.
    screen.Set(5, 5, 0x07E0);
    Surface unread;
    unread.filled = false;
    EXPECT_FALSE(CopyFullScreen(unread, screen));
    EXPECT_EQ(screen.At(5, 5), 0x0000);
}
