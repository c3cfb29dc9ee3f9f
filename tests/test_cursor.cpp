// The cursor: the verb cycle and the pointer clamps that keep its picture, or the held item, on screen.
#include <gtest/gtest.h>

#include <algorithm>

#include "support.h"
#include "world/cursor.h"

using namespace vz;

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
    cursor.images[kLook] = Surface(32, 32);
    ClearSurface(cursor.images[kLook], 0x0102);
    cursor.shownImage = kLook;
    Surface screen(kScreenWidth, kScreenHeight);
    InputState in;
    // draws, then gives back the clamped pointer
    auto draw = [&](int x, int y, int held) {
        in.mouseX = x;
        in.mouseY = y;
        DrawCursor(cursor, screen, in, held, objects);
        return std::pair{in.mouseX, in.mouseY};
    };
    EXPECT_EQ(draw(0, 1000, -1), std::pair(17, 752));
    EXPECT_EQ(screen.At(1, 736), 0x0102) << "the hot spot is the picture's centre";
    EXPECT_EQ(screen.At(32, 767), 0x0102);
    EXPECT_EQ(screen.At(0, 736), 0);
    EXPECT_EQ(draw(2000, -5, -1), std::pair(1008, 17));

    // the chainsaw (80 x 50) is centred on the pointer instead of the verb picture
    objects[kChainsaw].inventoryImage = Surface(80, 50);
    ClearSurface(objects[kChainsaw].inventoryImage, 0x0ABC);
    ClearSurface(screen, 0);
    EXPECT_EQ(draw(0, 0, kChainsaw), std::pair(40, 25));
    EXPECT_EQ(screen.At(0, 0), 0x0ABC);
    EXPECT_EQ(screen.At(79, 49), 0x0ABC);
    EXPECT_EQ(screen.At(80, 25), 0);
    EXPECT_EQ(std::count(screen.pixels.begin(), screen.pixels.end(), uint16_t{0x0102}), 0);
    EXPECT_EQ(draw(2000, 2000, kChainsaw), std::pair(984, 743));
    EXPECT_EQ(screen.At(1023, 767), 0x0ABC);

    // the liane (20 x 80): the input's x range already suffices, y is held in 40..728
    EXPECT_EQ(draw(kMouseMinX, kMouseMinY, kLiane), std::pair(kMouseMinX, 40));
    EXPECT_EQ(draw(kMouseMaxX, kMouseMaxY, kLiane), std::pair(kMouseMaxX, 728));
}
