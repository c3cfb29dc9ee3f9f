// Verbs on the scenery and the islanders, responses and the clicks that end them, taking, the panel.
#include <gtest/gtest.h>

#include <functional>

#include "logic/interaction.h"
#include "shell/replay.h"
#include "support.h"

namespace vz::test {
namespace {

struct InteractionTest : ::testing::Test, Session {
    InteractionTest() : Session({"images/quarro/quarro1-rn0.sbf"}) {}
};

TEST_F(InteractionTest, LookTalkAndTakeAnswerAndAClickOnlyEndsTheAnswer) {
    SetVerb(*game, kLook);
    MoveTo(*game, platform, 840, 520);  // the root plant
    Frame(*game, platform, LeftButton());
    EXPECT_EQ(s.messageSubject, kRootPlant);
    Frame(*game, platform);  // the answer shows from the frame after the click, for 100 frames
    EXPECT_TRUE(Shows(760, 390, "The root can be used#as a sleeping pill", true));
    EXPECT_EQ(Until([&] { return s.messageTimer == 0; }), 99);
    EXPECT_EQ(s.messageKind, kNoMessage);

    ClickHere(*game, platform);
    RawInput right;
    right.right = true;
    Frame(*game, platform, right);  // a right click while it shows does nothing
    EXPECT_EQ(w.cursor.verb, kLook);
    Quiet();
    SetVerb(*game, kTake);
    ClickHere(*game, platform);  // ends the answer, takes nothing
    EXPECT_EQ(s.messageKind, kNoMessage);
    ClickHere(*game, platform);
    EXPECT_TRUE(Shows(760, 390, "It's to deep in the earth", true));
    SetVerb(*game, kTalk);
    ClickHere(*game, platform);
    ClickHere(*game, platform);
    EXPECT_EQ(s.messageKind, kTalkMessage);

    SetVerb(*game, kWalk);  // with Walk, the click that ends an answer still sends the hero
    MoveTo(*game, platform, 600, 500);
    Frame(*game, platform, LeftButton());
    EXPECT_EQ(s.messageKind, kNoMessage);
    EXPECT_EQ(w.hero.targetX, 600 - kHeroFootX);
    EXPECT_EQ(w.hero.targetY, 500 - kHeroFootY);
}

TEST_F(InteractionTest, LookAndTakeOnAnIslanderAnswerAtHisTextPosition) {
    EnterScene(*game, platform, kBarScene);
    SetVerb(*game, kLook);
    Click(560, 300);  // Kai
    EXPECT_EQ(s.personMessage, kKai);
    EXPECT_TRUE(Shows(500, 200, "Kai the barkeeper", true));
    ClickHere(*game, platform);
    EXPECT_EQ(s.personMessage, -1);
    SetVerb(*game, kTake);
    ClickHere(*game, platform);
    EXPECT_TRUE(Shows(500, 200, "I don't want him", true));
}

TEST_F(InteractionTest, TakingWalksOverThenBendsFor14Frames) {
    EnterScene(*game, platform, kBarScene);
    SetVerb(*game, kTake);
    Click(840, 527);  // the sugar
    ASSERT_EQ(w.state, GameState::WalkToObject);
    MoveTo(*game, platform, 500, 17);  // the panel does not open while he walks over
    ASSERT_GE(Until([&] { return HeroArrived(w.hero); }), 0);
    EXPECT_EQ(w.state, GameState::WalkToObject);
    Frame(*game, platform);
    EXPECT_EQ(w.hero.facing, kRight);
    Surface again = platform.LastFrame();
    DrawHeroPose(w.hero, w.hero.bendRightImage, again);
    EXPECT_EQ(again.pixels, platform.LastFrame().pixels);  // he bends down
    EXPECT_EQ(w.carried[kSugar], 0);
    EXPECT_EQ(Until([&] { return w.state != GameState::WalkToObject; }), 13);
    EXPECT_EQ(w.carried[kSugar], 1);
    EXPECT_EQ(w.objects[kSugar].inScene, 0);
    EXPECT_EQ(w.state, GameState::Play);
}

TEST_F(InteractionTest, OnlyTheTopBandOpensThePanelAndAHeldItemKeepsItShut) {
    MoveTo(*game, platform, 500, 20);
    EXPECT_EQ(w.state, GameState::Play);
    MoveTo(*game, platform, 500, 19);
    EXPECT_EQ(w.state, GameState::InventoryScreen);
    Click(690, 600);  // back
    EXPECT_EQ(w.state, GameState::Play);
    Hold(kSugar);
    MoveTo(*game, platform, 500, 17);
    EXPECT_EQ(w.state, GameState::Play);
}

TEST_F(InteractionTest, OfTwoObjectsUnderTheCursorTheFirstInSlotOrderTakesTheClick) {
    EnterScene(*game, platform, kJungleScene);
    w.objects[kLeashedMonkey].inScene = 1;  // lies where the monkey sits
    SetVerb(*game, kLook);
    Click(546, 462);
    EXPECT_EQ(s.messageSubject, kMonkey);
}

TEST_F(InteractionTest, AnIslandersAnswerToLookOrTakeStays100FramesThenGoes) {
    EnterScene(*game, platform, kBarScene);
    for (const auto& [verb, text] : {std::pair{kLook, "Kai the barkeeper"}, std::pair{kTake, "I don't want him"}}) {
        SetVerb(*game, verb);
        MoveTo(*game, platform, 560, 300);
        Frame(*game, platform, LeftButton());
        ASSERT_EQ(s.personMessage, kKai) << text;
        int shown = 0;
        for (int n = 0; n < 150; ++n) {
            if (n == 0)
                MoveTo(*game, platform, 700, 650);  // off him, so that his name does not cover the last frame
            else
                Frame(*game, platform);
            if (!Shows(500, 200, text, true)) break;
            ++shown;
        }
        EXPECT_EQ(shown, 100) << text;
        EXPECT_EQ(s.personMessage, -1) << text;
        EXPECT_EQ(s.messageKind, kNoMessage) << text;
        Quiet();
    }
}

TEST_F(InteractionTest, AWalkClickOnAnIslanderOnlySendsTheHeroThere) {
    EnterScene(*game, platform, kBarScene);
    SetVerb(*game, kWalk);
    MoveTo(*game, platform, 560, 300);  // Kai
    Hero expected = w.hero;
    SetWalkTargetFromClick(expected, 560, 300, w.location.walkMask);
    ASSERT_FALSE(HeroArrived(expected));
    Frame(*game, platform, LeftButton());
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_EQ(s.personMessage, -1);
    EXPECT_EQ(s.messageKind, kNoMessage);
    EXPECT_EQ(s.messageTimer, 0);
    EXPECT_EQ(std::pair(w.hero.targetX, w.hero.targetY), std::pair(expected.targetX, expected.targetY));
    Quiet();
    EXPECT_EQ(w.state, GameState::Play) << "no conversation follows";
}

TEST_F(InteractionTest, ARightClickWithAnItemHeldDropsItAndKeepsTheVerb) {
    SetVerb(*game, kTake);
    Hold(kSugar);
    RawInput right;
    right.right = true;
    Frame(*game, platform, right);
    EXPECT_EQ(s.heldItem, -1);
    EXPECT_EQ(w.cursor.verb, kTake);
    EXPECT_EQ(w.carried[kSugar], 1) << "dropped from the cursor, still carried";
    Quiet();
    Frame(*game, platform, right);  // with nothing held the verb moves on
    EXPECT_EQ(w.cursor.verb, kLook);
    Quiet();
    Hold(kSugar);  // in the panel as well
    MoveTo(*game, platform, 500, 300);
    s.heldItem = -1;
    MoveTo(*game, platform, 500, 17);
    ASSERT_EQ(w.state, GameState::InventoryScreen);
    s.heldItem = kSugar;
    Frame(*game, platform, right);
    EXPECT_EQ(s.heldItem, -1);
    EXPECT_EQ(w.cursor.verb, kLook);
}

TEST_F(InteractionTest, LookAndTalkOnACarriedItemAnswerInThePanelFor100Frames) {
    w.carried[kSugar] = 1;
    MoveTo(*game, platform, 500, 17);
    ASSERT_EQ(w.state, GameState::InventoryScreen);
    const WorldObject& sugar = w.objects[kSugar];
    for (const auto& [verb, text] : {std::pair{kLook, sugar.lookText}, std::pair{kTalk, sugar.talkText}}) {
        SetVerb(*game, verb);
        MoveTo(*game, platform, 150, 150);  // the first cell
        EXPECT_TRUE(Shows(512, 520, sugar.name, false, true)) << "its name while nothing is said";
        Frame(*game, platform, LeftButton());
        EXPECT_TRUE(Shows(512, 520, text, false, true)) << text;
        EXPECT_FALSE(Shows(512, 520, sugar.name, false, true)) << text;
        EXPECT_EQ(Until([&] { return s.messageTimer == 0; }), 99) << text;
        EXPECT_TRUE(Shows(512, 520, text, false, true)) << "its last frame";
        Frame(*game, platform);
        EXPECT_FALSE(Shows(512, 520, text, false, true)) << text;
        EXPECT_TRUE(Shows(512, 520, sugar.name, false, true)) << text;
        EXPECT_EQ(s.heldItem, -1) << "looking or talking takes nothing onto the cursor";
        Quiet();
    }
}

TEST_F(InteractionTest, AnAnswerThatWouldRunOffTheScreenEndsInsideItAndOthersStayPut) {
    const char* sweet = "That doesn't have to be sweet";
    const int left = TextLeftInsideScreen(760, false, sweet);
    ASSERT_LT(left, 760);
    ASSERT_LE(left + BitmapTextWidth(false, sweet), kScreenWidth);

    // the sugar handed to the native woman answers at her text position, moved left to show its end
    EnterScene(*game, platform, kVillageScene);
    Hold(kSugar);
    SetVerb(*game, kTake);
    Click(850, 400);
    Frame(*game, platform);
    EXPECT_TRUE(Shows(left, 235, sweet));
    EXPECT_FALSE(Shows(760, 235, sweet));

    // her own answer fits and starts where the table says, as does her label
    ClickHere(*game, platform);
    s.heldItem = -1;
    SetVerb(*game, kLook);
    Click(850, 400);
    Frame(*game, platform);
    EXPECT_TRUE(Shows(760, 235, "A resident of the isle", true));
    ClickHere(*game, platform);
    Quiet();
    Frame(*game, platform);
    EXPECT_TRUE(Shows(760, 235, "a native", true));
}

// Two games fed the same input, one of them with the hotspot key held throughout.
struct HotspotTwins {
    Session held{{"images/cursor/rechts.sbf", "images/cursor/links.sbf", "images/cursor/oben.sbf"}};
    Session plain{{"images/cursor/rechts.sbf", "images/cursor/links.sbf", "images/cursor/oben.sbf"}};

    void Frame(RawInput r = {}) {
        r.hotspots = true;
        test::Frame(*held.game, held.platform, r);
        r.hotspots = false;
        test::Frame(*plain.game, plain.platform, r);
    }
    void MoveTo(int x, int y) {
        RawInput r;
        r.dx = x - plain.w.input.mouseX;
        r.dy = y - plain.w.input.mouseY;
        Frame(r);
    }
    void ClickAt(int x, int y) {
        MoveTo(x, y);
        Frame(LeftButton());
    }
    void ForBoth(const std::function<void(Session&)>& f) {
        f(held);
        f(plain);
    }
    bool SameState() const { return StateJson(*held.game) == StateJson(*plain.game); }
    bool SamePicture() const { return held.platform.LastFrame().pixels == plain.platform.LastFrame().pixels; }
};

// True when the picture already shows `image` at (x, y): drawing it again changes nothing.
bool SpriteShown(const Surface& frame, const Surface& image, int x, int y) {
    Surface again = frame;
    DrawSprite(image.width, image.height, x, y, image, again);
    return again.pixels == frame.pixels;
}

TEST(HotspotKey, NamesEverythingInTheSceneAndEveryExitWithoutChangingAnything) {
    HotspotTwins t;
    t.ForBoth([](Session& g) {
        EnterScene(*g.game, g.platform, kBarScene);
        SetVerb(*g.game, kLook);
    });
    t.MoveTo(700, 600);  // over nothing
    ASSERT_TRUE(t.SameState());
    Session& h = t.held;
    EXPECT_TRUE(h.Shows(800, 450, "sugar"));
    EXPECT_TRUE(h.Shows(50, 370, "a plant"));
    EXPECT_TRUE(h.Shows(500, 200, "Kai", true));
    EXPECT_FALSE(t.plain.Shows(800, 450, "sugar"));
    // The bar's three exits: right at the palm beach side, left to the ship, up into the jungle.
    const Cursor& c = h.w.cursor;
    EXPECT_TRUE(SpriteShown(h.platform.LastFrame(), c.images[kArrowRight], 961, 609));
    EXPECT_TRUE(SpriteShown(h.platform.LastFrame(), c.images[kArrowLeft], 34, 708));
    EXPECT_TRUE(SpriteShown(h.platform.LastFrame(), c.images[kArrowUp], 254, 329));
    EXPECT_FALSE(SpriteShown(t.plain.platform.LastFrame(), c.images[kArrowUp], 254, 329));

    // A click is not eaten: Look on the sugar answers in both games alike. While the answer
    // shows, names wait (the answer stands where the name would) and the arrows stay.
    t.ClickAt(840, 527);
    ASSERT_EQ(h.s.messageSubject, kSugar);
    t.Frame();
    EXPECT_TRUE(t.SameState());
    EXPECT_TRUE(h.Shows(800, 450, "always nice to have", true));
    EXPECT_FALSE(h.Shows(50, 370, "a plant"));
    EXPECT_TRUE(SpriteShown(h.platform.LastFrame(), c.images[kArrowUp], 254, 329));

    // Talking to Kai: the walk over, then the conversation, where the key draws nothing.
    t.ForBoth([](Session& g) { g.Quiet(100); });
    t.ForBoth([](Session& g) { SetVerb(*g.game, kTalk); });
    t.ClickAt(560, 300);
    int conversationFrames = 0;
    for (int i = 0; i < 300 && conversationFrames < 20; ++i) {
        t.Frame();
        ASSERT_TRUE(t.SameState()) << i;
        if (h.w.state != GameState::Play) {
            EXPECT_TRUE(t.SamePicture()) << static_cast<int>(h.w.state);
            conversationFrames += h.w.state == GameState::Dialogue;
        }
    }
    EXPECT_EQ(conversationFrames, 20);
}

}  // namespace
}  // namespace vz::test
