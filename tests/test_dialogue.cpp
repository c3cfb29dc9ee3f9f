// Conversations: the menu over the choices still offered, the lines and their clicks, the switches.
#include <gtest/gtest.h>

#include "logic/dialogue.h"
#include "support.h"

namespace vz::test {
namespace {

struct DialogueTest : ::testing::Test {
    MemoryPlatform platform;
    int fonts = UseRealPictures(platform, {"images/text.sbf", "images/text1.sbf"});
    std::unique_ptr<Game> game = StartedGame(platform);
    World& w = game->world;
    Story& s = game->story;

    // Talks to the person at (x, y) of scene `scene`; the menu is up afterwards.
    void TalkTo(int scene, int x, int y) {
        ASSERT_EQ(fonts, 2);
        StartNewGame(*game, platform);
        EnterScene(*game, platform, scene);
        SetVerb(*game, kTalk);
        ClickAt(*game, platform, x, y);
        EXPECT_EQ(w.cursor.verb, kWalk);
        ASSERT_GE(RunUntil(*game, platform, [&] { return w.state == GameState::Dialogue; }), 0);
        ASSERT_EQ(s.selectedChoice, -1);
    }
    // A click on the menu line whose band holds y (lines at 610, 640, 670, ...).
    void ClickMenu(int y) { ClickAt(*game, platform, 300, y); }
    int Available(int person, int choice) const { return s.trees[person].choices[choice].available; }
};

TEST_F(DialogueTest, KaiHandsOverHisDrinkWithTheFirstReplyAndOffersItOnlyOnce) {
    TalkTo(kBarScene, 560, 300);
    EXPECT_EQ(w.hero.facing, kRight);
    ClickMenu(635);  // between two lines: nothing
    EXPECT_EQ(s.selectedChoice, -1);
    ClickMenu(650);  // the second line: "I'm stranded on the island"
    ASSERT_EQ(s.selectedChoice, 1);
    EXPECT_EQ(w.carried[kCocktail], 0);  // the hero is still saying his line

    Frame(*game, platform, LeftButton());  // a click skips his line
    EXPECT_EQ(s.lineIndex, 0);
    EXPECT_EQ(w.carried[kCocktail], 1);
    EXPECT_EQ(Available(kKai, 1), 0);
    // Unclicked, each reply stays 100 frames.
    EXPECT_EQ(RunUntil(*game, platform, [&] { return s.lineIndex == 1; }), 100);
    EXPECT_EQ(RunUntil(*game, platform, [&] { return s.selectedChoice == -1; }), 100);
    EXPECT_EQ(w.state, GameState::Dialogue);

    // Two choices left: "See you later" is now the second line, at y 640.
    ClickMenu(650);
    ASSERT_EQ(s.selectedChoice, 2);
    ClickHere(*game, platform);  // his line
    ClickHere(*game, platform);  // "Don't forget!"
    EXPECT_EQ(w.state, GameState::Dialogue);  // it ends only after the last reply
    ClickHere(*game, platform);
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_EQ(w.carried[kCocktail], 1);
}

TEST_F(DialogueTest, TheNativeWomanOffersTheFavourOnlyOnceAskedForTheRaft) {
    TalkTo(kVillageScene, 850, 450);
    const char* stranded = "I'm stranded on this island and want#to get away.";
    MoveTo(*game, platform, 300, 500);  // off the lines, so none is highlighted
    EXPECT_TRUE(TextShown(platform.LastFrame(), w.fonts, 20, 640, stranded, false));  // "#" as a blank
    ClickMenu(650);
    ASSERT_EQ(s.selectedChoice, 1);
    EXPECT_TRUE(TextShown(platform.LastFrame(), w.fonts, 500, 200, stranded, true));  // "#" breaks the line
    EXPECT_EQ(Available(kNative, 2), 0);
    ClickHere(*game, platform);  // past his line: the action runs
    EXPECT_EQ(Available(kNative, 1), 0);
    EXPECT_EQ(Available(kNative, 2), 1);
    ClickHere(*game, platform);
    EXPECT_EQ(s.selectedChoice, -1);
    EXPECT_EQ(w.state, GameState::Dialogue);

    ClickMenu(650);  // "What favour?" took the freed second line
    EXPECT_EQ(s.selectedChoice, 2);
    for (int i = 0; i < 3; ++i) ClickHere(*game, platform);
    ClickMenu(680);  // "Goodbye"
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
    EXPECT_EQ(s.lineIndex, -1);
    EXPECT_EQ(Available(kJim, 1), 0);
    EXPECT_EQ(Available(kJim, 2), 1);
}

}  // namespace
}  // namespace vz::test
