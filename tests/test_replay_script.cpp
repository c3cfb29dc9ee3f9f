// Replay scripts: the commands, their errors with line numbers, the frames each plays, the state line.
#include <gtest/gtest.h>

#include "shell/replay.h"
#include "support.h"

namespace vz::test {
namespace {

TEST(ReplayScript, EveryCommandFormParsesAndBlankAndCommentLinesAreSkipped) {
    const std::string script =
        "# a walk through the title\n"
        "\n"
        "move 10 -20\n"
        "click\n"
        "  click 512 430  \r\n"
        "rclick\n"
        "rclick 3 4\n"
        "enter\n"
        "escape\n"
        "state\n"
        "hold left 3\n"
        "hold right 0\n"
        "hold enter 2\n"
        "wait 25\n"
        "   # indented comment\n"
        "shot title_2.screen-A\n";
    std::vector<ReplayCommand> c;
    ParseError error;
    ASSERT_TRUE(ParseReplayScript(script, c, error)) << error.line << ": " << error.message;
    ASSERT_EQ(c.size(), 13u);
    EXPECT_EQ(c[0].kind, CommandKind::Move);
    EXPECT_EQ(c[0].line, 3);
    EXPECT_EQ(c[0].x, 10);
    EXPECT_EQ(c[0].y, -20);
    EXPECT_EQ(c[1].kind, CommandKind::Click);
    EXPECT_FALSE(c[1].hasPoint);
    EXPECT_TRUE(c[2].hasPoint);
    EXPECT_EQ(c[2].x, 512);
    EXPECT_EQ(c[2].y, 430);
    EXPECT_EQ(c[3].kind, CommandKind::RightClick);
    EXPECT_FALSE(c[3].hasPoint);
    EXPECT_EQ(c[4].kind, CommandKind::RightClick);
    EXPECT_TRUE(c[4].hasPoint);
    EXPECT_EQ(c[5].kind, CommandKind::Enter);
    EXPECT_EQ(c[6].kind, CommandKind::Escape);
    EXPECT_EQ(c[7].kind, CommandKind::State);
    EXPECT_EQ(c[8].kind, CommandKind::Hold);
    EXPECT_EQ(c[8].hold, HoldWhat::Left);
    EXPECT_EQ(c[8].count, 3);
    EXPECT_EQ(c[9].hold, HoldWhat::Right);
    EXPECT_EQ(c[10].hold, HoldWhat::Enter);
    EXPECT_EQ(c[11].kind, CommandKind::Wait);
    EXPECT_EQ(c[11].count, 25);
    EXPECT_EQ(c[12].kind, CommandKind::Shot);
    EXPECT_EQ(c[12].name, "title_2.screen-A");
    EXPECT_EQ(c[12].line, 16);
}

TEST(ReplayScript, UnknownAndMalformedLinesAreNamedWithTheirLineNumber) {
    const char* bad[] = {"jump",        "move 1",        "move 1 2 3",   "move a 2",  "click 5",
                         "click 1 2 3", "rclick x y",    "enter now",    "escape 1",  "state x",
                         "hold",        "hold up 3",     "hold left",    "hold left -1", "hold left 2x",
                         "wait",        "wait -5",       "wait 1 2",     "shot",      "shot ../up",
                         "shot a/b",    "shot a b",      "Click"};
    for (const char* line : bad) {
        std::vector<ReplayCommand> c;
        ParseError error;
        EXPECT_FALSE(ParseReplayScript(std::string("wait 1\n# fine\n\n") + line + "\nwait 2\n", c, error)) << line;
        EXPECT_EQ(error.line, 4) << line;
        EXPECT_FALSE(error.message.empty()) << line;
    }
    std::vector<ReplayCommand> c;
    ParseError error;
    ASSERT_FALSE(ParseReplayScript("jump 3\n", c, error));
    EXPECT_NE(error.message.find("jump"), std::string::npos);
}

TEST(ReplayScript, FramesForEachCommand) {
    auto frames = [](const std::string& line, int mx = 100, int my = 200) {
        std::vector<ReplayCommand> c;
        ParseError error;
        EXPECT_TRUE(ParseReplayScript(line, c, error)) << line;
        return c.empty() ? std::vector<RawInput>{} : FramesFor(c[0], mx, my);
    };
    const auto click = frames("click 512 430");
    ASSERT_EQ(click.size(), 7u);
    EXPECT_EQ(click[0].dx, 412);
    EXPECT_EQ(click[0].dy, 230);
    EXPECT_FALSE(click[0].left);
    EXPECT_TRUE(click[1].left);
    for (size_t i = 2; i < 7; ++i) EXPECT_FALSE(click[i].left || click[i].dx || click[i].dy);
    const auto here = frames("click");
    ASSERT_EQ(here.size(), 6u);
    EXPECT_TRUE(here[0].left);
    EXPECT_TRUE(frames("rclick")[0].right);
    EXPECT_EQ(frames("rclick 1 1").size(), 7u);
    EXPECT_TRUE(frames("enter")[0].enter);
    EXPECT_EQ(frames("enter").size(), 6u);
    const auto hold = frames("hold left 4");
    ASSERT_EQ(hold.size(), 5u);
    for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(hold[i].left);
    EXPECT_FALSE(hold[4].left);
    EXPECT_EQ(frames("hold right 0").size(), 1u);
    EXPECT_TRUE(frames("hold enter 1")[0].enter);
    EXPECT_EQ(frames("wait 9").size(), 9u);
    EXPECT_EQ(frames("move 5 5").size(), 1u);
    EXPECT_EQ(frames("move 5 5")[0].dx, -95);
    ASSERT_EQ(frames("escape").size(), 1u);
    EXPECT_TRUE(frames("escape")[0].escape);
    EXPECT_TRUE(frames("state").empty());
    EXPECT_TRUE(frames("shot x").empty());
}

TEST(ReplayScript, StateJsonDescribesTheWholeGame) {
    MemoryPlatform platform;
    auto game = StartedGame(platform);
    std::string json = StateJson(*game);
    EXPECT_NE(json.find("\"state\":0"), std::string::npos) << json;
    StartNewGame(*game, platform);
    game->world.carried[kSugar] = 1;
    json = StateJson(*game);
    ASSERT_EQ(json.front(), '{');
    ASSERT_EQ(json.back(), '}');
    int depth = 0;
    for (char ch : json) {
        depth += (ch == '{' || ch == '[') - (ch == '}' || ch == ']');
        ASSERT_GE(depth, 0) << json;
    }
    EXPECT_EQ(depth, 0) << json;
    for (const char* part :
         {"\"state\":4", "\"quit\":false", "\"location\":0", "\"heldItem\":-1", "\"x\":450", "\"y\":300",
          "\"carried\":[0,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]", "\"present\":[1,1,1]",
          "\"available\":[[1,1,1],[1,1,0,1],[1,1,0,1,1]]", "\"raftComboItem\":99", "\"noRaftMessageItem\":14",
          "\"sceneScript\":[-1,0,-1,-1,-1,-1,-1,-1,-1,1,"})
        EXPECT_NE(json.find(part), std::string::npos) << part << " in " << json;
}

}  // namespace
}  // namespace vz::test
