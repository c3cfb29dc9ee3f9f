// Texts at the reader's pace: answers, lines and scene texts held on longer or until a click, the
// key that chooses the pace, and nothing else slowed down.
#include <gtest/gtest.h>

#include "logic/dialogue.h"

#include "shell/replay.h"
#include "support.h"

namespace vz::test {
namespace {

struct PaceTest : ::testing::Test, Session {
    // Frames a Look answer on the root plant stays, or -1 when it is still there after `most`.
    int AnswerFrames(TextPace pace, int most = 1000) {
        s.textPace = pace;
        SetVerb(*game, kLook);
        MoveTo(*game, platform, 840, 520);  // the root plant
        Frame(*game, platform, LeftButton());
        const int frames = Until([&] { return s.messageTimer == 0; }, most);
        Quiet();
        return frames;
    }
};

TEST_F(PaceTest, AnswersStayLongerAtASlowerPaceAndUntilAClickAtTheSlowest) {
    EXPECT_EQ(AnswerFrames(TextPace::Normal), kResponseFrames);  // as the game has always had it
    EXPECT_EQ(AnswerFrames(TextPace::Longer), kResponseFrames * 3 / 2);
    EXPECT_EQ(AnswerFrames(TextPace::Double), 2 * kResponseFrames);
    EXPECT_EQ(AnswerFrames(TextPace::UntilClick, 600), -1);
    EXPECT_EQ(s.messageKind, kLookMessage);
    ClickHere(*game, platform);  // the click only ends it
    EXPECT_EQ(s.messageKind, kNoMessage);
    EXPECT_EQ(w.state, GameState::Play);
}

TEST_F(PaceTest, AClickEndsAConversationLineEarlyAtAnyPaceAndTakingIsNotSlowed) {
    EnterScene(*game, platform, kBarScene);
    s.textPace = TextPace::Double;
    SetVerb(*game, kTalk);
    Click(560, 300);  // Kai
    ASSERT_GE(UntilState(GameState::Dialogue), 0);
    MoveTo(*game, platform, 100, ChoiceLineY(0) + 10);  // "Hello"
    Frame(*game, platform, LeftButton());
    ASSERT_EQ(s.selectedChoice, 0);
    // The hero's line, then Kai's two: each twice as long, the mouth still only while it is spoken.
    const int talkFrame = s.talkFrame;
    EXPECT_EQ(Until([&] { return s.lineIndex == 0; }, 400), 2 * kResponseFrames);
    EXPECT_NE(s.talkFrame, talkFrame);
    Quiet(kResponseFrames);
    const int still = s.talkFrame;
    Quiet(kResponseFrames / 2);
    EXPECT_EQ(s.talkFrame, still);  // held on for the reader, not spoken
    ClickHere(*game, platform);
    EXPECT_EQ(s.lineIndex, 1);

    // The bend of a take is no text: 14 frames whatever the pace.
    s.textPace = TextPace::UntilClick;
    ClickHere(*game, platform);
    Until([&] { return s.selectedChoice == -1; });
    w.state = GameState::Play;
    SetVerb(*game, kTake);
    MoveTo(*game, platform, 840, 527);
    Frame(*game, platform, LeftButton());
    ASSERT_GE(Until([&] { return w.hero.x == w.hero.targetX && w.hero.y == w.hero.targetY; }), 0);
    EXPECT_LE(Until([&] { return w.carried[kSugar] == 1; }), 15);
}

TEST_F(PaceTest, TheKeyStepsThroughThePacesShowsItsNoteAndKeepsTheChoice) {
    struct Keeping : MemoryPlatform {
        std::vector<TextPace> kept;
        void KeepTextPace(TextPace pace) override { kept.push_back(pace); }
    } keeping;
    auto g = StartedGame(keeping);
    ReplayCommand t;
    t.kind = CommandKind::Key;
    t.name = "t";
    t.count = 1;
    for (int i = 0; i < kTextPaceCount; ++i)
        for (const RawInput& f : FramesFor(t, 0, 0)) Frame(*g, keeping, f);
    EXPECT_EQ(keeping.kept, (std::vector<TextPace>{TextPace::Longer, TextPace::Double, TextPace::UntilClick,
                                                   TextPace::Normal}));
    EXPECT_EQ(g->story.textPace, TextPace::Normal);
    EXPECT_STREQ(g->note, "Text pace 1x");
    EXPECT_EQ(RunUntil(*g, keeping, [&] { return g->noteFrames == 0; }), kNoteFrames - 1);
}

}  // namespace
}  // namespace vz::test
