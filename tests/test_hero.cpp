// Quarro's walk on the mask: one 5-pixel step a frame, x first, the give-up rule and the click search.
#include <gtest/gtest.h>

#include "world/hero.h"

using namespace vz;

namespace {

Hero HeroAt(int x, int y, int targetX, int targetY) {
    Hero h;
    h.x = x;
    h.y = y;
    h.targetX = targetX;
    h.targetY = targetY;
    return h;
}

void Block(WalkMask& mask, int row, int col) { mask[static_cast<size_t>(row) * kMaskCells + col] = 1; }

// Walks until he stands (bounded) and gives back where he ended.
std::pair<int, int> WalkOut(Hero& h, const WalkMask& mask) {
    for (int frame = 0; frame < 500 && !HeroArrived(h); ++frame) StepHero(h, mask);
    EXPECT_TRUE(HeroArrived(h));
    return {h.x, h.y};
}

}  // namespace

TEST(HeroWalk, SidewaysFirstThenDownStoppingTenShortWithTheWalkingFrames) {
    WalkMask mask{};
    Hero h = HeroAt(100, 300, 400, 420);
    for (int i = 0; i < 5; ++i) {
        h.rightFrames[i] = Surface(116, 300);
        ClearSurface(h.rightFrames[i], static_cast<uint16_t>(0x100 + i));
        if (i < 4) h.frontFrames[i] = Surface(120, 300);
        if (i < 4) ClearSurface(h.frontFrames[i], static_cast<uint16_t>(0x200 + i));
    }
    Surface screen(kScreenWidth, kScreenHeight);
    int right = 0, down = 0;
    for (int frame = 0; frame < 200 && !HeroArrived(h); ++frame) {
        const int x0 = h.x, y0 = h.y;
        StepAndDrawHero(h, mask, screen);
        const uint16_t drawn = screen.At(h.x + 50, h.y + 150);
        if (h.x == x0 + 5 && h.y == y0) {
            EXPECT_EQ(down, 0) << "no sideways step once he walks down";
            EXPECT_EQ(h.facing, kRight);
            EXPECT_EQ(drawn, 0x100 + (right++ / 4 + 1) % 5);  // 1,1,1,1,2,2,2,2,3...
        } else if (h.y == y0 + 5 && h.x == x0) {
            EXPECT_EQ(h.facing, kFront);
            EXPECT_EQ(drawn, 0x200 + (down++ / 4 + 1) % 4);
        } else {
            EXPECT_TRUE(h.x == x0 && h.y == y0) << "one axis at a time, 5 pixels a frame";
        }
    }
    EXPECT_EQ(right, 58);
    EXPECT_EQ(down, 22);
    EXPECT_EQ(WalkOut(h, mask), std::pair(390, 410));
    EXPECT_EQ(h.animFrame, 0);
    StepAndDrawHero(h, mask, screen);
    EXPECT_EQ(screen.At(h.x + 50, h.y + 150), 0x200) << "standing, facing front";
}

TEST(HeroWalk, ShortDistancesAreAdoptedOrEndEightShort) {
    WalkMask mask{};
    Hero h = HeroAt(100, 300, 108, 292);
    StepHero(h, mask);
    EXPECT_TRUE(HeroArrived(h));
    EXPECT_EQ(std::pair(h.x, h.y), std::pair(100, 300));
    h.targetX = 123;
    EXPECT_EQ(WalkOut(h, mask), std::pair(115, 300));
    h = HeroAt(100, 300, 100, 277);
    EXPECT_EQ(WalkOut(h, mask), std::pair(100, 285));
    EXPECT_EQ(h.facing, kBack);
}

TEST(HeroWalk, WallToTheRight) {
    // his feet cell at (100, 300) is row 100, column 19; the sideways test looks at column 20
    WalkMask wall{};
    for (int r = 0; r < kMaskCells; ++r) Block(wall, r, 20);
    Hero h = HeroAt(100, 300, 300, 300);
    h.animFrame = 3;
    h.animDelay = 2;
    StepHero(h, wall);
    EXPECT_TRUE(HeroArrived(h)) << "nothing to do on either axis: he gives up";
    EXPECT_EQ(h.x, 100);
    EXPECT_EQ(h.animFrame + h.animDelay, 0);
    // beyond the wall and below: down first, and with no opening he stands facing front
    h = HeroAt(100, 300, 300, 360);
    EXPECT_EQ(WalkOut(h, wall), std::pair(100, 350));
    EXPECT_EQ(h.facing, kFront);

    // the wall ends at row 104: down until the row opens, then right, then down again
    WalkMask opening{};
    for (int r = 0; r <= 104; ++r) Block(opening, r, 20);
    h = HeroAt(100, 300, 300, 360);
    for (int i = 0; i < 200 && !HeroArrived(h); ++i) {
        StepHero(h, opening);
        ASSERT_TRUE(h.x == 100 || h.y >= 340) << "went right before the row opened";
    }
    EXPECT_EQ(std::pair(h.x, h.y), std::pair(290, 350));
}

TEST(HeroWalk, TestCellsOutsideTheGridCountAsBlocked) {
    // free cells behind the mask would let a step that reads past the grid go through
    struct {
        WalkMask mask{};
        std::array<int32_t, 2 * kMaskCells> beyond{};
    } padded;
    Hero h = HeroAt(450, 465, 450, 600);  // feet row 127
    EXPECT_EQ(WalkOut(h, padded.mask), std::pair(450, 470));
    h = HeroAt(955, 300, 1000, 300);  // the sideways test moves from column 127 to 128
    EXPECT_EQ(WalkOut(h, padded.mask), std::pair(960, 300));
}

TEST(HeroClick, ClampsAndTheBlockedClickSearch) {
    Hero h = HeroAt(450, 300, 450, 300);
    auto click = [&](int x, int y, const WalkMask& mask) {
        SetWalkTargetFromClick(h, x, y, mask);
        return std::pair(h.targetX, h.targetY);
    };
    WalkMask free{};
    EXPECT_EQ(click(500, 752, free).second, 452);
    EXPECT_EQ(click(500, 200, free).second, 1);
    EXPECT_EQ(click(20, 400, free).first, 1);
    EXPECT_EQ(click(1000, 400, free).first, 910);

    // the click (400, 500) is judged by cell (83, 51)
    WalkMask mask{};
    for (int c = 49; c <= 51; ++c) Block(mask, 83, c);
    EXPECT_EQ(click(400, 500, mask), std::pair(380 - 59, 200)) << "20 pixels left wins over 5 below";
    // nothing near: the nearest candidate, the earlier one on equal distance
    auto farMask = [](int lastBlockedRowBelow) {
        WalkMask m{};
        for (int c = 47; c < kMaskCells; ++c) Block(m, 83, c);  // left free 35 away, right never
        for (int r = 0; r <= lastBlockedRowBelow; ++r) Block(m, r, 51);
        return m;
    };
    EXPECT_EQ(click(400, 500, farMask(88)), std::pair(365 - 59, 200));  // below free 35 away
    EXPECT_EQ(click(400, 500, farMask(87)), std::pair(400 - 59, 230));  // below free 30 away
    WalkMask all;
    all.fill(1);
    click(400, 500, all);
    EXPECT_TRUE(HeroArrived(h)) << "nothing free: he stays";
}

TEST(HeroWalk, TheUpwardStepLooksTwoCellRowsAboveHisFeet) {
    // his feet at (100, 300) are in row 100, column 19
    auto walkUp = [](int wallRow) {
        WalkMask mask{};
        Block(mask, wallRow, 19);
        Hero h = HeroAt(100, 300, 100, 200);
        return WalkOut(h, mask);
    };
    EXPECT_EQ(walkUp(98), std::pair(100, 300)) << "a wall two rows up stops him at once";
    EXPECT_EQ(walkUp(97), std::pair(100, 295)) << "one step, then it is two rows up";
    EXPECT_EQ(walkUp(99), std::pair(100, 210)) << "the row just above his feet is never looked at";
    Hero h = HeroAt(100, 300, 100, 200);
    StepHero(h, WalkMask{});
    EXPECT_EQ(h.facing, kBack);
}

// A blocked click looks left, right, up and down in that order: a point within 30 pixels sideways
// or 25 up or down is taken at once, else the nearest found, the earlier on equal distance.
TEST(HeroClick, TheBlockedClickSearchesRightUpAndDown) {
    Hero h = HeroAt(450, 300, 450, 300);
    auto click = [&](int x, int y, const WalkMask& mask) {
        SetWalkTargetFromClick(h, x, y, mask);
        return std::pair(h.targetX + kHeroFootX, h.targetY + kHeroFootY);  // the chosen point
    };
    // Row 83 (y 500) blocked but for `freeColumn`; column `col` blocked in `rows`.
    auto mask = [](int freeColumn, int col, int firstRow, int lastRow) {
        WalkMask m{};
        for (int c = 0; c < kMaskCells; ++c)
            if (c != freeColumn) Block(m, 83, c);
        for (int r = firstRow; r <= lastRow; ++r) Block(m, r, col);
        return m;
    };
    const std::pair<int, int> feet{450 + kHeroFootX, 300 + kHeroFootY};

    // Right, near the screen's right edge (column 113 blocked top to bottom: no way up or down).
    EXPECT_EQ(click(930, 500, mask(119, 117, 0, 127)), std::pair(945, 500)) << "15 to the right";
    EXPECT_EQ(click(900, 500, mask(119, 113, 0, 127)), std::pair(945, 500)) << "45 to the right, nothing nearer";
    EXPECT_EQ(click(904, 500, mask(120, 114, 0, 127)), feet) << "x 954 is too far right to stand";
    // Right at 30 pixels is taken before a nearer point below; at 35 the point below 30 away wins
    // (nothing up: column 51 is blocked from the top down).
    EXPECT_EQ(click(402, 500, mask(55, 51, 0, 83)), std::pair(432, 500)) << "right 30, below 5";
    EXPECT_EQ(click(405, 500, mask(56, 51, 0, 87)), std::pair(405, 530)) << "right 35, below 30";

    // Up (row 83 wholly blocked: nothing sideways; column 51 is the click's column + 1).
    EXPECT_EQ(click(400, 500, mask(-1, 51, 80, 83)), std::pair(400, 475)) << "25 up is taken at once";
    EXPECT_EQ(click(400, 500, mask(-1, 51, 79, 87)), std::pair(400, 470)) << "30 up beats 30 down: earlier";
    EXPECT_EQ(click(400, 500, mask(-1, 51, 79, 90)), std::pair(400, 470)) << "30 up beats 50 down";
    EXPECT_EQ(click(400, 500, mask(-1, 51, 79, 86)), std::pair(400, 525)) << "25 down is taken, though 30 up was found";
    // Down only: everything above blocked.
    EXPECT_EQ(click(400, 500, mask(-1, 51, 0, 90)), std::pair(400, 550)) << "50 down, the only one";
}
