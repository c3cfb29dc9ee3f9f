// Input rules: click repeat and cooldown, Enter as the left button, the pointer's frame, failed reads.
#include "platform/input.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

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

// Polls once per frame with the given inputs; the result lists 'L', 'R' or '.' per frame.
std::string Clicks(InputState& in, const std::vector<RawInput>& frames) {
    std::string out;
    for (const RawInput& r : frames) {
        PollInput(in, r);
        out += in.leftClick ? (in.rightClick ? '!' : 'L') : (in.rightClick ? 'R' : '.');
    }
    return out;
}

}  // namespace

TEST(Clicks, AHeldButtonRepeatsEveryFifthFrame) {
    InputState left, right, enter;
    EXPECT_EQ(Clicks(left, std::vector<RawInput>(11, Held(true))), "L....L....L");
    EXPECT_EQ(Clicks(right, std::vector<RawInput>(11, Held(false, true))), "R....R....R");
    EXPECT_EQ(Clicks(enter, std::vector<RawInput>(6, Held(false, false, true))), "L....L");

    // Letting go does not shorten the wait: a new press in frame 3 fires only in frame 6.
    InputState tap;
    EXPECT_EQ(Clicks(tap, {Held(true), Held(false), Held(true), Held(true), Held(true), Held(true), Held(false)}),
              "L....L.");
}

TEST(Clicks, LeftBeforeRightWithOneSharedCooldown) {
    InputState both;
    EXPECT_EQ(Clicks(both, std::vector<RawInput>(7, Held(true, true))), "L....L.");

    // A left click holds off the right button, and the right one holds off Enter.
    InputState mixed;
    EXPECT_EQ(Clicks(mixed, {Held(true), Held(false), Held(false, true), Held(false, true), Held(false, true),
                             Held(false, true), Held(false, false, true), Held(false, false, true)}),
              "L....R..");
}

TEST(Pointer, ClampedToItsFrameWithoutOvershoot) {
    InputState in;
    in.mouseX = 400;
    in.mouseY = 300;
    RawInput r;
    r.dx = -5000;
    r.dy = -5000;
    PollInput(in, r);
    EXPECT_EQ(in.mouseX, 17);
    EXPECT_EQ(in.mouseY, 17);
    r.dx = 1;
    r.dy = 2;
    PollInput(in, r);  // back from the edge at once
    EXPECT_EQ(in.mouseX, 18);
    EXPECT_EQ(in.mouseY, 19);

    r.dx = INT_MAX;
    r.dy = INT_MAX;
    PollInput(in, r);
    EXPECT_EQ(in.mouseX, 1008);
    EXPECT_EQ(in.mouseY, 752);
    r.dx = -1;
    r.dy = -1;
    PollInput(in, r);
    EXPECT_EQ(in.mouseX, 1007);
    EXPECT_EQ(in.mouseY, 751);
    r.dx = INT_MIN;
    r.dy = 0;
    PollInput(in, r);
    EXPECT_EQ(in.mouseX, 17);
}

TEST(Pointer, AFailedReadChangesNothingButTheCooldown) {
    InputState in;
    in.mouseX = 500;
    in.mouseY = 400;
    RawInput r = Held(true, true);
    r.escape = true;
    r.dx = 3;
    ASSERT_TRUE(PollInput(in, r));
    const InputState before = in;
    RawInput failed = Held(false);
    failed.ok = false;
    failed.dx = 100;
    EXPECT_FALSE(PollInput(in, failed));
    EXPECT_EQ(in.clickCooldown, before.clickCooldown - 1);
    EXPECT_EQ(in.mouseX, 503);
    EXPECT_EQ(in.mouseY, 400);
    EXPECT_TRUE(in.leftClick);
    EXPECT_FALSE(in.rightClick);
    EXPECT_TRUE(in.leftDown && in.rightDown && in.escapeDown);

    // The next good read sees the cooldown already counted down.
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(PollInput(in, failed));
    PollInput(in, Held(true));
    EXPECT_TRUE(in.leftClick);
    EXPECT_FALSE(in.escapeDown);
}

TEST(Pointer, EnterActsAsALeftClickOnTheTitleButtons) {
    vz::test::MemoryPlatform platform;
    auto game = vz::test::StartedGame(platform);
    ASSERT_EQ(game->world.state, GameState::TitleMenu);
    vz::test::MoveTo(*game, platform, 362, 630);  // the quit button's first column is not part of it
    vz::test::Frame(*game, platform, Held(false, false, true));
    EXPECT_FALSE(game->quitRequested);
    for (int i = 0; i < 5; ++i) vz::test::Frame(*game, platform);
    vz::test::MoveTo(*game, platform, 363, 630);
    vz::test::Frame(*game, platform, Held(false, false, true));
    EXPECT_TRUE(game->quitRequested);
}
