// Hints: three levels that start again when the story moves on, words for every purpose, a way to the
// ending worked out from the story's map, and never an action of their own.
#include "logic/hints.h"

#include <gtest/gtest.h>

#include "logic/dialogue.h"

#include <string>

#include "logic/story_map.h"
#include "platform/glyphs.h"
#include "shell/savegame.h"
#include "support.h"

namespace vz::test {
namespace {

struct HintTest : ::testing::Test, Session {
    void AskForHint() {
        RawInput h;
        h.hint = true;
        Frame(*game, platform, h);
        Frame(*game, platform);
    }
    std::string Hint() const { return s.hintText; }
    void Enter(int scene) { EnterScene(*game, platform, scene); }
    // Centred on its own, as the hint is drawn.
    bool ShowsHint(int y) {
        return Shows(kScreenWidth / 2 - BitmapTextWidth(false, s.hintText) / 2, y, s.hintText);
    }
    // Among the frame's texts, for the page's captions and a screen reader.
    bool HintAmongTexts() const {
        for (const ShownText& t : w.texts)
            if (t.text == s.hintText && t.kind == TextKind::Answer) return true;
        return false;
    }
};

TEST_F(HintTest, AskedAgainAHintSaysMoreUpToTheExactActionAndStartsAgainWhenTheStoryMovesOn) {
    AskForHint();
    EXPECT_EQ(s.hintLevel, 1);
    EXPECT_TRUE(ShowsHint(kHintSceneY));
    EXPECT_TRUE(HintAmongTexts());
    const std::string nudge = Hint();
    AskForHint();
    EXPECT_EQ(s.hintLevel, 2);
    const std::string task = Hint();
    AskForHint();
    EXPECT_EQ(s.hintLevel, 3);
    EXPECT_EQ(Hint(), "Look at the ship.");
    EXPECT_EQ(s.hintAction, (StoryAction{StoryAction::Look, kShip}));
    EXPECT_NE(nudge, task);
    EXPECT_NE(task, Hint());
    AskForHint();
    EXPECT_EQ(s.hintLevel, 3);  // there is nothing more to say
    EXPECT_EQ(s.hintsAsked, 4);

    // Done as it says, the story moves on and so does the hint, from its first level.
    Quiet(kResponseFrames);
    SetVerb(*game, kLook);
    Click(180, 370);
    UntilState(GameState::Play);
    ASSERT_EQ(w.carried[kChainsaw], 1);
    AskForHint();
    EXPECT_EQ(s.hintLevel, 1);
    EXPECT_NE(Hint(), nudge);
}

TEST_F(HintTest, WalkingOnTowardsTheSameThingKeepsTheLevelAndTheExactActionIsTheWayThere) {
    Enter(kPalmScene);
    AskForHint();
    const Purpose kais = s.hintPurpose;
    EXPECT_EQ(kais, (Purpose{Purpose::Say, 1, kKai}));  // Kai's drink for a newcomer, two places away
    Enter(kNowhereScene);
    AskForHint();
    EXPECT_EQ(s.hintLevel, 2);
    AskForHint();
    EXPECT_EQ(Hint(), "Go to the palm beach.");
    Enter(kBarScene);
    AskForHint();  // there at last, the exact action changes but the level does not go back
    EXPECT_EQ(s.hintLevel, 3);
    EXPECT_EQ(Hint(), "Talk to Kai.");
}

TEST_F(HintTest, TheShortestWayTakesTheRaftAlongWhenTheChainsawIsStillInTheShip) {
    // The coconut given, the leaves picked, the chainsaw not yet found: taking the raft now saves
    // coming back to the village with the engine.
    Enter(kVillageScene);
    w.carried[kLeaves] = 1;
    w.objects[kLeafPlant].sceneScript = -1;
    w.objects[kLeafPlant].takeable = 0;
    w.objects[kRaft].takeable = 1;
    s.raftComboItem() = kRaft;
    s.noRaftMessageItem() = kNoObject;
    for (int i = 0; i < 3; ++i) AskForHint();
    EXPECT_EQ(Hint(), "Take the raft.");
    // With the engine already made, the engine goes on the raft where it lies.
    w.carried[kLeaves] = 0;
    w.carried[kEngine] = 1;
    w.objects[kShip].sceneScript = -1;
    for (int i = 0; i < 3; ++i) AskForHint();
    EXPECT_EQ(Hint(), "Use the engine on the raft.");
}

TEST_F(HintTest, AHintActsOnNothingAndAClickOnlyEndsIt) {
    Enter(kBarScene);
    SetVerb(*game, kTake);
    MoveTo(*game, platform, 840, 527);  // the sugar
    const SaveRecord before = GatherSaveRecord(w, s);
    AskForHint();
    ASSERT_EQ(s.messageKind, kHintMessage);
    ClickHere(*game, platform);
    EXPECT_EQ(s.messageKind, kNoMessage);
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_EQ(GatherSaveRecord(w, s), before);  // the sugar is still there
    ClickHere(*game, platform);
    EXPECT_GE(Until([&] { return w.carried[kSugar] == 1; }), 0) << "the next click takes it";
    UntilState(GameState::Play);

    // In a conversation: the click that ends the hint chooses no line.
    SetVerb(*game, kTalk);
    Click(560, 300);
    ASSERT_GE(UntilState(GameState::Dialogue), 0);
    MoveTo(*game, platform, 100, ChoiceLineY(1) + 10);  // "I'm stranded on the island"
    AskForHint();
    EXPECT_EQ(s.messageKind, kHintMessage);
    EXPECT_TRUE(ShowsHint(kHintMenuY));
    ClickHere(*game, platform);
    EXPECT_EQ(s.selectedChoice, -1);
    EXPECT_EQ(s.trees[kKai].choices[1].available, 1);
    EXPECT_EQ(w.carried[kCocktail], 0);

    // In the inventory: the click on the back button ends the hint and stays.
    w.state = GameState::Play;
    RawInput i;
    i.inventory = true;
    Frame(*game, platform, i);
    Frame(*game, platform);
    ASSERT_EQ(w.state, GameState::InventoryScreen);
    AskForHint();
    EXPECT_TRUE(ShowsHint(kHintPanelY));
    EXPECT_TRUE(HintAmongTexts());
    Click(690, 605);
    EXPECT_EQ(w.state, GameState::InventoryScreen);
    EXPECT_EQ(s.messageKind, kNoMessage);
}

TEST_F(HintTest, AGameThatCanNoLongerEndSaysSoInsteadOfSendingThePlayerAnywhere) {
    // The chainsaw found and lost: there will never be an engine (a damaged save could hold this).
    w.objects[kShip].sceneScript = -1;
    AskForHint();
    AskForHint();
    EXPECT_EQ(Hint(), kNoWayHint);
    EXPECT_EQ(s.hintAction.kind, StoryAction::None);
}

// Every letter a hint or a note can show has a glyph: a byte without one would be drawn as nothing.
TEST(Hints, EveryWordTheyCanSayIsInTheFontsGlyphTable) {
    MemoryPlatform platform;
    auto game = StartedGame(platform);
    std::vector<std::string> texts = {kNoWayHint};
    for (size_t i = 0; i < kHintWordsCount; ++i) {
        texts.push_back(kHintWordsTable[i].nudge);
        texts.push_back(kHintWordsTable[i].task);
    }
    for (int pace = 0; pace < kTextPaceCount; ++pace) texts.push_back(TextPaceNote(static_cast<TextPace>(pace)));
    for (int place = 0; place < kLocationCount; ++place)
        texts.push_back(ActionWords(StoryAction{StoryAction::Exit, place}, game->story));
    for (int a = 0; a < kObjectCount; ++a) {
        for (auto kind : {StoryAction::Take, StoryAction::Look, StoryAction::Talk}) {
            texts.push_back(ActionWords(StoryAction{kind, a}, game->story));
            if (a < kPersonCount) texts.push_back(ActionWords(StoryAction{kind, a, true}, game->story));
        }
        for (int b = 0; b < kObjectCount; ++b) {
            texts.push_back(ActionWords(StoryAction{StoryAction::Use, b, false, a}, game->story));
            texts.push_back(ActionWords(StoryAction{StoryAction::Combine, b, false, a}, game->story));
            if (b < kPersonCount) texts.push_back(ActionWords(StoryAction{StoryAction::Use, b, true, a}, game->story));
        }
    }
    for (int p = 0; p < kPersonCount; ++p)
        for (int c = 0; c < game->story.trees[p].choiceCount; ++c)
            texts.push_back(ActionWords(StoryAction{StoryAction::Say, c, false, p}, game->story));
    for (const std::string& text : texts) {
        EXPECT_LT(text.size(), kHintTextSize) << text;
        EXPECT_LE(BitmapTextWidth(false, text.c_str()), kScreenWidth - 40) << text;
        for (char c : text)
            EXPECT_TRUE(c == ' ' || FindGlyph(static_cast<uint8_t>(c)) != nullptr) << "'" << c << "' in " << text;
    }
}

TEST(StoryMap, TheEndingIsOneActionAwayWhereTheOceanIsAndFurtherElsewhere) {
    MemoryPlatform platform;
    auto game = StartedGame(platform);
    StartNewGame(*game, platform);
    World& w = game->world;
    Story& s = game->story;
    StoryMap map;
    const StoryKey start = KeyOf(w, s, -1);
    EXPECT_GT(map.Distance(start, s), 20);

    // Only the motorized raft on the ocean is left: one action where the ocean is, two from the bar.
    w.carried[kMotorRaft] = 1;
    EXPECT_EQ(map.Distance(KeyOf(w, s, -1), s), 1);
    w.locationIndex = kBarScene;
    EXPECT_EQ(map.Distance(KeyOf(w, s, -1), s), 2);
    // In Kai's menu, saying goodbye comes first.
    const std::vector<StoryStep> way = map.WayOn(KeyOf(w, s, kKai), s);
    ASSERT_EQ(way.size(), 3u);
    EXPECT_EQ(way[0].action, (StoryAction{StoryAction::Say, 2, false, kKai}));
    EXPECT_EQ(way[1].action, (StoryAction{StoryAction::Exit, kShipScene}));
    EXPECT_TRUE(way[2].ends);
    EXPECT_EQ(way[2].purpose.kind, Purpose::End);
}

}  // namespace
}  // namespace vz::test
