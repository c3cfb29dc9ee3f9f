// Verbs on the scenery and the islanders, responses and the clicks that end them, taking, the panel.
#include <gtest/gtest.h>

#include "logic/interaction.h"
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

}  // namespace
}  // namespace vz::test
