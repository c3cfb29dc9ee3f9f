// Input rules: click repeat and cooldown, Enter as the left button, the pointer's frame, failed reads.
#include "platform/input.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>
#include <utility>

#include "platform/arrows.h"
#include "support.h"

using namespace vz;

namespace {

RawInput Held(bool left, bool right = false, bool enter = false) {
    RawInput r;
    r.left = left;
    r.right = right;
    r.enter = enter;
    return r;
}

// One poll per letter of `held` ('l' left, 'r' right, 'e' Enter, 'b' left and right, '.' nothing);
// the result has 'L' or 'R' for each frame with a click event, '.' otherwise.
std::string Clicks(const std::string& held) {
    InputState in;
    std::string out;
    for (char c : held) {
        PollInput(in, Held(c == 'l' || c == 'b', c == 'r' || c == 'b', c == 'e'));
        out += in.leftClick ? (in.rightClick ? '!' : 'L') : (in.rightClick ? 'R' : '.');
    }
    return out;
}

}  // namespace

TEST(Clicks, HeldButtonsRepeatEveryFifthFrameWithOneSharedCooldown) {
    EXPECT_EQ(Clicks("lllllllllll"), "L....L....L");
    EXPECT_EQ(Clicks("rrrrrrrrrrr"), "R....R....R");
    EXPECT_EQ(Clicks("eeeeee"), "L....L");
    EXPECT_EQ(Clicks("l.llll."), "L....L.");   // letting go does not shorten the wait
    EXPECT_EQ(Clicks("bbbbbbb"), "L....L.");   // left before right
    EXPECT_EQ(Clicks("l.rrrree"), "L....R..");  // left holds off right, right holds off Enter
}

TEST(Pointer, ClampedToItsFrameWithoutOvershoot) {
    InputState in;
    in.mouseX = 400;
    in.mouseY = 300;
    auto move = [&](int dx, int dy) {
        RawInput r;
        r.dx = dx;
        r.dy = dy;
        PollInput(in, r);
        return std::pair{in.mouseX, in.mouseY};
    };
    EXPECT_EQ(move(-5000, -5000), std::pair(17, 17));
    EXPECT_EQ(move(1, 2), std::pair(18, 19));  // back from the edge at once
    EXPECT_EQ(move(INT_MAX, INT_MAX), std::pair(1008, 752));
    EXPECT_EQ(move(-1, -1), std::pair(1007, 751));
    EXPECT_EQ(move(INT_MIN, 0), std::pair(17, 751));
}

TEST(Pointer, AFailedReadChangesNothingButTheCooldown) {
    InputState in;
    in.mouseX = 500;
    in.mouseY = 400;
    RawInput r = Held(true, true);
    r.escape = true;
    ASSERT_TRUE(PollInput(in, r));  // a left click, cooldown 5
    RawInput failed;
    failed.ok = false;
    failed.dx = 100;
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(PollInput(in, failed));
    EXPECT_EQ(std::tuple(in.mouseX, in.mouseY, in.leftClick, in.rightClick, in.leftDown, in.rightDown, in.escapeDown),
              std::tuple(500, 400, true, false, true, true, true));
    EXPECT_EQ(in.clickCooldown, 1);
    PollInput(in, Held(true));  // the failed polls counted the cooldown down
    EXPECT_TRUE(in.leftClick);
}

TEST(Pointer, EnterActsAsALeftClickOnTheTitleButtons) {
    vz::test::MemoryPlatform platform;
    auto game = vz::test::StartedGame(platform);
    ASSERT_EQ(game->world.state, GameState::TitleMenu);
    for (int x : {362, 363}) {  // the quit button's first column is not part of it
        vz::test::MoveTo(*game, platform, x, 630);
        vz::test::Frame(*game, platform, Held(false, false, true));
        EXPECT_EQ(game->quitRequested, x == 363);
        for (int i = 0; i < 5; ++i) vz::test::Frame(*game, platform);
    }
}

// A backend that reads the button's state once a frame, as the real window does, with or without
// the latch. Each frame: the events ('p' a press, 'P' a press and its release together, '.' none,
// 'h' the button still held), then `reads` polls; the result has 'L' for each poll with a click.
std::string LatchedClicks(const std::string& frames, int reads = 1, bool latched = true) {
    PressLatch latch;
    InputState in;
    std::string out;
    bool down = false;
    for (char c : frames) {
        latch.NewFrame();
        if (c == 'p' || c == 'P') latch.Press();
        down = c == 'p' || c == 'h';
        for (int r = 0; r < reads; ++r) {
            RawInput raw;
            raw.left = latched ? latch.Read(down) : down;
            PollInput(in, raw);
            out += in.leftClick ? 'L' : '.';
        }
        if (reads == 0) out += '-';
    }
    return out;
}

TEST(Clicks, APressAndReleaseBetweenTwoReadsStillClicks) {
    EXPECT_EQ(LatchedClicks("P......", 1, false), ".......");  // what a read of the state alone sees
    EXPECT_EQ(LatchedClicks("P......"), "L......");
    EXPECT_EQ(LatchedClicks("P.....P.P...."), "L.....L......");  // the second tap fell in the cooldown
    EXPECT_EQ(LatchedClicks("phhhhh."), "L....L.");              // held buttons repeat as before
    // Every read of the frame that saw the press reports it held, as a held button would be; the
    // frame after forgets it.
    InputState in;
    PressLatch latch;
    latch.NewFrame();
    latch.Press();
    EXPECT_TRUE(latch.Read(false));
    EXPECT_TRUE(latch.Read(false));
    latch.NewFrame();
    EXPECT_FALSE(latch.Read(false));
    // A frame that reads nothing (a change of scene) keeps the press for the next one that does.
    latch.NewFrame();
    latch.Press();
    latch.NewFrame();
    EXPECT_TRUE(latch.Read(false));
    // Losing the focus forgets it.
    latch.NewFrame();
    latch.Press();
    latch.Forget();
    EXPECT_FALSE(latch.Read(false));
}

TEST(Keys, EachActsOnceAsItGoesDownHoweverOftenTheFrameIsPolled) {
    InputState in;
    RawInput tab;
    tab.tab = true;
    PollInput(in, tab);
    EXPECT_EQ(in.tabStep, 1);
    PollInput(in, tab);  // a second block of the same frame, or the key held on
    EXPECT_EQ(in.tabStep, 0);
    RawInput back;
    back.backTab = true;
    PollInput(in, back);
    EXPECT_EQ(in.tabStep, -1);
    RawInput keys;
    keys.hint = keys.inventory = keys.textPace = true;
    PollInput(in, keys);
    EXPECT_TRUE(in.hintPressed && in.inventoryPressed && in.textPacePressed);
    RawInput failed;
    failed.ok = false;
    PollInput(in, failed);  // a read that failed does not press them again
    EXPECT_FALSE(in.hintPressed || in.inventoryPressed || in.textPacePressed);
    PollInput(in, RawInput{});
    PollInput(in, keys);
    EXPECT_TRUE(in.hintPressed);
}

TEST(Keys, TheArrowsPlaceFinelyWhenTappedAndGlideWhenHeld) {
    ArrowPointer arrows;
    int dx = 0, dy = 0, travelled = 0, frames = 0;
    arrows.Step(false, true, false, false, dx, dy);
    EXPECT_EQ(dx, ArrowPointer::kFirstStep);
    arrows.Step(false, false, false, false, dx, dy);  // let go: the next press is fine again
    EXPECT_EQ(dx, 0);
    for (; travelled < 1000 && frames < 100; ++frames) {
        arrows.Step(false, true, false, true, dx, dy);
        EXPECT_EQ(dy, dx);  // both ways at once
        travelled += dx;
    }
    EXPECT_LE(frames, 45);  // across the screen in under two seconds
    EXPECT_EQ(dx, ArrowPointer::kMostStep);
    arrows.Step(true, true, false, false, dx, dy);  // two opposite arrows cancel
    EXPECT_EQ(dx, 0);
}
