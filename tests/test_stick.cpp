// The controller's stick as a pointer: at rest it stays, gently it creeps, fully it crosses the screen.
#include "platform/stick.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "platform/input.h"

namespace vz {
namespace {

// Frames a stick held at (x, y) needs to carry the pointer `distance` pixels along x.
int FramesToCover(StickPointer& stick, int x, int y, int distance, int maxFrames = 10000) {
    int covered = 0;
    for (int frame = 1; frame <= maxFrames; ++frame) {
        int dx = 0, dy = 0;
        stick.Step(x, y, dx, dy);
        covered += std::abs(dx);
        if (covered >= distance) return frame;
    }
    return -1;
}

TEST(Stick, AtRestOrInsideTheDeadZoneThePointerStays) {
    StickPointer stick;
    for (auto [x, y] : {std::pair{0, 0}, {7999, 0}, {0, -7999}, {5600, 5600}, {-32768 / 5, 1000}}) {
        int moved = 0;
        for (int i = 0; i < 1000; ++i) {
            int dx = 0, dy = 0;
            stick.Step(x, y, dx, dy);
            moved += std::abs(dx) + std::abs(dy);
        }
        EXPECT_EQ(moved, 0) << x << "," << y;
    }
}

TEST(Stick, FullyPushedItCrossesTheScreenInAboutASecond) {
    const int across = kMouseMaxX - kMouseMinX;
    for (auto [x, y] : {std::pair{32767, 0}, {-32768, 0}}) {
        StickPointer stick;
        const int frames = FramesToCover(stick, x, y, across);
        EXPECT_GE(frames, 20) << x;  // 0.8 s at 25 frames a second
        EXPECT_LE(frames, 30) << x;  // 1.2 s
    }
    // A diagonal is no faster than a straight push, and goes both ways equally.
    StickPointer diagonal;
    int sumX = 0, sumY = 0;
    for (int i = 0; i < 25; ++i) {
        int dx = 0, dy = 0;
        diagonal.Step(32767, 32767, dx, dy);
        sumX += dx;
        sumY += dy;
    }
    StickPointer straight;
    int straightX = 0;
    for (int i = 0; i < 25; ++i) {
        int dx = 0, dy = 0;
        straight.Step(32767, 0, dx, dy);
        straightX += dx;
    }
    EXPECT_LE(std::hypot(sumX, sumY), straightX + 2);
    EXPECT_LE(std::abs(sumX - sumY), 1);
}

TEST(Stick, GentlyPushedItCreepsBelowAPixelAFrameAndStopsAtOnce) {
    // Just past the dead zone: less than a pixel a frame, yet the fractions add up.
    StickPointer stick;
    int moved = 0;
    for (int i = 0; i < 50; ++i) {
        int dx = 0, dy = 0;
        stick.Step(0, -11000, dx, dy);
        EXPECT_LE(std::abs(dy), 1);
        EXPECT_EQ(dx, 0);
        moved += dy;
    }
    EXPECT_LT(moved, -3);
    EXPECT_GT(moved, -50);

    // Half pushed it stays slow enough to stop on the sugar (80 pixels wide) with a frame to spare.
    StickPointer half;
    for (int i = 0; i < 100; ++i) {
        int dx = 0, dy = 0;
        half.Step(16384, 0, dx, dy);
        EXPECT_LE(dx, 40 / 2);
    }

    // Let go after a fraction was carried: nothing drifts on, and the next push ramps up anew.
    int dx = 0, dy = 0;
    half.Step(0, 0, dx, dy);
    EXPECT_EQ(std::pair(dx, dy), std::pair(0, 0));
    StickPointer fresh;
    int first = 0, again = 0;
    fresh.Step(32767, 0, first, dy);
    half.Step(32767, 0, again, dy);
    EXPECT_EQ(again, first);
    EXPECT_LT(first, static_cast<int>(StickPointer::kFullSpeed));
}

}  // namespace
}  // namespace vz
