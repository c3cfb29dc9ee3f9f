// The web page's input: quick clicks between frames, the pointer following the page's, focus loss.
#include "platform/web/web_input.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vz;

namespace {

// One frame as the game polls it: the page's input begins the frame where the game's pointer is.
RawInput Frame(WebInput& web, InputState& game) {
    web.BeginFrame(game.mouseX, game.mouseY);
    const RawInput raw = web.Read();
    PollInput(game, raw);
    return raw;
}

InputState AtStart() {
    InputState s;
    s.mouseX = 400;
    s.mouseY = 300;
    return s;
}

}  // namespace

TEST(WebInput, AClickBetweenTwoFramesCountsOnceAndAHeldButtonStaysHeld) {
    WebInput web;
    InputState game = AtStart();
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
    InputState game = AtStart();
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
    InputState game = AtStart();
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

TEST(WebInput, TheGameKeysAreReadLikeTheButtonsAndKeysMoveThePointerTheMouseLeft) {
    WebInput web;
    InputState game = AtStart();
    web.PointerAt(400, 300, 1024, 768);
    Frame(web, game);
    // A quick Tab between two frames; Backspace is the right button.
    web.Key(WebKey::Tab, true);
    web.Key(WebKey::Tab, false);
    web.Key(WebKey::Backspace, true);
    RawInput r = Frame(web, game);
    EXPECT_TRUE(r.tab && r.right && !r.backTab);
    web.Key(WebKey::Backspace, false);
    for (WebKey k : {WebKey::Hint, WebKey::Inventory, WebKey::TextPace, WebKey::BackTab}) web.Key(k, true);
    r = Frame(web, game);
    EXPECT_TRUE(r.hint && r.inventory && r.textPace && r.backTab);
    web.Release();
    EXPECT_FALSE(Frame(web, game).hint);

    // An arrow moves the game's pointer, and it stays there while the page's pointer does not move.
    web.Key(WebKey::Right, true);
    Frame(web, game);
    Frame(web, game);
    web.Key(WebKey::Right, false);
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
