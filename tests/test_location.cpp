// Scenes and their exits: loading, the arrow rectangles, and where an exit puts the hero.
#include <gtest/gtest.h>

#include "support.h"
#include "world/location.h"

using namespace vz;

TEST(Location, LoadsTheSceneAndRefusesIndicesOutsideTheIsland) {
    test::MemoryPlatform files;
    files.files["images/locations/bar_i.sbf"] = test::MaskPicture([](int x, int) { return x < 100; });
    Location loc;
    ASSERT_TRUE(LoadLocation(loc, files, kBarScene));
    EXPECT_EQ(loc.exitCount, 3);
    EXPECT_EQ(loc.personIndex, kKai);
    EXPECT_EQ(loc.objectSlots[2], -1);
    EXPECT_EQ(loc.walkMask[0], 1);
    EXPECT_EQ(loc.walkMask[20], 0);
    const WalkMask barMask = loc.walkMask;
    for (int bad : {-1, kLocationCount, 99}) {
        EXPECT_FALSE(LoadLocation(loc, files, bad));
        EXPECT_EQ(loc.exitCount, 3);
        EXPECT_EQ(loc.personIndex, kKai);
        EXPECT_EQ(loc.objectSlots[1], kSugar);
        EXPECT_EQ(loc.exits[2].targetLocation, kJungleScene);
        EXPECT_TRUE(loc.walkMask == barMask);
    }
    // the ship's mask cannot be read here: the bar's mask stays in force
    ASSERT_TRUE(LoadLocation(loc, files, kShipScene));
    EXPECT_EQ(loc.exitCount, 2);
    EXPECT_EQ(loc.personIndex, -1);
    EXPECT_TRUE(loc.walkMask == barMask);
}

TEST(Location, ExitRectanglesAndArrows) {
    test::MemoryPlatform files;
    Location loc;
    LoadLocation(loc, files, kBarScene);  // three exits, then the ship's two over them
    LoadLocation(loc, files, kShipScene);
    Cursor cursor;
    cursor.verb = cursor.shownImage = kLook;
    Hero hero;
    int index = kShipScene;
    auto shownAt = [&](int x, int y) {
        CheckExits(loc, cursor, hero, x, y, false, index);
        return cursor.shownImage;
    };
    EXPECT_EQ(shownAt(650, 281), kArrowUp);
    EXPECT_EQ(shownAt(739, 379), kArrowUp);
    for (auto [x, y] : {std::pair{649, 300}, {740, 300}, {700, 280}, {700, 380}}) EXPECT_EQ(shownAt(x, y), kLook);
    EXPECT_EQ(shownAt(1000, 600), kArrowRight);
    EXPECT_EQ(shownAt(250, 350), kLook) << "the bar's jungle exit left over in the record";
    EXPECT_EQ(index, kShipScene);
    EXPECT_EQ(hero.x, kHeroStartX);

    LoadLocation(loc, files, kNowhereScene);
    for (int y = kMouseMinY; y <= kMouseMaxY; ++y) ASSERT_EQ(shownAt(kMouseMinX, y), kArrowLeft) << y;
    EXPECT_EQ(shownAt(199, 400), kArrowLeft);
    EXPECT_EQ(shownAt(200, 400), kLook);

    // overlapping rectangles: the last one wins
    Location overlap;
    overlap.exitCount = 2;
    overlap.exits[0] = {kBarScene, 0, 500, 0, 500, kArrowLeft, 100, 200, kLeft};
    overlap.exits[1] = {kPalmScene, 200, 700, 200, 700, kArrowDown, 300, 400, kFront};
    EXPECT_TRUE(CheckExits(overlap, cursor, hero, 300, 300, true, index));
    EXPECT_EQ(cursor.shownImage, kArrowDown);
    EXPECT_EQ(index, kPalmScene);
    EXPECT_EQ(std::pair(hero.x, hero.y), std::pair(300, 400));
}

TEST(Location, ExitClickPutsTheHeroStandingAtTheEntry) {
    test::MemoryPlatform files;
    Location loc;
    LoadLocation(loc, files, kBarScene);
    Cursor cursor;
    Hero hero;
    hero.leftFrames[0] = Surface(116, 300);
    ClearSurface(hero.leftFrames[0], 0x0123);
    hero.targetX = 700;
    hero.animFrame = 2;
    hero.animDelay = 1;
    int index = kBarScene;
    EXPECT_TRUE(CheckExits(loc, cursor, hero, 50, 700, true, index));  // the bar's way to the ship
    EXPECT_EQ(index, kShipScene);
    EXPECT_EQ(std::pair(hero.x, hero.y), std::pair(880, 400));
    EXPECT_TRUE(HeroArrived(hero));
    EXPECT_EQ(hero.facing, kLeft);
    EXPECT_EQ(std::pair(hero.animFrame, hero.animDelay), std::pair(2, 1)) << "animation counters untouched";

    LoadLocation(loc, files, index);
    Surface screen(kScreenWidth, kScreenHeight);
    StepAndDrawHero(hero, loc.walkMask, screen);
    EXPECT_EQ(screen.At(880 + 50, 400 + 150), 0x0123) << "the standing pose facing left";
}
