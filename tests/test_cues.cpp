// What sounds when: cues on the very frames the game does things, footfalls in step with the walk,
// the music and ambience of what is on show, and one sound request per frame.
#include <gtest/gtest.h>

#include <vector>

#include "logic/cues.h"
#include "support.h"

namespace vz::test {
namespace {

bool Has(const SoundFrame& f, Cue cue) {
    for (int i = 0; i < f.cueCount; ++i)
        if (f.cues[i] == cue) return true;
    return false;
}

struct CuesTest : ::testing::Test, Session {
    bool Now(Cue cue) const { return Has(platform.SoundFrames().back(), cue); }
    // The frames, counted from `from` (an index into the platform's record), that asked for `cue`.
    std::vector<int> FramesWith(Cue cue, size_t from) const {
        std::vector<int> at;
        const auto& frames = platform.SoundFrames();
        for (size_t i = from; i < frames.size(); ++i)
            if (Has(frames[i], cue)) at.push_back(static_cast<int>(i - from));
        return at;
    }
    size_t Heard() const { return platform.SoundFrames().size(); }
};

// A walk from standing: sideways the stride's two wide pictures come with the 1st and 13th step of
// every 20; up or down a foot lands every 8 steps from the 5th. Nothing while he stands.
TEST_F(CuesTest, FootfallsComeWithTheWalkingPicturesOnlyWhileHeWalks) {
    struct Walk {
        int scene, dx, dy;
        Cue step;
        std::vector<int> at;
    };
    const Walk walks[] = {
        {kShipScene, 250, 0, Cue::StepSand, {0, 12, 20, 32, 40}},
        {kVillageScene, -250, 0, Cue::StepSand, {0, 12, 20, 32, 40}},
        {kJungleScene, 0, 150, Cue::StepJungle, {4, 12, 20}},
        {kHolesScene, 0, -150, Cue::StepSand, {4, 12, 20}},
    };
    for (const Walk& walk : walks) {
        EnterScene(*game, platform, walk.scene, 450, 200);
        w.hero.targetX += walk.dx;
        w.hero.targetY += walk.dy;
        const size_t from = Heard();
        Quiet(60);
        EXPECT_TRUE(HeroArrived(w.hero)) << walk.scene;
        EXPECT_EQ(FramesWith(walk.step, from), walk.at) << walk.scene;
        const Cue other = walk.step == Cue::StepSand ? Cue::StepJungle : Cue::StepSand;
        EXPECT_TRUE(FramesWith(other, from).empty()) << walk.scene;
    }
}

TEST_F(CuesTest, TheSugarIsTakenAsTheBendStartsAndFoundWhenItJoinsThePockets) {
    EnterScene(*game, platform, kBarScene);
    SetVerb(*game, kTake);
    MoveTo(*game, platform, 840, 527);
    const size_t from = Heard();
    std::vector<bool> arrived;  // after each frame
    Frame(*game, platform, LeftButton());
    for (arrived.push_back(HeroArrived(w.hero)); !w.carried[kSugar] && arrived.size() < 500;
         arrived.push_back(HeroArrived(w.hero)))
        Frame(*game, platform);
    ASSERT_TRUE(w.carried[kSugar]);
    const std::vector<int> take = FramesWith(Cue::Take, from), find = FramesWith(Cue::Find, from);
    ASSERT_EQ(take.size(), 1u);
    ASSERT_EQ(find.size(), 1u);
    // The first frame that finds him standing at the sugar bends; the 14th frame of the bend gives it.
    ASSERT_GT(take[0], 1);
    EXPECT_TRUE(arrived[take[0] - 1]);
    EXPECT_FALSE(arrived[take[0] - 2]);
    EXPECT_EQ(find[0], take[0] + 13);
    EXPECT_EQ(find[0], static_cast<int>(arrived.size()) - 1);  // the frame the sugar joined
    EXPECT_TRUE(FramesWith(Cue::StepSand, from + take[0]).empty()) << "no footfall while he bends";
}

TEST_F(CuesTest, TheVerbStepsAudiblyAndAWorkingRuleIsHeardWhenAppliedNotAtTheClick) {
    SetVerb(*game, kTake);
    Hold(kBottle);
    RawInput right;
    right.right = true;
    Frame(*game, platform, right);  // drops the bottle: the verb stays
    EXPECT_FALSE(Now(Cue::Verb));
    Quiet();
    Frame(*game, platform, right);
    EXPECT_TRUE(Now(Cue::Verb));
    EXPECT_EQ(w.cursor.verb, kLook);
    SetVerb(*game, kTake);
    Quiet();

    // In a scene a working rule is heard when it is applied, on arrival, and never at the click.
    EnterScene(*game, platform, kJungleScene);
    Hold(kSleepingPill);
    const size_t from = Heard();
    Click(546, 462);  // the monkey
    ASSERT_EQ(w.state, GameState::UseOnObject);
    ASSERT_GE(Until([&] { return w.objects[kSleepingMonkey].inScene == 1; }), 0);
    EXPECT_EQ(FramesWith(Cue::CombineOk, from), std::vector<int>{static_cast<int>(Heard() - from) - 1});
}

TEST_F(CuesTest, EachConversationLineIsHeardOnItsFirstFrameWhoeverSpeaks) {
    EnterScene(*game, platform, kVillageScene);
    SetVerb(*game, kTalk);
    Click(850, 450);
    ASSERT_GE(UntilState(GameState::Dialogue), 0);
    const size_t from = Heard();
    Click(300, 620);  // "Hi Baby!": the hero's line, hers, and his "Ah shit"
    ASSERT_EQ(s.selectedChoice, 0);
    ASSERT_GE(Until([&] { return s.selectedChoice == -1; }, 400), 0);
    EXPECT_EQ(FramesWith(Cue::Line, from), (std::vector<int>{2, 102, 202}));  // the click came at 1
    // A click ends a line early; the next one is heard in the next frame.
    Click(300, 620);
    Frame(*game, platform, LeftButton());
    const size_t click = Heard();
    Frame(*game, platform);
    EXPECT_EQ(FramesWith(Cue::Line, click), std::vector<int>{0});
}

// The hand-over, the snoring that follows it, and the frame that ends the scene early: one sound
// request for every frame, never two.
TEST_F(CuesTest, AHandOverThenSnoringWhileTheSleeperIsOnShowAndOneRequestEveryFrame) {
    EnterScene(*game, platform, kHolesScene);
    SetVerb(*game, kTake);
    Hold(kSweetCocktail);
    const int64_t requests = platform.PlaySoundCount();
    const int64_t frames = game->frames;
    const size_t from = Heard();
    Click(268, 400);  // Jim
    ASSERT_EQ(w.state, GameState::GiveToPerson);
    ASSERT_GE(Until([&] { return HeroArrived(w.hero); }), 0);
    Frame(*game, platform);
    EXPECT_TRUE(Now(Cue::Give));
    EXPECT_EQ(FramesWith(Cue::Give, from).size(), 1u);
    const size_t asleep = Heard() - 1;  // sleeping Jim lies in the scene from the hand-over on
    ASSERT_EQ(UntilState(GameState::Play), 99);  // the scene's last frame ends before the pacing step
    Quiet(150);
    EXPECT_EQ(platform.PlaySoundCount() - requests, game->frames - frames);
    const int first = kFirstSnore - 1;
    EXPECT_EQ(FramesWith(Cue::Snore, asleep),
              (std::vector<int>{first, first + kSnorePeriod, first + 2 * kSnorePeriod}));
    MoveTo(*game, platform, 500, 17);  // the panel hides the scene: no snoring
    const size_t panel = Heard();
    Quiet(kSnorePeriod + 5);
    EXPECT_TRUE(FramesWith(Cue::Snore, panel).empty());
}

TEST_F(CuesTest, OnlyASaveThatWorkedIsHeard) {
    for (bool fails : {false, true}) {
        platform.failWrite = fails;
        MoveTo(*game, platform, 500, 17);
        const size_t from = Heard();
        Click(290, 600);
        EXPECT_EQ(FramesWith(Cue::Save, from).size(), fails ? 0u : 1u) << fails;
        EXPECT_EQ(w.state, GameState::Play);
    }
}

}  // namespace
}  // namespace vz::test
