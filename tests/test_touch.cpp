// Touch gestures: taps, long presses, two-finger taps and drags, and the pointer they leave.
#include "platform/touch.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/input.h"

using namespace vz;

namespace {

// A touch screen over frames: events go in between frames, each frame reads once into the game.
class Fingers : public ::testing::Test {
protected:
    // One frame at `ms`: the gestures' tick, one read, the game's poll.
    RawInput Frame(uint32_t ms) {
        touch.NewFrame();
        touch.Tick(ms);
        RawInput r;
        touch.AddTo(r);
        PollInput(input, r);
        return r;
    }
    std::pair<int, int> Pointer() const { return {input.mouseX, input.mouseY}; }

    TouchGestures touch;
    InputState input{400, 300};
};

TEST_F(Fingers, ATapIsALeftClickWhereTheFingerCameDown) {
    touch.Down(1, 600, 500, 1000);
    RawInput r = Frame(1040);
    EXPECT_TRUE(r.touch);
    EXPECT_FALSE(r.left);
    EXPECT_EQ(Pointer(), std::pair(600, 500));  // under the finger at once, to show what is there

    // Wandering a little is still a tap, at the place it came down. The pointer goes back there
    // for a frame before the click, so the game has seen what lies under it (an exit's arrow).
    touch.Move(1, 610, 515);
    touch.Up(1, 612, 516, 1150);
    r = Frame(1160);
    EXPECT_FALSE(r.left);
    EXPECT_EQ(Pointer(), std::pair(600, 500));
    r = Frame(1200);
    EXPECT_TRUE(r.left);
    EXPECT_FALSE(r.right);
    EXPECT_TRUE(input.leftClick);
    EXPECT_EQ(Pointer(), std::pair(600, 500));
    EXPECT_EQ(std::pair(r.touchStartX, r.touchStartY), std::pair(600, 500));
    EXPECT_FALSE(Frame(1240).left);

    // Down and up between two frames: the pointer there first, then one click all the same.
    for (uint32_t t = 1280; t < 1440; t += 40) Frame(t);
    touch.Down(2, 100, 700, 1450);
    touch.Up(2, 100, 700, 1470);
    r = Frame(1480);
    EXPECT_FALSE(r.left);
    EXPECT_EQ(Pointer(), std::pair(100, 700));
    r = Frame(1520);
    EXPECT_TRUE(r.left && input.leftClick);
    EXPECT_FALSE(Frame(1560).left);
}

TEST_F(Fingers, ALongPressIsOneRightClickWhileTheFingerStillRests) {
    touch.Down(1, 300, 400, 0);
    for (uint32_t t = 40; t < TouchGestures::kLongPressMs; t += 40) EXPECT_FALSE(Frame(t).right) << t;
    RawInput r = Frame(TouchGestures::kLongPressMs);
    EXPECT_TRUE(r.right);
    EXPECT_TRUE(input.rightClick);
    EXPECT_FALSE(r.left);
    for (uint32_t t = 540; t < 1500; t += 40) EXPECT_FALSE(Frame(t).right) << t;  // no repeat while held
    touch.Up(1, 300, 400, 1500);
    r = Frame(1520);
    EXPECT_FALSE(r.left || r.right);  // letting go after it is no tap

    // Held long but let go before any frame looked: still the right click, not a tap.
    touch.Down(2, 300, 400, 2000);
    touch.Up(2, 300, 400, 2600);
    r = Frame(2610);
    EXPECT_TRUE(r.right);
    EXPECT_FALSE(r.left);
}

TEST_F(Fingers, ATapOfTwoFingersIsARightClickAndLeavesThePointer) {
    touch.Down(1, 500, 400, 0);
    touch.Down(2, 560, 420, 30);
    Frame(40);
    touch.Move(1, 505, 402);  // the first finger may not take the pointer along any more
    touch.Up(2, 560, 420, 150);
    RawInput r = Frame(160);
    EXPECT_FALSE(r.left || r.right);  // one finger is still down
    touch.Up(1, 505, 402, 170);
    r = Frame(200);
    EXPECT_TRUE(r.right);
    EXPECT_FALSE(r.left);
    EXPECT_EQ(Pointer(), std::pair(500, 400));
    // Two fingers resting long are no long press.
    for (uint32_t t = 240; t < 400; t += 40) Frame(t);
    touch.Down(3, 500, 400, 400);
    touch.Down(4, 600, 400, 410);
    for (uint32_t t = 440; t < 1400; t += 40) EXPECT_FALSE(Frame(t).right) << t;
}

TEST_F(Fingers, ADragOnlyTakesThePointerAlongAndAFlickPastTheTopLeavesItOnTheTopRow) {
    touch.Down(1, 500, 400, 0);
    Frame(40);
    int y = 400;
    for (uint32_t t = 50; y > -60; t += 20) {
        y -= 40;
        touch.Move(1, 500, y);
        const RawInput r = Frame(t + 10);
        EXPECT_FALSE(r.left || r.right);
        EXPECT_EQ(input.mouseY, std::max(y, kMouseMinY));
    }
    touch.Up(1, 500, y, 900);
    const RawInput r = Frame(910);
    EXPECT_FALSE(r.left || r.right);  // a drag ends with no click, and no long press came of it
    EXPECT_EQ(Pointer(), std::pair(500, kMouseMinY));
    // A finger taken away by the system clicks nothing.
    touch.Down(2, 200, 200, 1000);
    touch.Cancel();
    touch.Up(2, 200, 200, 1050);
    EXPECT_FALSE(Frame(1060).left);
    EXPECT_FALSE(Frame(1700).right);
}

TEST_F(Fingers, TheMouseEndsTheTouchAndTheGamesPointerIsDrawnAgain) {
    touch.Down(1, 500, 400, 0);
    touch.Up(1, 500, 400, 50);
    Frame(60);
    Frame(100);
    EXPECT_TRUE(input.touched);
    touch.OtherPointerUsed();
    const RawInput r = Frame(100);
    EXPECT_FALSE(r.touch);
    EXPECT_FALSE(input.touched);
    EXPECT_EQ(r.touchStartX, -1);
}

// Presses named by their field, each latched until a frame has read it.
TEST(PressLatches, EveryKeyIsKeptFromItsPressToTheFrameThatReadsIt) {
    PressLatches keys;
    InputState in;
    auto frame = [&](bool escapeHeld = false) {
        RawInput r;
        keys.Read(r, &RawInput::escape, escapeHeld);
        keys.Read(r, &RawInput::enter, false);
        PollInput(in, r);
        keys.NewFrame();
        return r;
    };
    // Escape pressed and let go between two reads still ends the game.
    keys.Press(&RawInput::escape);
    EXPECT_TRUE(frame().escape);
    EXPECT_TRUE(in.escapeDown);
    EXPECT_FALSE(frame().escape);
    // Two keys for one press (Enter and the keypad's Enter): one held, the other not, reads held.
    keys.Press(&RawInput::enter);
    RawInput r;
    keys.Read(r, &RawInput::enter, false);
    keys.Read(r, &RawInput::enter, false);
    EXPECT_TRUE(r.enter);
    keys.NewFrame();
    // Pressed again after the frame's read and before the next frame begins: kept, whatever the
    // order of the page's events and the frame's start.
    keys.Press(&RawInput::escape);
    RawInput first;
    keys.Read(first, &RawInput::escape, false);
    keys.Press(&RawInput::escape);
    keys.NewFrame();
    EXPECT_TRUE(frame().escape);
    // Losing the focus forgets them.
    keys.Press(&RawInput::escape);
    keys.Forget();
    EXPECT_FALSE(frame().escape);
}

TEST(Pointer, APlacedPointerIsClampedToItsFrameAndMotionAddsToIt) {
    InputState in{400, 300};
    RawInput r;
    r.placed = true;
    r.x = 700;
    r.y = -250;  // beside the picture, above it
    PollInput(in, r);
    EXPECT_EQ(std::pair(in.mouseX, in.mouseY), std::pair(700, kMouseMinY));
    r.x = 500;
    r.y = 900;
    r.dx = -10;  // a stick's motion, after the placing
    PollInput(in, r);
    EXPECT_EQ(std::pair(in.mouseX, in.mouseY), std::pair(490, kMouseMaxY));
}

}  // namespace
