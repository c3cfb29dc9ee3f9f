// The web page's input: quick clicks between frames, the pointer following the page's, fingers, focus loss.
#include "platform/web/web_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "support.h"

using namespace vz;
using vz::test::PointerAt;

namespace {

// One frame as the game polls it, 40 ms after the one before.
uint32_t g_now = 0;
RawInput Frame(WebInput& web, InputState& game) {
    g_now += 40;
    web.BeginFrame(g_now);
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
    web.Key(&RawInput::enter, true);
    web.Key(&RawInput::enter, false);
    web.Key(&RawInput::enter, true);
    const RawInput both = Frame(web, game);
    EXPECT_TRUE(both.enter);
    EXPECT_FALSE(both.left || both.right);
    web.Key(&RawInput::escape, true);
    web.Key(&RawInput::escape, false);
    EXPECT_TRUE(Frame(web, game).escape);
    EXPECT_TRUE(game.escapeDown);
}

TEST(WebInput, TheGamePointerFollowsThePagePointerOnAScaledCanvasWithoutDrift) {
    WebInput web;
    InputState game = PointerAt(400, 300);
    // Before the pointer was ever over the page the game's pointer stays where it is.
    EXPECT_FALSE(Frame(web, game).placed);
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
        {-30, 900, kMouseMinX, kMouseMaxY},  // beside the canvas counts as its edge
        {250, -3, 320, kMouseMinY},  // left over the top edge (to the page's header): the top row
        {250, 125, 320, 160},
    };
    for (const Case& c : cases) {
        web.PointerAt(c.x, c.y, 800, 600);
        Frame(web, game);
        EXPECT_EQ(game.mouseX, c.gameX) << c.x;
        EXPECT_EQ(game.mouseY, c.gameY) << c.y;
    }
    // The new place goes to the frame's first poll only; a pointer that rests places nothing, so
    // the game's own clamping of its pointer (an item held) stays.
    web.PointerAt(500, 400, 800, 600);
    web.BeginFrame(g_now += 40);
    const RawInput first = web.Read();
    EXPECT_TRUE(first.placed);
    EXPECT_EQ(std::pair(first.x, first.y), std::pair(640, 512));
    EXPECT_FALSE(web.Read().placed);
    EXPECT_FALSE(Frame(web, game).placed);
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
    web.Key(&RawInput::enter, true);
    web.Key(&RawInput::escape, true);
    web.Key(&RawInput::escape, false);  // a press waiting for the next frame goes too
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

TEST(WebInput, FingersOnAPhonesCanvasTapTakeThePointerAlongAndHandItBackToTheMouse) {
    WebInput web;
    InputState game = PointerAt(400, 300);
    // A phone held sideways shows the canvas at 480 x 360: a CSS pixel is 2.13 game pixels.
    web.Touch(TouchPhase::Down, 7, 240, 180, 480, 360, g_now + 5);
    web.Touch(TouchPhase::Up, 7, 241, 181, 480, 360, g_now + 60);
    RawInput r = Frame(web, game);
    EXPECT_TRUE(r.touch && game.touched);
    EXPECT_EQ(std::pair(game.mouseX, game.mouseY), std::pair(512, 384));
    EXPECT_FALSE(game.leftClick);  // a frame sees the pointer there first
    Frame(web, game);
    EXPECT_TRUE(game.leftClick);
    for (int i = 0; i < 5; ++i) Frame(web, game);

    // Flicked up and off the canvas: the pointer stops on the top row, and no click comes of it.
    web.Touch(TouchPhase::Down, 8, 240, 200, 480, 360, g_now + 1);
    for (double y = 160; y > -60; y -= 40) {
        web.Touch(TouchPhase::Move, 8, 240, y, 480, 360, g_now + 10);
        Frame(web, game);
    }
    web.Touch(TouchPhase::Up, 8, 240, -60, 480, 360, g_now + 1);
    r = Frame(web, game);
    EXPECT_FALSE(r.left || r.right);
    EXPECT_EQ(game.mouseY, kMouseMinY);

    // A long press steps the verb: the page's clock takes it to half a second.
    web.Touch(TouchPhase::Down, 9, 100, 100, 480, 360, g_now + 1);
    int rights = 0;
    for (int i = 0; i < 20; ++i) rights += Frame(web, game).right;
    EXPECT_EQ(rights, 1);
    web.Touch(TouchPhase::Up, 9, 100, 100, 480, 360, g_now + 1);
    EXPECT_FALSE(Frame(web, game).left);

    // The mouse moved: no touch any more.
    web.PointerAt(10, 10, 480, 360);
    EXPECT_FALSE(Frame(web, game).touch);
    EXPECT_FALSE(game.touched);
}

TEST(WebInput, SpaceHoldsTheHotspotKeyAndAQuickPressIsNotLost) {
    WebInput web;
    InputState game = PointerAt(400, 300);
    web.Key(&RawInput::hotspots, true);
    Frame(web, game);
    EXPECT_TRUE(game.hotspotsHeld);
    Frame(web, game);
    EXPECT_TRUE(game.hotspotsHeld);
    web.Key(&RawInput::hotspots, false);
    Frame(web, game);
    EXPECT_FALSE(game.hotspotsHeld);
    web.Key(&RawInput::hotspots, true);
    web.Key(&RawInput::hotspots, false);
    Frame(web, game);
    EXPECT_TRUE(game.hotspotsHeld);
    web.Key(&RawInput::hotspots, true);
    web.Release();
    Frame(web, game);
    EXPECT_FALSE(game.hotspotsHeld);
}

// A tap on a caption's choice: the pointer goes to the named game pixel and clicks there in the
// frame after, whatever the mouse did before; and a mouse at rest does not pull the pointer back.
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
    EXPECT_FALSE(game.leftClick);  // a frame sees the pointer there first
    Frame(web, game);
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

TEST(WebInput, TheGameKeysAreReadLikeTheButtonsAndKeysMoveThePointerTheMouseLeft) {
    WebInput web;
    InputState game = PointerAt(400, 300);
    web.PointerAt(400, 300, 1024, 768);
    Frame(web, game);
    // A quick Tab between two frames; Backspace is the right button.
    web.Key(&RawInput::tab, true);
    web.Key(&RawInput::tab, false);
    web.Key(&RawInput::right, true);
    RawInput r = Frame(web, game);
    EXPECT_TRUE(r.tab && r.right && !r.backTab);
    web.Key(&RawInput::right, false);
    for (RawPress k : {&RawInput::hint, &RawInput::inventory, &RawInput::textPace, &RawInput::backTab}) web.Key(k, true);
    r = Frame(web, game);
    EXPECT_TRUE(r.hint && r.inventory && r.textPace && r.backTab);
    web.Release();
    EXPECT_FALSE(Frame(web, game).hint);

    // An arrow moves the game's pointer, and it stays there while the page's pointer does not move.
    web.Arrow(WebArrow::Right, true);
    Frame(web, game);
    Frame(web, game);
    web.Arrow(WebArrow::Right, false);
    Frame(web, game);
    EXPECT_GT(game.mouseX, 400);
    const int moved = game.mouseX;
    game.mouseX -= 50;  // as Tab puts it somewhere else
    Frame(web, game);
    EXPECT_EQ(game.mouseX, moved - 50);
    web.PointerAt(401, 300, 1024, 768);  // the mouse takes over again
    Frame(web, game);
    EXPECT_EQ(game.mouseX, 401);
}
