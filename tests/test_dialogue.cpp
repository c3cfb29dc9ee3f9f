// Conversations: the menu over the choices still offered, the lines and their clicks, the switches.
#include <gtest/gtest.h>

#include "logic/dialogue.h"
#include "support.h"

namespace vz::test {
namespace {

struct DialogueTest : ::testing::Test, Session {
    // Talks to the person at (x, y) of scene `scene`; the menu is up afterwards.
    void TalkTo(int scene, int x, int y) {
        EnterScene(*game, platform, scene);
        SetVerb(*game, kTalk);
        Click(x, y);
        EXPECT_EQ(w.cursor.verb, kWalk);
        ASSERT_GE(UntilState(GameState::Dialogue), 0);
    }
    int Available(int person, int choice) const { return s.trees[person].choices[choice].available; }
};

TEST_F(DialogueTest, KaiHandsOverHisDrinkWithTheFirstReplyAndOffersItOnlyOnce) {
    TalkTo(kBarScene, 560, 300);
    EXPECT_EQ(w.hero.facing, kRight);
    Click(300, 635);  // between two lines: nothing
    EXPECT_EQ(s.selectedChoice, -1);
    Click(300, 650);  // the second line
    ASSERT_EQ(s.selectedChoice, 1);
    EXPECT_EQ(w.carried[kCocktail], 0);  // the hero is still saying his line
    Frame(*game, platform, LeftButton());  // a click skips it
    EXPECT_EQ(s.lineIndex, 0);
    EXPECT_EQ(w.carried[kCocktail], 1);
    EXPECT_EQ(Available(kKai, 1), 0);
    EXPECT_EQ(Until([&] { return s.lineIndex == 1; }), 100);  // unclicked, a line stays 100 frames
    EXPECT_EQ(Until([&] { return s.selectedChoice == -1; }), 100);

    Click(300, 650);  // two choices left: "See you later" sits at y 640
    ASSERT_EQ(s.selectedChoice, 2);
    ClickHere(*game, platform);
    ClickHere(*game, platform);
    EXPECT_EQ(w.state, GameState::Dialogue);  // it ends only after the last reply
    ClickHere(*game, platform);
    EXPECT_EQ(w.state, GameState::Play);
}

TEST_F(DialogueTest, TheNativeWomanOffersTheFavourOnlyOnceAskedForTheRaft) {
    TalkTo(kVillageScene, 850, 450);
    const char* stranded = "I'm stranded on this island and want#to get away.";
    MoveTo(*game, platform, 300, 500);  // off the lines, so none is highlighted
    EXPECT_TRUE(Shows(20, 640, stranded));  // "#" as a blank in the menu
    Click(300, 650);
    ASSERT_EQ(s.selectedChoice, 1);
    EXPECT_TRUE(Shows(500, 200, stranded, true));  // a line break when said
    EXPECT_EQ(Available(kNative, 2), 0);
    ClickHere(*game, platform);  // past his line: the action runs
    EXPECT_EQ(Available(kNative, 1), 0);
    EXPECT_EQ(Available(kNative, 2), 1);
    ClickHere(*game, platform);
    Click(300, 650);  // "What favour?" took the freed second line
    EXPECT_EQ(s.selectedChoice, 2);
    for (int i = 0; i < 3; ++i) ClickHere(*game, platform);
    Click(300, 680);  // "Goodbye"
    ASSERT_EQ(s.selectedChoice, 3);
    ClickHere(*game, platform);
    EXPECT_EQ(w.state, GameState::Dialogue);
    ClickHere(*game, platform);
    EXPECT_EQ(w.state, GameState::Play);
}

TEST_F(DialogueTest, JimsTreasureReplacesTheSpadeQuestionOnTheClick) {
    TalkTo(kHolesScene, 260, 350);
    EXPECT_EQ(w.hero.facing, kLeft);
    MoveTo(*game, platform, 300, 650);
    Frame(*game, platform, LeftButton());
    ASSERT_EQ(s.selectedChoice, 1);
    EXPECT_EQ(Available(kJim, 1), 0);
    EXPECT_EQ(Available(kJim, 2), 1);
}

}  // namespace
}  // namespace vz::test
