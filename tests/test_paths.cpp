// Where the player's files go: settings, screenshots and data after the XDG conventions, and making folders.
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "support.h"

namespace vz::test {
namespace {

struct FakeEnvironment {
    std::map<std::string, std::string> vars;
    Environment Get() const {
        return [this](const char* name) -> const char* {
            auto it = vars.find(name);
            return it == vars.end() ? nullptr : it->second.c_str();
        };
    }
};

std::vector<uint8_t> Text(const std::string& s) { return {s.begin(), s.end()}; }

TEST(Paths, SettingsAndDataFollowTheEnvironmentOrTheHomeFolder) {
    FakeEnvironment env;
    env.vars = {{"HOME", "/home/quarro/"}};
    EXPECT_EQ(SettingsFolder(env.Get()), "/home/quarro/.config/vudizid");
    EXPECT_EQ(DataFolder(env.Get()), "/home/quarro/.local/share/vudizid");
    env.vars["XDG_CONFIG_HOME"] = "/cfg//";
    env.vars["XDG_DATA_HOME"] = "/data";
    EXPECT_EQ(SettingsFolder(env.Get()), "/cfg/vudizid");
    EXPECT_EQ(DataFolder(env.Get()), "/data/vudizid");
    // A relative path in a variable is not to be used at all.
    env.vars["XDG_CONFIG_HOME"] = "cfg";
    env.vars["XDG_DATA_HOME"] = "";
    EXPECT_EQ(SettingsFolder(env.Get()), "/home/quarro/.config/vudizid");
    EXPECT_EQ(DataFolder(env.Get()), "/home/quarro/.local/share/vudizid");
}

TEST(Paths, ScreenshotsGoToThePicturesFolderTheDesktopNames) {
    TempFolder config;
    FakeEnvironment env;
    env.vars = {{"HOME", "/home/quarro"}, {"XDG_CONFIG_HOME", config.Path("")}};
    // No pictures folder named anywhere: the data folder.
    EXPECT_EQ(ScreenshotFolder(env.Get()), "/home/quarro/.local/share/vudizid");

    config.Write("user-dirs.dirs", Text("# written by the desktop\n"
                                        "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                        "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"));
    EXPECT_EQ(ScreenshotFolder(env.Get()), "/home/quarro/Bilder/Vudizid Ozazi");
    config.Write("user-dirs.dirs", Text("XDG_PICTURES_DIR = \"/srv/shots/with \\\"quotes\\\"/\"\n"));
    EXPECT_EQ(PicturesFolder(env.Get()), "/srv/shots/with \"quotes\"");
    // Lines the format does not allow are passed over; the home folder itself means switched off.
    for (const char* line : {"XDG_PICTURES_DIR=\"Pictures\"\n", "XDG_PICTURES_DIR=\"$HOMEPICS\"\n",
                             "XDG_PICTURES_DIRS=\"/x\"\n", "XDG_PICTURES_DIR=\"/x\n", "XDG_PICTURES_DIR=\"$HOME\"\n",
                             "XDG_PICTURES_DIR=\"$HOME/\"\n", "# XDG_PICTURES_DIR=\"/x\"\n"}) {
        config.Write("user-dirs.dirs", Text(line));
        EXPECT_EQ(ScreenshotFolder(env.Get()), "/home/quarro/.local/share/vudizid") << line;
    }
    // The variable itself comes first.
    env.vars["XDG_PICTURES_DIR"] = "/pics";
    EXPECT_EQ(ScreenshotFolder(env.Get()), "/pics/Vudizid Ozazi");
}

TEST(Paths, MakeFoldersMakesEveryMissingFolderButNotOverAFile) {
    TempFolder root;
    const std::string deep = root.Path("a/b c/d");
    EXPECT_TRUE(MakeFolders(deep));
    EXPECT_TRUE(std::filesystem::is_directory(deep));
    EXPECT_TRUE(MakeFolders(deep));  // already there
    root.Write("file", Text("x"));
    EXPECT_FALSE(MakeFolders(root.Path("file")));
    EXPECT_FALSE(MakeFolders(root.Path("file/below")));
    EXPECT_FALSE(MakeFolders(""));
}

}  // namespace
}  // namespace vz::test
