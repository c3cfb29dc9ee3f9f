// The program's command line: what it accepts, what it refuses, and which option wins.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

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

    // "--" ends the options; the game takes no other arguments after it.
    EXPECT_EQ(ParseCommandLine({"--"}).action, LaunchAction::Play);
    EXPECT_EQ(ParseCommandLine({"--window", "--"}).fullscreen, std::optional<bool>(false));
    const CommandLine after = ParseCommandLine({"--", "--window"});
    EXPECT_EQ(after.action, LaunchAction::Refuse);
    EXPECT_NE(after.error.find("argument '--window'"), std::string::npos) << after.error;
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

// The names the picture search goes by are pictures start-up really reads, so a folder of the
// game's own pictures is never passed over as another.
TEST(StartUp, EveryPictureTheSearchGoesByIsOneStartUpReads) {
    struct Reading : MemoryPlatform {
        std::set<std::string> read;
        bool ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head, const PlaceBody& place,
                         size_t& bodyBytes) override {
            read.insert(path);
            return MemoryPlatform::ReadInPlace(path, maxBytes, head, place, bodyBytes);
        }
    } platform;
    StartedGame(platform);
    for (const std::string& name : GamePictureNames())
        EXPECT_EQ(platform.read.count(std::string(kPictureFolder) + "/" + name), 1u) << name;
}

std::string SourceText(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The manual page's ENVIRONMENT section names every variable the game's code reads or sets, and the
// package's changelog and the manual page name every option --help shows.
TEST(StartUp, TheManualPageAndTheChangelogNameEveryVariableAndOption) {
    const std::string man = SourceText(std::string(VZ_SOURCE_DIR) + "/packaging/vudizid.6.in");
    const size_t from = man.find(".SH ENVIRONMENT");
    ASSERT_NE(from, std::string::npos);
    const std::string environment = man.substr(from, man.find(".SH", from + 1) - from);
    const std::regex read(R"((?:getenv|env|setenv)\(\s*"([A-Z][A-Z0-9_]+)\"|\(env,\s*"([A-Z][A-Z0-9_]+)\")");
    std::set<std::string> variables;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(VZ_SOURCE_DIR) + "/src")) {
        if (!entry.is_regular_file()) continue;
        const std::string text = SourceText(entry.path().string());
        for (std::sregex_iterator m(text.begin(), text.end(), read), end; m != end; ++m)
            variables.insert((*m)[1].matched ? (*m)[1].str() : (*m)[2].str());
    }
    EXPECT_GE(variables.size(), 6u);  // HOME, the four XDG folders, the window's class
    for (const std::string& v : variables) EXPECT_NE(environment.find(v), std::string::npos) << v;

    const std::string changelog = SourceText(std::string(VZ_SOURCE_DIR) + "/packaging/changelog");
    const std::string usage = UsageText();
    const std::regex option(R"(\n  (--[a-z]+))");
    int options = 0;
    for (std::sregex_iterator m(usage.begin(), usage.end(), option), end; m != end; ++m, ++options) {
        EXPECT_NE(changelog.find((*m)[1].str()), std::string::npos) << (*m)[1];
        std::string inMan = (*m)[1].str();
        for (size_t dash = inMan.find('-'); dash != std::string::npos; dash = inMan.find('-', dash + 2))
            inMan.insert(dash, "\\");
        EXPECT_NE(man.find(inMan), std::string::npos) << inMan;
    }
    EXPECT_GE(options, 6);
}

}  // namespace
}  // namespace vz::test
