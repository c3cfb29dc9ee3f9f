// Item rules: which pairs combine, what they use up, where the results go and what a wrong pair says.
#include <gtest/gtest.h>

#include "logic/rules.h"
#include "support.h"

namespace vz::test {
namespace {

struct RulesTest : ::testing::Test, Session {
    void SetUp() override { SetVerb(*game, kTake); }
};

TEST_F(RulesTest, EngineOnTheRaftAnswersInPlaceUntilTheRaftIsGivenThenBuildsTheMotorizedRaft) {
    EXPECT_EQ(FindCombination(s, kCocktail, kSugar), 0);  // either order
    EnterScene(*game, platform, kVillageScene);
    Hold(kEngine);
    Click(680, 330);  // the raft
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_EQ(s.messageKind, kMessageRuleText);
    EXPECT_EQ(w.hero.targetX, 450);                      // he does not walk
    EXPECT_TRUE(Shows(580, 230, "I don't have the raft yet"));  // at the engine's text position

    Click(680, 330);  // ends the message only
    s.raftComboItem() = kRaft;
    s.noRaftMessageItem() = kNoObject;  // no longer matches the raft
    Click(680, 330);
    EXPECT_EQ(s.heldItem, -1);
    ASSERT_GE(UntilState(GameState::Play), 0);
    EXPECT_EQ(w.objects[kRaft].inScene, 0);
    EXPECT_EQ(w.carried[kEngine], 0);
    EXPECT_EQ(w.carried[kMotorRaft], 1);
    EXPECT_EQ(w.hero.facing, kRight);
}

TEST_F(RulesTest, UseOnObjectAppliesItsRuleOnceOnArrivalEvenWhenAClickCutsItShort) {
    EnterScene(*game, platform, kJungleScene);
    Hold(kSleepingPill);
    MoveTo(*game, platform, 546, 462);  // the monkey
    Frame(*game, platform, LeftButton());
    ASSERT_EQ(w.state, GameState::UseOnObject);
    EXPECT_EQ(s.heldItem, -1);
    for (int n = 1; !HeroArrived(w.hero); ++n)  // on the way clicks are not looked at
        Frame(*game, platform, n % 6 == 0 ? LeftButton() : RawInput{});
    EXPECT_EQ(w.state, GameState::UseOnObject);
    EXPECT_EQ(w.objects[kMonkey].inScene, 1);
    Quiet();
    Frame(*game, platform, LeftButton());  // the first frame after arrival, cut short
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_EQ(w.objects[kMonkey].inScene, 0);
    EXPECT_EQ(w.carried[kSleepingPill], 0);
    EXPECT_EQ(w.objects[kSleepingMonkey].inScene, 1);  // it lies in the jungle, not in the pockets
    EXPECT_EQ(w.carried[kSleepingMonkey], 0);

    Quiet();
    Hold(kLiane);
    Click(546, 462);
    ASSERT_GE(Until([&] { return w.objects[kLeashedMonkey].inScene == 1; }), 0);
    EXPECT_EQ(w.objects[kSleepingMonkey].inScene, 0);
    EXPECT_EQ(w.carried[kLiane], 0);
    EXPECT_TRUE(Shows(500, 370, "He can't get away any more"));
    w.carried[kLiane] = 1;  // were the rule applied again, the liane would go again
    ASSERT_GE(UntilState(GameState::Play), 0);
    EXPECT_EQ(w.carried[kLiane], 1);
}

TEST_F(RulesTest, KeepFlagsDecideWhatStaysInTheSceneAndInThePockets) {
    EnterScene(*game, platform, kPalmScene);
    Hold(kLeashedMonkey);
    Click(260, 260);  // the coconut
    ASSERT_GE(UntilState(GameState::Play), 0);
    EXPECT_EQ(w.carried[kLeashedMonkey], 1);
    EXPECT_EQ(w.objects[kCoconut].inScene, 0);
    EXPECT_EQ(w.carried[kCoconut], 1);

    // In the panel: the cocktail held over the sugar sweetens it and keeps the sugar.
    w.carried.fill(0);
    w.carried[kSugar] = w.carried[kCocktail] = 1;
    MoveTo(*game, platform, 500, 17);
    ASSERT_EQ(w.state, GameState::InventoryScreen);
    s.heldItem = kCocktail;
    Click(150, 150);  // the sugar in the first cell
    EXPECT_EQ(w.carried[kSugar], 1);
    EXPECT_EQ(w.carried[kCocktail], 0);
    EXPECT_EQ(w.carried[kSweetCocktail], 1);
    EXPECT_EQ(s.heldItem, -1);
    EXPECT_TRUE(Shows(512, 520, "The cocktail is sweet now", false, true));
}

TEST_F(RulesTest, TheCoconutStaysWhenTheLeashedMonkeyMeetsItAgainInThePanel) {
    // Once fetched, the coconut and the leashed monkey are both carried, and their rule still
    // matches in the panel, either way round. Whatever it answers, neither may be lost.
    for (bool monkeyHeld : {true, false}) {
        w.carried.fill(0);
        w.carried[kCoconut] = w.carried[kLeashedMonkey] = 1;
        w.objects[kCoconut].inScene = 0;
        w.state = GameState::InventoryScreen;
        s.heldItem = monkeyHeld ? kLeashedMonkey : kCoconut;
        Click(monkeyHeld ? 150 : 250, 150);  // the coconut in the first cell, the monkey in the second
        EXPECT_EQ(s.messageKind, kRuleMessage) << monkeyHeld;
        EXPECT_EQ(w.carried[kCoconut], 1) << monkeyHeld;
        EXPECT_EQ(w.carried[kLeashedMonkey], 1) << monkeyHeld;
        EXPECT_EQ(w.objects[kCoconut].inScene, 0) << monkeyHeld;
        EXPECT_EQ(s.heldItem, -1) << monkeyHeld;
        ClickHere(*game, platform);
    }
}

TEST_F(RulesTest, APairWithoutARuleShowsTheHeldItemsUseTextAndKeepsIt) {
    Hold(kSpade);
    Click(180, 370);  // the ship
    EXPECT_EQ(s.messageKind, kUseMessage);
    EXPECT_EQ(s.heldItem, kSpade);
    EXPECT_TRUE(Shows(420, 340, "I can't dig there"));  // at the ship's text position
    Click(180, 370);
    Hold(kRaft);
    Click(220, 720);  // the ocean
    EXPECT_EQ(s.messageKind, kMessageRuleText);
    EXPECT_TRUE(Shows(260, 630, "It's useless without an engine"));
    Click(220, 720);
    Hold(kMotorRaft);
    Click(840, 520);  // the root plant
    EXPECT_TRUE(Shows(760, 390, "No"));
    Click(840, 520);

    w.carried.fill(0);  // an item clicked with itself in the panel
    Hold(kSpade);
    w.state = GameState::InventoryScreen;
    Click(150, 150);
    EXPECT_EQ(s.heldItem, kSpade);
    EXPECT_TRUE(Shows(512, 520, "I can't dig there", false, true));

    ClickHere(*game, platform);
    w.state = GameState::Play;  // the motorized raft on the ocean ends the game in this frame
    Hold(kMotorRaft);
    MoveTo(*game, platform, 220, 720);
    Frame(*game, platform, LeftButton());
    EXPECT_EQ(w.state, GameState::Ending);
    EXPECT_EQ(game->creditsCounter, 1);
}

}  // namespace
}  // namespace vz::test
