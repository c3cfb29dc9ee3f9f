// Replay scripts: the commands, their errors with line numbers, the frames each plays, the state line.
#include <gtest/gtest.h>

#include "platform/arrows.h"
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
    std::string got;  // line, kind in the order of CommandKind, then what the command carries
    for (const ReplayCommand& r : c) {
        got += std::to_string(r.line) + ":" + std::to_string(static_cast<int>(r.kind));
        if (r.hasPoint) got += " at " + std::to_string(r.x) + "," + std::to_string(r.y);
        if (r.kind == CommandKind::Hold) got += " hold " + std::to_string(static_cast<int>(r.hold));
        if (r.count) got += " x" + std::to_string(r.count);
        got += r.name.empty() ? "; " : " " + r.name + "; ";
    }
    EXPECT_EQ(got, "3:0 at 10,-20; 4:1; 5:1 at 512,430; 6:2; 7:2 at 3,4; 8:3; 9:5; 10:8; 11:4 hold 0 x3; "
                   "12:4 hold 1; 13:4 hold 2 x2; 14:6 x25; 16:7 title_2.screen-A; ");
}

TEST(ReplayScript, UnknownAndMalformedLinesAreNamedWithTheirLineNumber) {
    const char* bad[] = {"jump",        "move 1",        "move 1 2 3",   "move a 2",  "click 5",
                         "click 1 2 3", "rclick x y",    "enter now",    "escape 1",  "state x",
                         "hold",        "hold up 3",     "hold left",    "hold left -1", "hold left 2x", "hold hotspots 1",
                         "wait",        "wait -5",       "wait 1 2",     "shot",      "shot ../up",
                         "shot a/b",    "shot a b",      "Click",        "key",       "key f1",
                         "key tab 0",   "key h x",       "key Tab",      "key tab 1 2"};
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
    const auto click = frames("click 512 430");  // move, press, then the cooldown's quiet frames
    ASSERT_EQ(click.size(), 7u);
    EXPECT_EQ(click[0].dx, 412);
    EXPECT_EQ(click[0].dy, 230);
    EXPECT_FALSE(click[0].left);
    EXPECT_TRUE(click[1].left);
    for (size_t i = 2; i < 7; ++i) EXPECT_FALSE(click[i].left || click[i].dx || click[i].dy);
    EXPECT_EQ(frames("click").size(), 6u);
    EXPECT_TRUE(frames("rclick 1 1")[1].right);
    EXPECT_TRUE(frames("enter")[0].enter);
    const auto hold = frames("hold left 4");  // held, then released
    ASSERT_EQ(hold.size(), 5u);
    EXPECT_TRUE(hold[3].left);
    EXPECT_FALSE(hold[4].left);
    // The hotspot key only draws: no frame of letting go, so a shot after it shows its drawing.
    const auto hotspots = frames("hold hotspot 3");
    ASSERT_EQ(hotspots.size(), 3u);
    for (const RawInput& f : hotspots) EXPECT_TRUE(f.hotspots && !f.left && !f.right && !f.enter);
    EXPECT_FALSE(hold[0].hotspots);
    EXPECT_EQ(frames("wait 9").size(), 9u);
    EXPECT_EQ(frames("move 5 5")[0].dx, -95);
    EXPECT_TRUE(frames("escape")[0].escape);
    EXPECT_TRUE(frames("state").empty());

    // A key: down for its frames, then up, so the next press is seen going down again.
    const auto tab = frames("key tab");
    ASSERT_EQ(tab.size(), 2u);
    EXPECT_TRUE(tab[0].tab && !tab[0].backTab && !tab[0].dx);
    EXPECT_FALSE(tab[1].tab);
    EXPECT_TRUE(frames("key shift-tab")[0].backTab);
    EXPECT_TRUE(frames("key backspace")[0].right);  // the keyboard's right button
    EXPECT_TRUE(frames("key h")[0].hint && frames("key i")[0].inventory && frames("key t")[0].textPace);
    EXPECT_TRUE(frames("key space")[0].hotspots && frames("key enter")[0].enter);
    EXPECT_EQ(frames("key escape").size(), 1u);  // the game ends with it
    // Arrows held glide faster and faster, as the platforms move them.
    const auto left = frames("key left 30");
    ASSERT_EQ(left.size(), 31u);
    EXPECT_EQ(left[0].dx, -ArrowPointer::kFirstStep);
    EXPECT_LT(left[5].dx, left[1].dx);
    EXPECT_EQ(left[29].dx, -ArrowPointer::kMostStep);
    EXPECT_EQ(left[29].dy, 0);
    EXPECT_EQ(left[30].dx, 0);
    EXPECT_EQ(frames("key down")[0].dy, ArrowPointer::kFirstStep);
}

// A script's finger leaves the last input a touch (the controls shown, no pointer drawn) through
// the commands that follow, until the mouse is used.
TEST(ReplayScript, AFingersTouchLastsUntilTheMouseIsUsed) {
    std::vector<ReplayCommand> c;
    ParseError error;
    ASSERT_TRUE(ParseReplayScript("tap 874 50\nwait 2\nlongpress 300 400\nmove 5 5\nwait 1\n", c, error));
    ReplayTouch touch;
    const auto tap = FramesFor(c[0], 100, 200, touch);
    ASSERT_EQ(tap.size(), 7u);
    EXPECT_TRUE(tap[0].placed && !tap[0].left);  // the pointer under the finger a frame first
    EXPECT_TRUE(tap[1].left && tap[1].x == 874 && tap[1].y == 50);
    for (const RawInput& f : tap) EXPECT_TRUE(f.touch && f.touchStartX == 874 && f.touchStartY == 50);
    for (const RawInput& f : FramesFor(c[1], 874, 50, touch)) EXPECT_TRUE(f.touch);
    const auto press = FramesFor(c[2], 874, 50, touch);
    EXPECT_TRUE(press[1].right && !press[1].left && press[1].touchStartX == 300);
    EXPECT_FALSE(FramesFor(c[3], 300, 400, touch)[0].touch);
    EXPECT_FALSE(FramesFor(c[4], 5, 5, touch)[0].touch);
    EXPECT_FALSE(ParseReplayScript("tap 3\n", c, error));
}

TEST(ReplayScript, StateJsonDescribesTheWholeGame) {
    MemoryPlatform platform;
    auto game = StartedGame(platform);
    std::string json = StateJson(*game);
    EXPECT_NE(json.find("\"state\":0"), std::string::npos) << json;
    StartNewGame(*game, platform);
    game->world.carried[kSugar] = 1;
    json = StateJson(*game);
    int depth = 0;  // one object, its brackets balanced
    for (char ch : json) {
        depth += (ch == '{' || ch == '[') - (ch == '}' || ch == ']');
        ASSERT_GE(depth, 0) << json;
    }
    EXPECT_EQ(depth, 0) << json;
    EXPECT_EQ(json.front(), '{');
    for (const char* part :
         {"\"state\":4", "\"quit\":false", "\"location\":0", "\"heldItem\":-1", "\"x\":450", "\"y\":300",
          "\"carried\":[0,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]", "\"present\":[1,1,1]",
          "\"available\":[[1,1,1],[1,1,0,1],[1,1,0,1,1]]", "\"raftComboItem\":99", "\"noRaftMessageItem\":14",
          "\"sceneScript\":[-1,0,-1,-1,-1,-1,-1,-1,-1,1,", "\"hint\":{\"level\":0,\"text\":\"\",\"asked\":0}",
          "\"textPace\":0"})
        EXPECT_NE(json.find(part), std::string::npos) << part << " in " << json;
    // The hint on screen, its words as they stand (a text of the game never holds a quote, but its
    // line would stay whole if one did).
    game->story.messageKind = kHintMessage;
    game->story.hintLevel = 2;
    game->story.hintsAsked = 2;
    CopyText(game->story.hintText, "Say \"hi\" \\ bye");
    json = StateJson(*game);
    EXPECT_NE(json.find("\"hint\":{\"level\":2,\"text\":\"Say \\\"hi\\\" \\\\ bye\",\"asked\":2}"), std::string::npos)
        << json;
}

}  // namespace
}  // namespace vz::test
