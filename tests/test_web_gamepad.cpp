// Game controllers on the page: the stick moves the pointer, the buttons act as on the desktop.
#include "platform/web/web_gamepad.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/surface.h"
#include "support.h"

using namespace vz;
using vz::test::PointerAt;

namespace {

PadReading Pad(double x, double y, std::initializer_list<PadButton> pressed = {}) {
    PadReading pad{x, y, 0};
    for (PadButton b : pressed) pad.buttons |= 1u << b;
    return pad;
}

// One frame: the pads read, then the frame's first read of the input polled by the game.
RawInput Frame(WebGamepads& pads, InputState& game, std::vector<PadReading> readings) {
    pads.Read(readings);
    RawInput raw;
    pads.AddTo(raw, true);
    PollInput(game, raw);
    return raw;
}

}  // namespace

TEST(WebGamepads, TheStrongestStickMovesThePointerAndOnlyTheFirstReadOfAFrameTakesIt) {
    WebGamepads pads;
    InputState game = PointerAt(400, 300);
    // Resting sticks (a little off centre, as real ones are) move nothing.
    EXPECT_EQ(Frame(pads, game, {Pad(0.1, -0.1), Pad(-0.2, 0)}).dx, 0);
    // Two pads: the one pushed furthest counts, not their sum.
    int moved = 0;
    for (int i = 0; i < 20; ++i) moved += Frame(pads, game, {Pad(0.5, 0), Pad(1.0, 0)}).dx;
    WebGamepads alone;
    InputState other = PointerAt(400, 300);
    int movedAlone = 0;
    for (int i = 0; i < 20; ++i) movedAlone += Frame(alone, other, {Pad(1.0, 0)}).dx;
    EXPECT_EQ(moved, movedAlone);
    EXPECT_GT(moved, 300);
    EXPECT_EQ(game.mouseX, kMouseMaxX < 400 + moved ? kMouseMaxX : 400 + moved);
    // A later read of the same frame adds no motion; nonsense from the browser moves nothing.
    RawInput again;
    pads.AddTo(again, false);
    EXPECT_EQ(again.dx, 0);
    pads.Forget();
    EXPECT_EQ(Frame(pads, game, {Pad(std::nan(""), 0)}).dx, 0);
}

TEST(WebGamepads, ButtonsActAsTheDesktopMapsThem) {
    WebGamepads pads;
    InputState game = PointerAt(400, 300);
    Frame(pads, game, {Pad(0, 0, {kPadA})});
    EXPECT_TRUE(game.leftClick);
    Frame(pads, game, {Pad(0, 0, {kPadA})});  // held: no second click at once
    EXPECT_FALSE(game.leftClick);
    for (int i = 0; i < kClickCooldownFrames; ++i) Frame(pads, game, {});
    Frame(pads, game, {Pad(0, 0), Pad(0, 0, {kPadB})});
    EXPECT_TRUE(game.rightClick);
    Frame(pads, game, {Pad(0, 0, {kPadY})});
    EXPECT_TRUE(game.hotspotsHeld);
    // The shoulders step as Tab and Shift+Tab do, once a press however long it is held.
    Frame(pads, game, {Pad(0, 0, {kPadRB})});
    EXPECT_EQ(game.tabStep, 1);
    EXPECT_FALSE(game.hotspotsHeld);
    Frame(pads, game, {Pad(0, 0, {kPadRB})});
    EXPECT_EQ(game.tabStep, 0);
    Frame(pads, game, {Pad(0, 0, {kPadLB})});
    EXPECT_EQ(game.tabStep, -1);
    // X sends the pointer to the top edge once per press (the inventory opens there).
    Frame(pads, game, {Pad(0, 0, {kPadX})});
    EXPECT_EQ(game.mouseY, kMouseMinY);
    game.mouseY = 300;
    Frame(pads, game, {Pad(0, 0, {kPadX})});
    EXPECT_EQ(game.mouseY, 300);
    // Back and Start together on one controller quit; one on each of two controllers does not.
    EXPECT_FALSE(Frame(pads, game, {Pad(0, 0, {kPadBack}), Pad(0, 0, {kPadStart})}).escape);
    EXPECT_FALSE(Frame(pads, game, {Pad(0, 0, {kPadStart})}).escape);
    EXPECT_TRUE(Frame(pads, game, {Pad(0, 0, {kPadBack, kPadStart})}).escape);
}
