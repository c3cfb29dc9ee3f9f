// The web page's input: quick clicks between frames, the pointer following the page's, focus loss.
#include "platform/web/web_input.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support.h"

using namespace vz;
using vz::test::PointerAt;

namespace {

// One frame as the game polls it: the page's input begins the frame where the game's pointer is.
RawInput Frame(WebInput& web, InputState& game) {
    web.BeginFrame(game.mouseX, game.mouseY);
    const RawInput raw = web.Read();
    PollInput(game, raw);
    return raw;
}

}  // namespace

TEST(WebInput, AClickBetweenTwoFramesCountsOnceAndAHeldButtonStaysHeld) {
    WebInput web;
    InputState game = PointerAt(400, 300);
    // Pressed and let go before the frame began: held for that frame, then gone.
    web.Button(0, true);
    web.Button(0, false);
    EXPECT_TRUE(Frame(web, game).left);
    EXPECT_TRUE(game.leftClick);
    EXPECT_FALSE(Frame(web, game).left);
    for (int i = 0; i < 5; ++i) Frame(web, game);
    EXPECT_EQ(game.clickCooldown, 0);

    // A right button held over frames repeats as the desktop's does: frames 1, 6 and 11.
    web.Button(2, true);
    int clicks = 0;
    for (int frame = 1; frame <= 11; ++frame) {
        Frame(web, game);
        if (game.rightClick) {
            ++clicks;
            EXPECT_TRUE(frame == 1 || frame == 6 || frame == 11) << "frame " << frame;
        }
    }
    EXPECT_EQ(clicks, 3);
    web.Button(2, false);
    EXPECT_FALSE(Frame(web, game).right);

    // Let go and pressed again before the frame: still held. The middle button is not the game's.
    web.Button(1, true);
    web.Key(WebKey::Enter, true);
    web.Key(WebKey::Enter, false);
    web.Key(WebKey::Enter, true);
    const RawInput both = Frame(web, game);
    EXPECT_TRUE(both.enter);
    EXPECT_FALSE(both.left || both.right);
    web.Key(WebKey::Escape, true);
    web.Key(WebKey::Escape, false);
    EXPECT_TRUE(Frame(web, game).escape);
    EXPECT_TRUE(game.escapeDown);
}

TEST(WebInput, TheGamePointerFollowsThePagePointerOnAScaledCanvasWithoutDrift) {
    WebInput web;
    InputState game = PointerAt(400, 300);
    // Before the pointer was ever over the canvas the game's pointer stays where it is.
    EXPECT_EQ(Frame(web, game).dx, 0);
    EXPECT_EQ(game.mouseX, 400);

    // Shown at 800 x 600: a CSS pixel is 1.28 game pixels.
    struct Case {
        double x, y;
        int gameX, gameY;
    } cases[] = {
        {400, 300, 512, 384},    // the middle
        {0, 0, kMouseMinX, kMouseMinY},  // into the corner, where the game stops its pointer
        {100.4, 50.2, 128, 64},  // and back out: no overshoot kept from the corner
        {799.9, 599.9, kMouseMaxX, kMouseMaxY},
        {-30, 900, kMouseMinX, kMouseMaxY},  // outside the canvas (a drag) counts as its edge
        {250, 125, 320, 160},
    };
    for (const Case& c : cases) {
        web.PointerAt(c.x, c.y, 800, 600);
        Frame(web, game);
        EXPECT_EQ(game.mouseX, c.gameX) << c.x;
        EXPECT_EQ(game.mouseY, c.gameY) << c.y;
    }
    // The motion goes to the frame's first poll only.
    web.PointerAt(500, 400, 800, 600);
    web.BeginFrame(game.mouseX, game.mouseY);
    EXPECT_EQ(web.Read().dx, 640 - 320);
    EXPECT_EQ(web.Read().dx, 0);
    // A canvas that is not shown says nothing about the pointer.
    web.PointerAt(10, 10, 0, 0);
    EXPECT_EQ(web.PointerX(), 640);
}

TEST(WebInput, LosingTheKeyboardReleasesEverythingButKeepsThePointer) {
    WebInput web;
    InputState game = PointerAt(400, 300);
    web.PointerAt(200, 150, 1024, 768);
    web.Button(0, true);
    web.Button(2, true);
    web.Key(WebKey::Enter, true);
    web.Key(WebKey::Escape, true);
    web.Key(WebKey::Escape, false);  // a press waiting for the next frame goes too
    web.Release();
    const RawInput r = Frame(web, game);
    EXPECT_FALSE(r.left || r.right || r.enter || r.escape);
    EXPECT_EQ(game.mouseX, 200);
    EXPECT_EQ(game.mouseY, 150);
    // The button that was down when the focus went must be pressed anew.
    web.Button(0, false);
    EXPECT_FALSE(Frame(web, game).left);
    web.Button(0, true);
    EXPECT_TRUE(Frame(web, game).left);
}

TEST(WebInput, SpaceHoldsTheHotspotKeyAndAQuickPressIsNotLost) {
    WebInput web;
    InputState game = PointerAt(400, 300);
    web.Key(WebKey::Space, true);
    Frame(web, game);
    EXPECT_TRUE(game.hotspotsHeld);
    Frame(web, game);
    EXPECT_TRUE(game.hotspotsHeld);
    web.Key(WebKey::Space, false);
    Frame(web, game);
    EXPECT_FALSE(game.hotspotsHeld);
    web.Key(WebKey::Space, true);
    web.Key(WebKey::Space, false);
    Frame(web, game);
    EXPECT_TRUE(game.hotspotsHeld);
    web.Key(WebKey::Space, true);
    web.Release();
    Frame(web, game);
    EXPECT_FALSE(game.hotspotsHeld);
}

// A tap on a caption's choice: the pointer goes to the named game pixel and clicks there in one
// frame, whatever the mouse did before; and a mouse at rest does not pull the pointer back.
TEST(WebInput, AClickAtAGamePixelLandsThereAndAMouseAtRestLeavesThePointerAlone) {
    WebInput web;
    InputState game = PointerAt(400, 300);
    web.PointerAt(100, 100, 1024, 768);
    Frame(web, game);
    for (int i = 0; i < kClickCooldownFrames; ++i) Frame(web, game);
    web.ClickAt(316, 650);
    Frame(web, game);
    EXPECT_EQ(game.mouseX, 316);
    EXPECT_EQ(game.mouseY, 650);
    EXPECT_TRUE(game.leftClick);
    Frame(web, game);
    EXPECT_FALSE(game.leftClick);
    EXPECT_EQ(game.mouseX, 316);  // the mouse still rests at (100, 100)
    // Moved by something else (a controller's stick), the pointer stays until the mouse moves.
    game.mouseX = 700;
    Frame(web, game);
    EXPECT_EQ(game.mouseX, 700);
    web.PointerAt(101, 100, 1024, 768);
    Frame(web, game);
    EXPECT_EQ(game.mouseX, 101);
}
