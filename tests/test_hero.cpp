// Quarro's walk on the mask: one 5-pixel step a frame, x first, the give-up rule and the click search.
#include <gtest/gtest.h>

#include <cstdlib>

#include "world/hero.h"

using namespace vz;

namespace {

Hero HeroAt(int x, int y) {
    Hero h;
    h.x = h.targetX = x;
    h.y = h.targetY = y;
    return h;
}

Surface Picture(int w, int h, uint16_t colour) {
    Surface s(w, h);
    ClearSurface(s, colour);
    return s;
}

void Block(WalkMask& mask, int row, int col) { mask[static_cast<size_t>(row) * kMaskCells + col] = 1; }

// Walks until he stands; returns the number of frames, bounded.
int WalkOut(Hero& h, const WalkMask& mask) {
    int frames = 0;
    while (!HeroArrived(h) && frames < 500) {
        StepHero(h, mask);
        ++frames;
    }
    return frames;
}

}  // namespace

TEST(HeroWalk, SidewaysFirstThenDownStoppingTenShortWithTheWalkingFrames) {
    WalkMask mask{};
    Hero h = HeroAt(100, 300);
    for (int i = 0; i < 5; ++i) h.rightFrames[i] = Picture(116, 300, static_cast<uint16_t>(0x100 + i));
    for (int i = 0; i < 4; ++i) h.frontFrames[i] = Picture(120, 300, static_cast<uint16_t>(0x200 + i));
    h.targetX = 400;
    h.targetY = 420;
    Surface screen(kScreenWidth, kScreenHeight);
    int right = 0, down = 0;
    for (int frame = 0; frame < 200 && !HeroArrived(h); ++frame) {
        const int x0 = h.x, y0 = h.y;
        ClearSurface(screen, 0);
        StepAndDrawHero(h, mask, screen);
        const uint16_t drawn = screen.At(h.x + 50, h.y + 150);
        if (h.x == x0 + 5 && h.y == y0) {
            EXPECT_EQ(down, 0) << "no sideways step once he walks down";
            EXPECT_EQ(h.facing, kRight);
            EXPECT_EQ(drawn, 0x100 + (right / 4 + 1) % 5) << "sideways step " << right;  // 1,1,1,1,2,2,2,2,3...
            ++right;
        } else if (h.y == y0 + 5 && h.x == x0) {
            EXPECT_EQ(h.facing, kFront);
            EXPECT_EQ(drawn, 0x200 + (down / 4 + 1) % 4) << "downward step " << down;
            ++down;
        } else {
            EXPECT_TRUE(h.x == x0 && h.y == y0) << "one axis at a time, 5 pixels a frame";
        }
    }
    EXPECT_EQ(right, 58);
    EXPECT_EQ(down, 22);
    EXPECT_EQ(h.x, 390);
    EXPECT_EQ(h.y, 410);
    EXPECT_TRUE(HeroArrived(h));
    EXPECT_EQ(h.animFrame, 0);
    // standing now: the front standing picture
    ClearSurface(screen, 0);
    StepAndDrawHero(h, mask, screen);
    EXPECT_EQ(screen.At(h.x + 50, h.y + 150), 0x200);
}

TEST(HeroWalk, ShortDistancesAreAdoptedOrEndEightShort) {
    WalkMask mask{};
    Hero h = HeroAt(100, 300);
    h.targetX = 108;
    h.targetY = 292;
    StepHero(h, mask);
    EXPECT_EQ(h.x, 100);
    EXPECT_EQ(h.y, 300);
    EXPECT_TRUE(HeroArrived(h));

    h.targetX = 123;
    WalkOut(h, mask);
    EXPECT_EQ(h.x, 115);
    EXPECT_EQ(h.targetX, 115);

    h = HeroAt(100, 300);
    h.targetY = 277;  // up: 295, 290, 285
    WalkOut(h, mask);
    EXPECT_EQ(h.y, 285);
    EXPECT_EQ(h.facing, kBack);
}

TEST(HeroWalk, WallToTheRight) {
    // his feet cell at (100, 300) is row 100, column 19; the sideways test looks at column 20
    WalkMask wall{};
    for (int r = 0; r < kMaskCells; ++r) Block(wall, r, 20);

    Hero h = HeroAt(100, 300);
    h.animFrame = 3;
    h.animDelay = 2;
    h.targetX = 300;
    StepHero(h, wall);
    EXPECT_TRUE(HeroArrived(h)) << "nothing to do on either axis: he gives up";
    EXPECT_EQ(h.x, 100);
    EXPECT_EQ(h.animFrame, 0);
    EXPECT_EQ(h.animDelay, 0);

    // target beyond the wall and below: down first, and with no opening he stands facing front
    h.targetX = 300;
    h.targetY = 360;
    WalkOut(h, wall);
    EXPECT_EQ(h.x, 100);
    EXPECT_EQ(h.y, 350);
    EXPECT_EQ(h.facing, kFront);
    EXPECT_TRUE(HeroArrived(h));

    // the wall ends at row 104: he walks down until the row opens, then right, then down again
    WalkMask opening{};
    for (int r = 0; r <= 104; ++r) Block(opening, r, 20);
    h = HeroAt(100, 300);
    h.targetX = 300;
    h.targetY = 360;
    for (int i = 0; i < 200 && !HeroArrived(h); ++i) {
        StepHero(h, opening);
        if (h.x > 100) EXPECT_GE(h.y, 340) << "went right before the row opened";
    }
    EXPECT_EQ(h.x, 290);
    EXPECT_EQ(h.y, 350);
}

TEST(HeroWalk, TestCellsOutsideTheGridCountAsBlocked) {
    // free cells behind the mask would let a step that reads past the grid go through
    struct {
        WalkMask mask{};
        std::array<int32_t, 2 * kMaskCells> beyond{};
    } padded;
    Hero h = HeroAt(450, 465);  // feet row 127
    h.targetY = 600;
    WalkOut(h, padded.mask);
    EXPECT_EQ(h.y, 470);

    h = HeroAt(955, 300);  // the sideways test moves from column 127 to 128
    h.targetX = 1000;
    WalkOut(h, padded.mask);
    EXPECT_EQ(h.x, 960);
}

TEST(HeroClick, ClampsTheTargetToTheScreen) {
    WalkMask mask{};
    Hero h = HeroAt(450, 300);
    SetWalkTargetFromClick(h, 500, 752, mask);
    EXPECT_EQ(h.targetY, 452);
    SetWalkTargetFromClick(h, 500, 200, mask);
    EXPECT_EQ(h.targetY, 1);
    SetWalkTargetFromClick(h, 20, 400, mask);
    EXPECT_EQ(h.targetX, 1);
    SetWalkTargetFromClick(h, 1000, 400, mask);
    EXPECT_EQ(h.targetX, 910);
}

TEST(HeroClick, BlockedClickSearchesLeftRightUpDown) {
    // the click (400, 500) is judged by cell (83, 51)
    Hero h = HeroAt(450, 300);
    WalkMask mask{};
    for (int c = 49; c <= 51; ++c) Block(mask, 83, c);
    SetWalkTargetFromClick(h, 400, 500, mask);
    EXPECT_EQ(h.targetX, 380 - 59) << "20 pixels left wins over 5 pixels below";
    EXPECT_EQ(h.targetY, 200);

    // nothing near: the nearest candidate, the earlier one on equal distance
    auto farMask = [](int lastBlockedRowBelow) {
        WalkMask m{};
        for (int c = 47; c < kMaskCells; ++c) Block(m, 83, c);  // left free 35 away, right never
        for (int r = 0; r <= lastBlockedRowBelow; ++r) Block(m, r, 51);
        return m;
    };
    SetWalkTargetFromClick(h, 400, 500, farMask(88));  // below free 35 away
    EXPECT_EQ(h.targetX, 365 - 59);
    EXPECT_EQ(h.targetY, 200);
    SetWalkTargetFromClick(h, 400, 500, farMask(87));  // below free 30 away
    EXPECT_EQ(h.targetX, 400 - 59);
    EXPECT_EQ(h.targetY, 230);

    WalkMask all;
    all.fill(1);
    SetWalkTargetFromClick(h, 400, 500, all);
    EXPECT_EQ(h.targetX, 450);
    EXPECT_EQ(h.targetY, 300);
    EXPECT_TRUE(HeroArrived(h)) << "nothing free: he stays";
}
