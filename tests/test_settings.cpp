// The remembered display: what the file holds, damaged and unreadable files ignored with a warning.
#include "platform/settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support.h"

namespace vz::test {
namespace {

std::vector<uint8_t> Text(const std::string& s) { return {s.begin(), s.end()}; }

TEST(Settings, WhatIsWrittenReadsBackAndUnknownKeysArePassedOver) {
    DisplaySettings s;
    s.scale = ScaleMode::Whole;
    s.fullscreen = false;
    s.hasWindowPlace = true;
    s.windowX = -40;
    s.windowY = 1200;
    s.windowWidth = 1280;
    s.windowHeight = 960;
    s.textPace = TextPace::Longer;
    DisplaySettings back;
    std::string why;
    ASSERT_TRUE(ParseDisplaySettings(FormatDisplaySettings(s), back, why)) << why;
    EXPECT_EQ(back, s);

    DisplaySettings later;
    ASSERT_TRUE(ParseDisplaySettings("\r\n  # comment\nvolume=7\nscale = whole \r\nfullscreen=no\n", later, why));
    EXPECT_EQ(later.scale, ScaleMode::Whole);
    EXPECT_FALSE(later.fullscreen);
    EXPECT_FALSE(later.hasWindowPlace);
    EXPECT_EQ(later.textPace, TextPace::Normal);  // a file from before the text pace
    ASSERT_TRUE(ParseDisplaySettings("textpace=click\n", later, why));
    EXPECT_EQ(later.textPace, TextPace::UntilClick);
}

TEST(Settings, ADamagedTextChangesNothingAndNamesItsLine) {
    for (const char* text : {"scale=huge\n", "fullscreen=1\n", "window=1 2 3\n", "window=1 2 3 4 5\n",
                             "window=0 0 10 10\n", "window=0 0 1024 99999\n", "window=a b 1024 768\n",
                             "just words\n", "=fit\n", "window=200000 0 1024 768\n", "textpace=3x\n",
                             "textpace=\n"}) {
        DisplaySettings s;
        s.scale = ScaleMode::Whole;
        const DisplaySettings before = s;
        std::string why;
        EXPECT_FALSE(ParseDisplaySettings(std::string("scale=fit\n") + text, s, why)) << text;
        EXPECT_EQ(s, before) << text;
        EXPECT_NE(why.find("line 2"), std::string::npos) << why;
    }
}

TEST(Settings, MissingDamagedAndUnreadableFilesGiveTheDefaults) {
    TempFolder folder;
    Files files;
    const DisplaySettings defaults;
    std::string warning;

    EXPECT_EQ(LoadDisplaySettings(files, folder.Path("settings.ini"), warning), defaults);
    EXPECT_TRUE(warning.empty()) << warning;  // the first run says nothing

    DisplaySettings mine;
    mine.scale = ScaleMode::Whole;
    mine.fullscreen = false;
    ASSERT_EQ(SaveDisplaySettings(files, folder.Path("new/vudizid"), mine), WriteResult::Ok);
    EXPECT_EQ(LoadDisplaySettings(files, folder.Path("new/vudizid/settings.ini"), warning), mine);
    EXPECT_TRUE(warning.empty());

    const std::string damaged[] = {"scale=whole\nfullscreen=maybe\n", std::string("scale=whole\0\n", 13),
                                   std::string(kMaxSettingsFileBytes + 1, '#')};
    for (const std::string& bytes : damaged) {
        const std::string path = folder.Write("settings.ini", Text(bytes));
        EXPECT_EQ(LoadDisplaySettings(files, path, warning), defaults);
        EXPECT_NE(warning.find(path), std::string::npos) << warning;
        EXPECT_EQ(warning.find('\n'), std::string::npos) << warning;
    }
    // A folder where the file should be cannot be read.
    std::filesystem::create_directory(folder.Path("dir.ini"));
    EXPECT_EQ(LoadDisplaySettings(files, folder.Path("dir.ini"), warning), defaults);
    EXPECT_NE(warning.find("cannot be read"), std::string::npos) << warning;

    // A folder that cannot be made keeps nothing and says so.
    folder.Write("blocked", Text("x"));
    EXPECT_EQ(SaveDisplaySettings(files, folder.Path("blocked/vudizid"), mine), WriteResult::CannotCreate);
}

}  // namespace
}  // namespace vz::test
