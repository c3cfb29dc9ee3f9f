// The program's command line: what it accepts, what it refuses, and which option wins.
#include <gtest/gtest.h>

#include "shell/launch.h"
#include "support.h"

namespace vz::test {
namespace {

TEST(CommandLine, OptionsSetTheWindowAndTheFolderAndTheLastWindowOptionWins) {
    CommandLine cl = ParseCommandLine({});
    EXPECT_EQ(cl.action, LaunchAction::Play);
    EXPECT_FALSE(cl.fullscreen.has_value());  // as the player left it
    EXPECT_FALSE(cl.scale.has_value());
    EXPECT_EQ(cl.dataFolder, "");
    EXPECT_FALSE(cl.mute);
    EXPECT_TRUE(ParseCommandLine({"--mute", "--window"}).mute);

    cl = ParseCommandLine({"--window", "--data", "/opt/pictures"});
    EXPECT_EQ(cl.action, LaunchAction::Play);
    EXPECT_EQ(cl.fullscreen, std::optional<bool>(false));
    EXPECT_EQ(cl.dataFolder, "/opt/pictures");
    EXPECT_EQ(ParseCommandLine({"--window", "--fullscreen"}).fullscreen, std::optional<bool>(true));
    EXPECT_EQ(ParseCommandLine({"--fullscreen", "--window"}).fullscreen, std::optional<bool>(false));
    EXPECT_EQ(ParseCommandLine({"--scale", "whole"}).scale, std::optional<ScaleMode>(ScaleMode::Whole));
    EXPECT_EQ(ParseCommandLine({"--scale=fit"}).scale, std::optional<ScaleMode>(ScaleMode::Fit));
    for (auto bad : {std::vector<std::string>{"--scale"}, {"--scale", "big"}, {"--scale="}})
        EXPECT_EQ(ParseCommandLine(bad).action, LaunchAction::Refuse) << bad.back();
    EXPECT_EQ(ParseCommandLine({"--data=my pictures"}).dataFolder, "my pictures");
    EXPECT_EQ(ParseCommandLine({"--data", "--window"}).dataFolder, "--window");  // the folder, as given

    EXPECT_EQ(ParseCommandLine({"--version"}).action, LaunchAction::Version);
    EXPECT_EQ(ParseCommandLine({"--version", "--help"}).action, LaunchAction::Help);
    EXPECT_EQ(ParseCommandLine({"-h", "--version"}).action, LaunchAction::Help);
}

TEST(CommandLine, AnythingElseIsRefusedWithTheReason) {
    const std::vector<std::vector<std::string>> refused = {
        {"--windowed"}, {"-w"}, {"--help", "--bogus"}, {"pictures"}, {"--data"}, {"--data="}, {"--data", ""}, {"-"}};
    for (const auto& args : refused) {
        const CommandLine cl = ParseCommandLine(args);
        EXPECT_EQ(cl.action, LaunchAction::Refuse) << args[0];
        EXPECT_NE(cl.error, "") << args[0];
    }
    EXPECT_NE(ParseCommandLine({"--bogus"}).error.find("--bogus"), std::string::npos);
}

// Without pictures the notice names every place looked at, and why each did not do.
TEST(PlaceRunFiles, TheNoticeNamesThePlaceTriedAndWhetherItIsMissingOrHoldsNoPicture) {
    TempFolder root;
    const std::string empty = root.Path("empty");
    ASSERT_EQ(mkdir(empty.c_str(), 0755), 0);
    for (const std::string& folder : {empty, root.Path("nowhere")}) {
        FilePlaces places;
        std::string notice;
        EXPECT_FALSE(PlaceRunFiles(folder, "/nonexistent/share/vudizid/images", places, notice));
        EXPECT_NE(notice.find(folder), std::string::npos) << notice;
        const bool exists = folder == empty;
        EXPECT_EQ(notice.find("holds none of the game's pictures") != std::string::npos, exists) << notice;
        EXPECT_EQ(notice.find("no such folder") != std::string::npos, !exists) << notice;
    }
}

}  // namespace
}  // namespace vz::test
