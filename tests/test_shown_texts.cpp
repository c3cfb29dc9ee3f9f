// What a frame says in words for the page's captions, and where a caption's choice clicks.
#include <gtest/gtest.h>

#include <algorithm>

#include "logic/dialogue.h"
#include "support.h"

namespace vz::test {
namespace {

// Keeps what the game hands over with each frame it shows.
class CaptionPlatform : public MemoryPlatform {
public:
    ShownTexts shown;
    void ShowTexts(const ShownTexts& texts) override { shown = texts; }
};

// A new game in the ship scene with the real fonts.
struct CaptionGame {
    CaptionPlatform platform;
    std::unique_ptr<Game> game;
    CaptionGame() {
        UseRealPictures(platform, {"images/text.sbf", "images/text1.sbf"});
        game = StartedGame(platform);
        StartNewGame(*game, platform);
    }
    std::vector<std::string> Texts(TextKind kind) const {
        std::vector<std::string> found;
        for (const ShownText& t : platform.shown)
            if (t.kind == kind) found.push_back(t.text);
        return found;
    }
};

struct Captions : ::testing::Test, CaptionGame {};

TEST_F(Captions, NamesAndAnswersStandInTheCaptionsExactlyWhileTheFrameShowsThem) {
    EnterScene(*game, platform, kBarScene);
    MoveTo(*game, platform, 700, 600);  // over nothing
    EXPECT_TRUE(platform.shown.empty());
    MoveTo(*game, platform, 560, 300);  // over Kai
    EXPECT_EQ(Texts(TextKind::Label), std::vector<std::string>{"Kai"});

    // The hotspot key names everything, the name under the pointer once.
    RawInput names;
    names.hotspots = true;
    Frame(*game, platform, names);
    std::vector<std::string> expected{"Kai"};
    for (int slot : game->world.location.objectSlots)
        if (slot >= 0 && game->world.objects[slot].inScene) expected.push_back(game->world.objects[slot].name);
    std::vector<std::string> labels = Texts(TextKind::Label);
    std::sort(labels.begin(), labels.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(labels, expected);

    // An answer stands while it is drawn, in place of the name, and goes with it.
    SetVerb(*game, kLook);
    ClickAt(*game, platform, 560, 300);
    EXPECT_EQ(Texts(TextKind::Answer), std::vector<std::string>{"Kai the barkeeper"});
    EXPECT_TRUE(Texts(TextKind::Label).empty());
    ASSERT_GE(RunUntil(*game, platform, [&] { return game->story.messageTimer == 0; }), 0);
    Frame(*game, platform);
    EXPECT_TRUE(Texts(TextKind::Answer).empty());
    EXPECT_EQ(Texts(TextKind::Label), std::vector<std::string>{"Kai"});  // the pointer is still on him
}

// A caption's choice, tapped on the page, is a click at the point it names: that must choose
// exactly its own line, for every line of every conversation's menu.
TEST_F(Captions, EachChoiceNamesAPointWhereAClickChoosesThatLine) {
    struct Talk {
        int scene, person, x, y;
    };
    for (const Talk talk : {Talk{kBarScene, kKai, 560, 300}, Talk{kVillageScene, kNative, 850, 400},
                            Talk{kHolesScene, kJim, 260, 400}}) {
        const DialogueTree& tree = game->story.trees[talk.person];
        std::vector<int> offered;
        for (int i = 0; i < tree.choiceCount; ++i)
            if (tree.choices[i].available) offered.push_back(i);
        for (size_t k = 0; k < offered.size(); ++k) {
            CaptionGame fresh;
            EnterScene(*fresh.game, fresh.platform, talk.scene);
            SetVerb(*fresh.game, kTalk);
            ClickAt(*fresh.game, fresh.platform, talk.x, talk.y);
            ASSERT_GE(RunUntil(*fresh.game, fresh.platform,
                               [&] { return fresh.game->world.state == GameState::Dialogue; }), 0);
            Frame(*fresh.game, fresh.platform);
            std::vector<ShownText> choices;
            for (const ShownText& t : fresh.platform.shown)
                if (t.kind == TextKind::Choice) choices.push_back(t);
            ASSERT_EQ(choices.size(), offered.size()) << "person " << talk.person;
            EXPECT_EQ(choices[k].text, tree.choices[offered[k]].text);
            ClickAt(*fresh.game, fresh.platform, choices[k].clickX, choices[k].clickY);
            EXPECT_EQ(fresh.game->story.selectedChoice, offered[k])
                << "person " << talk.person << ", line " << k << " at " << choices[k].clickY;
            // What the hero then says is a line of the conversation, and the menu is gone.
            Frame(*fresh.game, fresh.platform);
            ASSERT_FALSE(fresh.platform.shown.empty());
            EXPECT_EQ(fresh.platform.shown.back().kind, TextKind::Line);
            EXPECT_TRUE(std::none_of(fresh.platform.shown.begin(), fresh.platform.shown.end(),
                                     [](const ShownText& t) { return t.kind == TextKind::Choice; }));
        }
    }
}

TEST(ShownText, PlainTextIsOneLineWithSingleBlanks) {
    EXPECT_EQ(PlainText("I'm stranded on this island and want#to get away."),
              "I'm stranded on this island and want to get away.");
    EXPECT_EQ(PlainText("That's it "), "That's it");
    EXPECT_EQ(PlainText("#  two #  # words# "), "two words");
    EXPECT_EQ(PlainText("caf\xe9"), "caf\xe9");  // Windows-1252 stays as it is
    EXPECT_EQ(PlainText(""), "");
}

}  // namespace
}  // namespace vz::test
