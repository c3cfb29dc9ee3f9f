// The touch controls in the game: what each does, what a finger on them leaves alone, when they show.
#include "shell/touch.h"

#include "platform/touch.h"

#include <gtest/gtest.h>

#include <utility>

#include "logic/hints.h"
#include "shell/savegame.h"
#include "support.h"

using namespace vz;
using namespace vz::test;

namespace {

// A machine with sound and full screen, counting what the menu asks of it.
class TouchPlatform : public MemoryPlatform {
public:
    bool sound = true;
    int mutes = 0;
    int fullscreens = 0;
    bool HasSound() const override { return sound; }
    void ToggleMute() override { ++mutes; }
    bool CanToggleFullscreen() const override { return true; }
    void ToggleFullscreen() override { ++fullscreens; }
};

// The centre of a control's cell.
std::pair<int, int> At(TouchButton b) {
    const ScreenRect r = TouchButtonCell(b);
    return {r.x + r.width / 2, r.y + r.height / 2};
}
std::pair<int, int> AtEntry(int row) {
    const ScreenRect r = MenuEntryCell(row);
    return {r.x + r.width / 2, r.y + r.height / 2};
}

// A finger on the game, as the platform's gestures report it frame by frame.
class Hand : public ::testing::Test {
protected:
    void SetUp() override {
        game = StartedGame(platform);
        StartNewGame(*game, platform);
        ASSERT_EQ(game->world.state, GameState::Play);
    }
    RawInput Touching() const {
        RawInput r;
        r.touch = true;
        r.touchStartX = startX;
        r.touchStartY = startY;
        return r;
    }
    void Quiet(int frames = kClickCooldownFrames) {
        for (int i = 0; i < frames; ++i) Frame(*game, platform, Touching());
    }
    // Down (the pointer under the finger), up at once (a left click there), then the cooldown.
    void Tap(std::pair<int, int> at, bool longPress = false) {
        startX = at.first;
        startY = at.second;
        RawInput down = Touching();
        down.placed = true;
        down.x = at.first;
        down.y = at.second;
        Frame(*game, platform, down);
        RawInput up = down;
        (longPress ? up.right : up.left) = true;
        Frame(*game, platform, up);
        Quiet();
    }
    // A finger from one place to another in steps, then let go (no click: it moved).
    void Drag(std::pair<int, int> from, std::pair<int, int> to, int steps = 10) {
        startX = from.first;
        startY = from.second;
        for (int i = 0; i <= steps; ++i) {
            RawInput r = Touching();
            r.placed = true;
            r.x = from.first + (to.first - from.first) * i / steps;
            r.y = from.second + (to.second - from.second) * i / steps;
            Frame(*game, platform, r);
        }
    }
    std::pair<int, int> Pointer() const { return {game->world.input.mouseX, game->world.input.mouseY}; }

    TouchPlatform platform;
    std::unique_ptr<Game> game;
    int startX = -1, startY = -1;
};

TEST_F(Hand, TheVerbButtonStepsTheVerbAlsoOverAnExitAndClicksNothingBelowIt) {
    World& w = game->world;
    MoveTo(*game, platform, 970, 630);  // the mouse rests over the exit to the bar: its arrow shows
    ASSERT_EQ(w.cursor.shownImage, kArrowRight);
    for (int expected : {kTake, kLook, kTalk, kWalk}) {
        Tap(At(TouchButton::Verb));
        EXPECT_EQ(w.cursor.verb, expected);
    }
    // The finger on the button neither took the pointer nor clicked the exit under the last place.
    EXPECT_EQ(Pointer(), std::pair(970, 630));
    EXPECT_EQ(w.locationIndex, 0);
    EXPECT_TRUE(game->world.touch.shown);
    // A long press anywhere in the scene is the same step.
    Tap({300, 500}, true);
    EXPECT_EQ(w.cursor.verb, kTake);
    EXPECT_EQ(game->story.heldItem, -1);
}

TEST_F(Hand, WithAnItemHeldTheVerbButtonPutsItBackAndTheInventoryButtonStillOpensThePanel) {
    World& w = game->world;
    w.carried[kSugar] = 1;
    game->story.heldItem = kSugar;
    SetVerb(*game, kTake);
    Tap(At(TouchButton::Inventory));
    EXPECT_EQ(w.state, GameState::InventoryScreen);  // the mouse could not: the item keeps it off the edge
    EXPECT_EQ(game->story.heldItem, kSugar);
    Tap(At(TouchButton::Inventory));
    EXPECT_EQ(w.state, GameState::Play);
    Tap(At(TouchButton::Verb));
    EXPECT_EQ(game->story.heldItem, -1);
    EXPECT_EQ(w.cursor.verb, kTake);
}

TEST_F(Hand, TheNamesButtonHoldsTheHotspotKeyUntilTappedAgainOrTheMouseIsUsed) {
    World& w = game->world;
    Tap(At(TouchButton::Names));
    EXPECT_TRUE(w.touch.namesOn);
    EXPECT_TRUE(w.input.hotspotsHeld);
    Quiet(30);
    EXPECT_TRUE(w.input.hotspotsHeld);
    Tap(At(TouchButton::Names));
    EXPECT_FALSE(w.input.hotspotsHeld);
    Tap(At(TouchButton::Names));
    MoveTo(*game, platform, 500, 400);  // the mouse: no touch, no controls, no names
    EXPECT_FALSE(w.touch.shown || w.touch.namesOn || w.input.hotspotsHeld);
}

TEST_F(Hand, TheHintButtonGivesAHintAsHDoesInTheSceneThePanelAndAConversation) {
    World& w = game->world;
    Story& s = game->story;
    const SaveRecord before = GatherSaveRecord(w, s);
    Tap(At(TouchButton::Hint));
    EXPECT_EQ(s.messageKind, kHintMessage);
    EXPECT_EQ(s.hintLevel, 1);
    EXPECT_EQ(GatherSaveRecord(w, s), before) << "a hint changes nothing of the story";
    Tap({500, 500});  // a tap ends it, as a click does
    EXPECT_EQ(s.messageKind, kNoMessage);
    Tap(At(TouchButton::Hint));
    Tap({500, 500});
    Tap(At(TouchButton::Hint));
    EXPECT_EQ(s.hintLevel, 3) << "asked again, it says more";

    Tap({500, 500});
    Tap(At(TouchButton::Inventory));
    ASSERT_EQ(w.state, GameState::InventoryScreen);
    Tap(At(TouchButton::Hint));
    EXPECT_EQ(s.messageKind, kHintMessage);
    EXPECT_EQ(w.state, GameState::InventoryScreen);
}

TEST_F(Hand, TheMenuOffersWhatTheMachineHasAndATapBesideItOnlyClosesIt) {
    World& w = game->world;
    Tap(At(TouchButton::Menu));
    ASSERT_TRUE(w.touch.menuOpen);
    // Beside the menu with Walk: the menu closes and the hero stays.
    const int heroX = w.hero.targetX;
    Tap({200, 600});
    EXPECT_FALSE(w.touch.menuOpen);
    EXPECT_EQ(w.hero.targetX, heroX);
    Tap({200, 600});  // now it walks
    EXPECT_NE(w.hero.targetX, heroX);

    Tap(At(TouchButton::Menu));
    Tap(AtEntry(0));
    EXPECT_EQ(platform.mutes, 1);
    EXPECT_FALSE(w.touch.menuOpen);
    Tap(At(TouchButton::Menu));
    Tap(AtEntry(1));
    EXPECT_EQ(platform.fullscreens, 1);
    // Without sound there is no sound entry: full screen moves up, and quit after it.
    platform.sound = false;
    Tap(At(TouchButton::Menu));
    Tap(AtEntry(0));
    EXPECT_EQ(platform.fullscreens, 2);
    EXPECT_EQ(platform.mutes, 1);
    Tap(At(TouchButton::Menu));
    Tap(AtEntry(1));
    EXPECT_TRUE(game->quitRequested);
}

TEST_F(Hand, AFingerThatCameDownOnAControlKeepsThePointerAndOneFromTheSceneTakesItToTheTop) {
    World& w = game->world;
    Tap({500, 500});
    Drag(At(TouchButton::Verb), {300, 400});
    EXPECT_EQ(Pointer(), std::pair(500, 500));
    EXPECT_EQ(w.state, GameState::Play);
    // From the scene up over the controls and past the top edge: the inventory opens.
    Drag({870, 400}, {870, -40});
    EXPECT_EQ(w.state, GameState::InventoryScreen);
}

TEST_F(Hand, WhileTouchingNoPointerIsDrawnTheControlsAreAndTheNextFrameStartsWithoutThem) {
    // With the real cursor and control pictures.
    MemoryPlatform real;
    ASSERT_EQ(UseRealPictures(real, {"images/cursor/cursor0.sbf", "images/touch/walk.sbf", "images/touch/menu.sbf"}),
              3);
    auto g = StartedGame(real);
    StartNewGame(*g, real);
    const ScreenRect verb = TouchButtonCell(TouchButton::Verb);
    auto region = [&](const Surface& s, int x0, int y0, int w, int h) {
        std::vector<uint16_t> px;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) px.push_back(s.At(x, y));
        return px;
    };
    MoveTo(*g, real, 300, 500);
    const auto pointerShown = region(real.LastFrame(), 284, 484, 32, 32);
    const auto noControls = region(real.LastFrame(), verb.x, verb.y, verb.width, verb.height);
    RawInput finger;
    finger.touch = true;
    finger.placed = true;
    finger.x = 300;
    finger.y = 500;
    finger.touchStartX = 300;
    finger.touchStartY = 500;
    Frame(*g, real, finger);
    Frame(*g, real, finger);
    EXPECT_NE(region(real.LastFrame(), 284, 484, 32, 32), pointerShown);
    EXPECT_NE(region(real.LastFrame(), verb.x, verb.y, verb.width, verb.height), noControls);
    // The game's own picture is whole again once the frame was shown.
    EXPECT_EQ(region(g->world.backBuffer, verb.x, verb.y, verb.width, verb.height), noControls);
    MoveTo(*g, real, 300, 500);
    EXPECT_EQ(region(real.LastFrame(), 284, 484, 32, 32), pointerShown);
    EXPECT_EQ(region(real.LastFrame(), verb.x, verb.y, verb.width, verb.height), noControls);
}

// A quick tap (finger down and up between two frames) on an object, right after the pointer rested
// on an exit: the game must see the pointer leave the exit before the click, or the exit's arrow
// would take the click from the verb.
TEST(TouchGesturesInTheGame, AQuickTapAfterTheArrowOfAnExitStillActs) {
    MemoryPlatform platform;
    auto game = StartedGame(platform);
    StartNewGame(*game, platform);
    World& w = game->world;
    EnterScene(*game, platform, 1);  // the bar: the sugar, and the exit on the right
    SetVerb(*game, kLook);
    TouchGestures touch;
    uint32_t now = 0;
    auto frame = [&] {
        now += 40;
        touch.NewFrame();
        touch.Tick(now);
        RawInput r;
        touch.AddTo(r);
        Frame(*game, platform, r);
    };
    auto tap = [&](int x, int y) {
        touch.Down(1, x, y, now + 10);
        touch.Up(1, x, y, now + 20);
        for (int i = 0; i < 6; ++i) frame();
    };
    tap(970, 630);  // over the exit, which leads on at once
    ASSERT_EQ(w.locationIndex, 2);
    EnterScene(*game, platform, 1);
    frame();
    ASSERT_EQ(w.cursor.shownImage, kArrowRight);  // the pointer still there, over the exit
    tap(840, 527);
    EXPECT_EQ(game->story.messageKind, kLookMessage);
    EXPECT_EQ(game->story.messageSubject, kSugar);
}

// The controls stand where nothing of the game is: no exit, no object and no person of any scene
// lies under a cell, nor the inventory's grid or the choice panel.
TEST(TouchLayout, NoControlCoversAnythingThePlayerMustReach) {
    MemoryPlatform platform;
    auto game = StartedGame(platform);
    auto overlaps = [](const ScreenRect& a, int x, int y, int w, int h) {
        return a.x < x + w && x < a.x + a.width && a.y < y + h && y < a.y + a.height;
    };
    for (int b = 0; b < kTouchButtonCount; ++b) {
        const ScreenRect cell = TouchButtonCell(static_cast<TouchButton>(b));
        for (const ExitRow& row : kExitTable) {
            const Exit& x = row.exit;
            EXPECT_FALSE(overlaps(cell, x.left, x.top, x.right - x.left, x.bottom - x.top)) << b << " " << row.from;
        }
        for (const WorldObject& o : game->world.objects) EXPECT_FALSE(overlaps(cell, o.x, o.y, o.width, o.height)) << b;
        for (const Person& p : game->world.persons) EXPECT_FALSE(overlaps(cell, p.x, p.y, p.width, p.height)) << b;
        EXPECT_FALSE(overlaps(cell, 101, 101, 799, 399)) << b;  // the inventory's grid
        EXPECT_FALSE(overlaps(cell, 0, 600, 1024, 168)) << b;   // the choice panel
    }
}

}  // namespace
