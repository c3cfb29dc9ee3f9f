// Conversations: the menu over the choices still offered, the lines and their clicks, the switches.
#include <gtest/gtest.h>

#include "logic/dialogue.h"
#include "support.h"

namespace vz::test {
namespace {

struct DialogueTest : ::testing::Test, Session {
    // The pictures of who is speaking: the hero's talking and standing frames, and the islanders'.
    DialogueTest()
        : Session({"images/quarro/quarro1-rr0.sbf", "images/quarro/quarro1-rr1.sbf", "images/quarro/quarro1-rr2.sbf",
                   "images/quarro/quarro1-lr0.sbf", "images/quarro/quarro1-lr1.sbf", "images/quarro/quarro1-lr2.sbf",
                   "images/quarro/quarro1-r0.sbf", "images/quarro/quarro1-l0.sbf",
                   "images/persons/eingeborene1.sbf", "images/persons/eingeborene1r1.sbf",
                   "images/persons/eingeborene1r2.sbf", "images/persons/eingeborene1r3.sbf", "images/persons/jim.sbf",
                   "images/persons/jim1r1.sbf", "images/persons/jim1r2.sbf", "images/persons/jim1r3.sbf"}) {}
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

// True when drawing `draw` over the frame on show changes nothing: that picture is on it.
template <typename Draw>
bool OnShow(const Surface& frame, Draw draw) {
    Surface again = frame;
    draw(again);
    return again.pixels == frame.pixels;
}

// A reply line of the hero's own ("Ah shit", "Alright...") shows him talking, facing the islander,
// while she or he stands; their own lines the other way round.
TEST_F(DialogueTest, TheHerosOwnReplyLinesShowHimTalkingAndTheIslanderStill) {
    ASSERT_EQ(pictures, 18);
    struct Talk {
        int scene, x, y, person, choiceY;
        const char* personLine;
        const char* heroLine;
    };
    const Talk talks[] = {{kVillageScene, 850, 450, kNative, 620, "Oh no, a macho again.", "Ah shit"},
                          {kHolesScene, 260, 350, kJim, 680, "It's only the X for the helicopter#landing place.",
                           "Alright..."}};
    for (const Talk& t : talks) {
        TalkTo(t.scene, t.x, t.y);
        Click(300, t.choiceY);
        ClickHere(*game, platform);  // past the hero's question
        const DialogueTree& tree = s.trees[t.person];
        const Person& person = w.persons[t.person];
        const auto& heroTalking = tree.direction == kLeft ? w.hero.talkLeftFrames : w.hero.talkRightFrames;
        auto speakers = [&] {
            const Surface& frame = platform.LastFrame();
            const bool hero = OnShow(frame, [&](Surface& f) { DrawHeroPose(w.hero, heroTalking[s.talkFrame % 3], f); });
            const bool islander = OnShow(frame, [&](Surface& f) { DrawPersonTalking(person, s.talkFrame, f); });
            return std::pair(hero, islander);
        };
        ASSERT_EQ(s.lineIndex, 0) << t.personLine;
        EXPECT_TRUE(Shows(tree.textX, tree.textY, t.personLine, true));
        EXPECT_EQ(speakers(), std::pair(false, true)) << t.personLine;
        EXPECT_TRUE(OnShow(platform.LastFrame(), [&](Surface& f) { DrawHeroStanding(w.hero, f); }));
        ClickHere(*game, platform);
        ASSERT_EQ(s.lineIndex, 1) << t.heroLine;
        EXPECT_TRUE(Shows(tree.textX, tree.textY, t.heroLine, true));
        for (int n = 0; n < 12; ++n) {  // through his talking frames
            EXPECT_EQ(speakers(), std::pair(true, false)) << t.heroLine << " frame " << n;
            Frame(*game, platform);
        }
        EXPECT_EQ(w.hero.facing, tree.direction);
        ClickHere(*game, platform);
        EXPECT_EQ(s.selectedChoice, -1) << "the menu again";
        if (t.person == kNative) {  // "Goodbye", to go on to Jim
            Click(300, 680);
            ClickHere(*game, platform);
            ClickHere(*game, platform);
            ASSERT_EQ(w.state, GameState::Play);
        }
    }
}

}  // namespace
}  // namespace vz::test
