// Item rules: which pairs combine, what they use up, where the results go and what a wrong pair says.
#include <gtest/gtest.h>

#include "logic/rules.h"
#include "support.h"

namespace vz::test {
namespace {

struct RulesTest : ::testing::Test {
    MemoryPlatform platform;
    int fonts = UseRealPictures(platform, {"images/text.sbf", "images/text1.sbf"});
    std::unique_ptr<Game> game = StartedGame(platform);
    World& w = game->world;
    Story& s = game->story;

    void SetUp() override {
        ASSERT_EQ(fonts, 2) << "run the tests from the build folder, after the pictures were built";
        StartNewGame(*game, platform);
        SetVerb(*game, kTake);
    }
    void Hold(int item) {
        w.carried[item] = 1;
        s.heldItem = item;
    }
    bool Shows(int x, int y, const char* text, bool centred = false) {
        return TextShown(platform.LastFrame(), w.fonts, x, y, text, false, centred);
    }
};

TEST_F(RulesTest, RulesPairInEitherOrderAndNinetyNineSwitchesOneOff) {
    EXPECT_EQ(FindCombination(s, kSugar, kCocktail), 0);
    EXPECT_EQ(FindCombination(s, kCocktail, kSugar), 0);
    EXPECT_EQ(FindCombination(s, kMonkey, kSleepingPill), 4);
    EXPECT_EQ(FindMessageRule(s, kOcean, kRaft), 0);
    EXPECT_EQ(FindCombination(s, kBottle, kSugar), -1);
    EXPECT_EQ(FindMessageRule(s, kSlipperyPlant, kMonkey), -1);
    // Until the native woman gives the raft away the engine only answers.
    EXPECT_EQ(FindCombination(s, kEngine, kRaft), -1);
    EXPECT_EQ(FindMessageRule(s, kEngine, kRaft), 3);
    s.raftComboItem() = kRaft;
    s.noRaftMessageItem() = kNoObject;
    EXPECT_EQ(FindCombination(s, kEngine, kRaft), 7);
    EXPECT_EQ(FindCombination(s, kRaft, kEngine), 7);
    EXPECT_EQ(FindMessageRule(s, kRaft, kEngine), -1);
}

TEST_F(RulesTest, EngineOnTheRaftAnswersWithoutWalkingUntilTheRaftIsGivenThenBuildsTheMotorizedRaft) {
    EnterScene(*game, platform, kVillageScene);
    Hold(kEngine);
    ClickAt(*game, platform, 680, 330);  // the raft
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_EQ(s.messageKind, kMessageRuleText);
    EXPECT_EQ(s.messageSubject, 3);
    EXPECT_EQ(w.hero.targetX, 450);  // he stays where he is
    EXPECT_TRUE(Shows(580, 230, "I don't have the raft yet"));  // at the engine's text position
    EXPECT_EQ(w.objects[kRaft].inScene, 1);

    ClickHere(*game, platform);  // ends the message only
    EXPECT_EQ(s.messageKind, kNoMessage);
    s.raftComboItem() = kRaft;
    s.noRaftMessageItem() = kNoObject;
    s.heldItem = kEngine;
    ClickAt(*game, platform, 680, 330);
    EXPECT_EQ(s.heldItem, -1);
    ASSERT_GE(RunUntil(*game, platform, [&] { return w.state == GameState::Play; }), 0);
    EXPECT_EQ(w.objects[kRaft].inScene, 0);
    EXPECT_EQ(w.carried[kRaft], 0);
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
    EXPECT_EQ(s.messageKind, kRuleMessage);
    EXPECT_EQ(s.messageSubject, 4);
    // On the way clicks are not looked at and nothing is used up yet.
    for (int n = 1; !HeroArrived(w.hero); ++n) Frame(*game, platform, n % 6 == 0 ? LeftButton() : RawInput{});
    EXPECT_EQ(w.state, GameState::UseOnObject);
    EXPECT_EQ(w.objects[kMonkey].inScene, 1);
    EXPECT_EQ(w.carried[kSleepingPill], 1);
    for (int i = 0; i < 5; ++i) Frame(*game, platform);
    Frame(*game, platform, LeftButton());  // the first frame after arrival, cut short
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_EQ(w.objects[kMonkey].inScene, 0);
    EXPECT_EQ(w.carried[kSleepingPill], 0);
    EXPECT_EQ(w.objects[kSleepingMonkey].inScene, 1);  // it lies in the jungle, not in the pockets
    EXPECT_EQ(w.carried[kSleepingMonkey], 0);
    for (int i = 0; i < 5; ++i) Frame(*game, platform);

    // The liane on the sleeping monkey, left to run its course.
    Hold(kLiane);
    ClickAt(*game, platform, 546, 462);
    ASSERT_GE(RunUntil(*game, platform, [&] { return w.objects[kLeashedMonkey].inScene == 1; }), 0);
    EXPECT_EQ(w.objects[kSleepingMonkey].inScene, 0);
    EXPECT_EQ(w.carried[kLiane], 0);
    EXPECT_TRUE(Shows(500, 370, "He can't get away any more"));
    w.carried[kLiane] = 1;  // were the rule applied again, the liane would go again
    ASSERT_GE(RunUntil(*game, platform, [&] { return w.state == GameState::Play; }), 0);
    EXPECT_EQ(w.carried[kLiane], 1);
    EXPECT_EQ(w.carried[kLeashedMonkey], 0);
}

TEST_F(RulesTest, KeepFlagsDecideWhatStaysInTheSceneAndInThePockets) {
    // The leashed monkey fetches the coconut and stays with the hero.
    EnterScene(*game, platform, kPalmScene);
    Hold(kLeashedMonkey);
    ClickAt(*game, platform, 260, 260);
    ASSERT_GE(RunUntil(*game, platform, [&] { return w.state == GameState::Play; }), 0);
    EXPECT_EQ(w.carried[kLeashedMonkey], 1);
    EXPECT_EQ(w.objects[kCoconut].inScene, 0);
    EXPECT_EQ(w.carried[kCoconut], 1);

    // In the panel: the cocktail held over the sugar sweetens it and keeps the sugar.
    w.carried.fill(0);
    w.carried[kSugar] = w.carried[kCocktail] = 1;
    MoveTo(*game, platform, 500, 17);
    ASSERT_EQ(w.state, GameState::InventoryScreen);
    s.heldItem = kCocktail;
    ClickAt(*game, platform, 150, 150);  // the sugar, first cell
    EXPECT_EQ(w.carried[kSugar], 1);
    EXPECT_EQ(w.carried[kCocktail], 0);
    EXPECT_EQ(w.carried[kSweetCocktail], 1);
    EXPECT_EQ(s.heldItem, -1);
    EXPECT_EQ(w.state, GameState::InventoryScreen);
    EXPECT_TRUE(Shows(512, 520, "The cocktail is sweet now", true));
}

TEST_F(RulesTest, APairWithoutARuleShowsTheHeldItemsUseTextAndKeepsIt) {
    Hold(kSpade);
    ClickAt(*game, platform, 180, 370);  // the ship
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_EQ(s.messageKind, kUseMessage);
    EXPECT_EQ(s.heldItem, kSpade);
    EXPECT_TRUE(Shows(420, 340, "I can't dig there"));  // at the ship's text position
    ClickHere(*game, platform);

    // The raft on the ocean only answers; the motorized raft anywhere else says "No".
    Hold(kRaft);
    ClickAt(*game, platform, 220, 720);
    EXPECT_EQ(s.messageKind, kMessageRuleText);
    EXPECT_EQ(s.messageSubject, 0);
    EXPECT_TRUE(Shows(260, 630, "It's useless without an engine"));
    ClickHere(*game, platform);
    Hold(kMotorRaft);
    ClickAt(*game, platform, 840, 520);  // the root plant
    EXPECT_EQ(s.messageKind, kUseMessage);
    EXPECT_TRUE(Shows(760, 390, "No"));
    ClickHere(*game, platform);

    // An item clicked with itself in the panel.
    w.carried.fill(0);
    Hold(kSpade);
    w.state = GameState::InventoryScreen;
    ClickAt(*game, platform, 150, 150);
    EXPECT_EQ(s.messageKind, kUseMessage);
    EXPECT_EQ(s.heldItem, kSpade);
    EXPECT_TRUE(Shows(512, 520, "I can't dig there", true));
}

TEST_F(RulesTest, TheMotorizedRaftOnTheOceanStartsTheEnding) {
    Hold(kMotorRaft);
    MoveTo(*game, platform, 220, 720);
    Frame(*game, platform, LeftButton());
    EXPECT_EQ(w.state, GameState::Ending);
    EXPECT_EQ(game->creditsCounter, 1);  // the ending's first frame ran in the same pass
}

}  // namespace
}  // namespace vz::test
