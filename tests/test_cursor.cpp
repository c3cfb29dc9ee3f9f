// The cursor: the verb cycle and the pointer clamps that keep its picture, or the held item, on screen.
#include <gtest/gtest.h>

#include <algorithm>

#include "support.h"
#include "world/cursor.h"

using namespace vz;

namespace {

Surface Picture(int w, int h, uint16_t colour) {
    Surface s(w, h);
    ClearSurface(s, colour);
    return s;
}

}  // namespace

TEST(Cursor, RightClickStepsThroughTheVerbsExceptOverAnExit) {
    Cursor cursor;
    for (int expected : {kTake, kLook, kTalk, kWalk}) {
        NextVerb(cursor);
        EXPECT_EQ(cursor.verb, expected);
        EXPECT_EQ(cursor.shownImage, expected);
    }
    cursor.verb = kTake;
    cursor.shownImage = kArrowLeft;
    NextVerb(cursor);
    EXPECT_EQ(cursor.verb, kTake);
    EXPECT_EQ(cursor.shownImage, kArrowLeft);
}

TEST(Cursor, DrawingClampsThePointer) {
    test::MemoryPlatform files;
    WorldObjects objects;
    InitWorldObjects(objects, files);
    Cursor cursor;
    for (int i = 0; i < 8; ++i) cursor.images[i] = Picture(32, 32, static_cast<uint16_t>(0x100 + i));
    cursor.shownImage = kLook;
    Surface screen(kScreenWidth, kScreenHeight);
    InputState in;

    in.mouseX = 0;
    in.mouseY = 1000;
    DrawCursor(cursor, screen, in, -1, objects);
    EXPECT_EQ(in.mouseX, 17);
    EXPECT_EQ(in.mouseY, 752);
    EXPECT_EQ(screen.At(1, 736), 0x102) << "the hot spot is the picture's centre";
    EXPECT_EQ(screen.At(32, 767), 0x102);
    EXPECT_EQ(screen.At(0, 736), 0);
    in.mouseX = 2000;
    in.mouseY = -5;
    DrawCursor(cursor, screen, in, -1, objects);
    EXPECT_EQ(in.mouseX, 1008);
    EXPECT_EQ(in.mouseY, 17);

    // the chainsaw (80 x 50) is centred on the pointer instead of the verb picture
    objects[kChainsaw].inventoryImage = Picture(80, 50, 0x0ABC);
    ClearSurface(screen, 0);
    in.mouseX = 0;
    in.mouseY = 0;
    DrawCursor(cursor, screen, in, kChainsaw, objects);
    EXPECT_EQ(in.mouseX, 40);
    EXPECT_EQ(in.mouseY, 25);
    EXPECT_EQ(screen.At(0, 0), 0x0ABC);
    EXPECT_EQ(screen.At(79, 49), 0x0ABC);
    EXPECT_EQ(screen.At(80, 25), 0);
    EXPECT_EQ(std::count(screen.pixels.begin(), screen.pixels.end(), uint16_t{0x102}), 0);
    in.mouseX = 2000;
    in.mouseY = 2000;
    DrawCursor(cursor, screen, in, kChainsaw, objects);
    EXPECT_EQ(in.mouseX, 984);
    EXPECT_EQ(in.mouseY, 743);
    EXPECT_EQ(screen.At(1023, 767), 0x0ABC);

    // the liane (20 x 80): the input's x range already suffices, y is held in 40..728
    in.mouseX = kMouseMinX;
    in.mouseY = kMouseMinY;
    DrawCursor(cursor, screen, in, kLiane, objects);
    EXPECT_EQ(in.mouseX, kMouseMinX);
    EXPECT_EQ(in.mouseY, 40);
    in.mouseX = kMouseMaxX;
    in.mouseY = kMouseMaxY;
    DrawCursor(cursor, screen, in, kLiane, objects);
    EXPECT_EQ(in.mouseX, kMouseMaxX);
    EXPECT_EQ(in.mouseY, 728);
}
