// The settings file: the game's keys read and written back, every other line of the player's kept
// as it stands, one bad line ignored alone, and a file that cannot be read never written over.
#include "platform/settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support.h"

namespace vz::test {
namespace {

std::vector<uint8_t> Text(const std::string& s) { return {s.begin(), s.end()}; }

std::string Contents(const std::string& path) {
    std::vector<uint8_t> bytes;
    Files().ReadWholeFile(path, bytes, 1 << 20);
    return {bytes.begin(), bytes.end()};
}

DisplaySettings Parsed(const std::string& text, SettingsFile& file, std::vector<std::string>& warnings) {
    DisplaySettings s;
    ParseSettings(text, s, file, warnings);
    return s;
}

TEST(Settings, WhatIsWrittenReadsBack) {
    DisplaySettings s;
    s.scale = ScaleMode::Whole;
    s.fullscreen = false;
    s.hasWindowPlace = true;
    s.windowX = -40;
    s.windowY = 1200;
    s.windowWidth = 1280;
    s.windowHeight = 960;
    s.volume = 30;
    s.muted = true;
    s.textPace = TextPace::Longer;
    SettingsFile file;
    std::vector<std::string> warnings;
    EXPECT_EQ(Parsed(FormatSettings(SettingsFile{}, s), file, warnings), s);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(Parsed("textpace=click\n", file, warnings).textPace, TextPace::UntilClick);
    EXPECT_EQ(Parsed("scale=whole\n", file, warnings).textPace, TextPace::Normal);  // from before the text pace
}

// The player's comments, keys of another version, blank lines, Windows line ends and a byte-order
// mark all stay; a change rewrites only the game's own lines.
TEST(Settings, EveryLineTheGameDoesNotOwnIsKeptAsItStands) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::string text = bom + "scale=whole\r\n"
                                   "# my own note: keep the window small\n"
                                   "\n"
                                   "language=de\n"
                                   "window = 10 20 800 600\n"
                                   "[later]\n"
                                   "zoom=7 ; a later version's key\n"
                                   "volume=80\nmute=no\n"
                                   "fullscreen=no";
    SettingsFile file;
    std::vector<std::string> warnings;
    DisplaySettings s = Parsed(text, file, warnings);
    EXPECT_TRUE(warnings.empty()) << warnings[0];
    EXPECT_EQ(s.scale, ScaleMode::Whole);  // the mark before the first key does not hide it
    EXPECT_FALSE(s.fullscreen);
    ASSERT_TRUE(s.hasWindowPlace);
    EXPECT_EQ(s.windowWidth, 800);

    // Nothing changed: the same bytes, but for the end of the last line (the key's own spacing too).
    EXPECT_EQ(FormatSettings(file, s), text + "\n");

    s.scale = ScaleMode::Fit;
    s.windowX = 30;
    EXPECT_EQ(FormatSettings(file, s), bom + "scale=fit\r\n"
                                             "# my own note: keep the window small\n"
                                             "\n"
                                             "language=de\n"
                                             "window=30 20 800 600\n"
                                             "[later]\n"
                                             "zoom=7 ; a later version's key\n"
                                             "volume=80\nmute=no\n"
                                             "fullscreen=no\n");
    // The game's keys the file did not hold yet are added at its end.
    SettingsFile other;
    Parsed("language=de\n", other, warnings);
    EXPECT_EQ(FormatSettings(other, s),
              "language=de\nscale=fit\nfullscreen=no\nwindow=30 20 800 600\nvolume=80\nmute=no\n");
}

TEST(Settings, ABadLineIsIgnoredAloneAndNamedOnce) {
    for (const char* bad : {"fullscreen=maybe", "scale=huge", "window=1 2 3", "window=1 2 3 4 5", "window=0 0 10 10",
                            "window=0 0 1024 99999", "window=a b 1024 768", "window=200000 0 1024 768", "scale=",
                            "volume=101", "volume=-1", "volume=loud", "mute=1",
                            "textpace=3x"}) {
        const std::string text = std::string("# mine\nwindow=5 6 900 700\n") + bad + "\nscale=whole\n";
        SettingsFile file;
        std::vector<std::string> warnings;
        DisplaySettings s = Parsed(text, file, warnings);
        ASSERT_EQ(warnings.size(), 1u) << bad;
        EXPECT_NE(warnings[0].find("line 3"), std::string::npos) << warnings[0];
        EXPECT_NE(warnings[0].find(bad), std::string::npos) << warnings[0];
        EXPECT_EQ(warnings[0].find('\n'), std::string::npos);
        // Everything else still counts: the window the player left, the scale after the bad line.
        EXPECT_TRUE(s.hasWindowPlace) << bad;
        EXPECT_EQ(s.windowX, 5) << bad;
        EXPECT_EQ(s.windowHeight, 700) << bad;
        EXPECT_EQ(s.scale, ScaleMode::Whole) << bad;
        // Written back, the bad line holds the game's present value; the player's comment stays.
        const std::string out = FormatSettings(file, s);
        EXPECT_EQ(out.find(std::string("\n") + bad + "\n"), std::string::npos) << out;
        EXPECT_EQ(out.rfind("# mine\nwindow=5 6 900 700\n", 0), 0u) << out;
        SettingsFile again;
        warnings.clear();
        EXPECT_EQ(Parsed(out, again, warnings), s) << out;
        EXPECT_TRUE(warnings.empty()) << out;
    }
}

TEST(Settings, MissingUnreadableAndForeignFilesGiveTheDefaultsAndAreNeverWrittenOver) {
    TempFolder folder;
    Files files;
    const DisplaySettings defaults;
    SettingsFile file;
    std::vector<std::string> warnings;

    EXPECT_EQ(LoadDisplaySettings(files, folder.Path("settings.ini"), file, warnings), defaults);
    EXPECT_TRUE(warnings.empty());  // the first run says nothing
    DisplaySettings mine;
    mine.scale = ScaleMode::Whole;
    mine.fullscreen = false;
    ASSERT_EQ(SaveDisplaySettings(files, folder.Path("new/vudizid"), file, mine), WriteResult::Ok);
    EXPECT_EQ(LoadDisplaySettings(files, folder.Path("new/vudizid/settings.ini"), file, warnings), mine);
    EXPECT_TRUE(warnings.empty());

    // Not text, too large, a folder: ignored with one line naming it, and left as they are.
    std::filesystem::create_directories(folder.Path("binary"));
    std::filesystem::create_directories(folder.Path("large"));
    std::filesystem::create_directories(folder.Path("folder/settings.ini"));
    const std::string binary = folder.Write("binary/settings.ini", Text(std::string("scale=whole\0\n", 13)));
    const std::string large = folder.Write("large/settings.ini", Text(std::string(kMaxSettingsFileBytes + 1, '#')));
    for (const std::string& path : {binary, large, folder.Path("folder/settings.ini")}) {
        warnings.clear();
        const std::string before = std::filesystem::is_regular_file(path) ? Contents(path) : "";
        EXPECT_EQ(LoadDisplaySettings(files, path, file, warnings), defaults);
        ASSERT_EQ(warnings.size(), 1u) << path;
        EXPECT_NE(warnings[0].find(path), std::string::npos) << warnings[0];
        EXPECT_TRUE(file.keepAsItIs);
        const std::string dir = std::filesystem::path(path).parent_path().string();
        EXPECT_EQ(SaveDisplaySettings(files, dir, file, mine), WriteResult::CannotCreate) << path;
        if (!before.empty()) {
            EXPECT_EQ(Contents(path), before);
        }
    }

    // A settings folder an ordinary user cannot enter is named at start, not passed over in silence.
    folder.OpenToEveryone();
    std::filesystem::create_directories(folder.Path("closed"));
    const std::string closed = folder.Write("closed/settings.ini", Text("scale=whole\n"));
    OutOfReach(folder.Path("closed"), 0700);
    EXPECT_TRUE(AsOrdinaryUser([&] {
        Files user;
        SettingsFile f;
        std::vector<std::string> w;
        const bool ok = LoadDisplaySettings(user, closed, f, w) == DisplaySettings{} && w.size() == 1 &&
                        w[0].find("Permission denied") != std::string::npos && f.keepAsItIs;
        if (!ok) std::fprintf(stderr, "closed settings folder: %s\n", w.empty() ? "no warning" : w[0].c_str());
        return ok;
    }));
    ::chmod(folder.Path("closed").c_str(), 0700);
}

// Rewritten, the file keeps the permissions the player gave it.
TEST(Settings, ARewrittenFileKeepsItsMode) {
    TempFolder folder;
    Files files;
    const std::string path = folder.Write("settings.ini", Text("language=de\nscale=fit\n"));
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    SettingsFile file;
    std::vector<std::string> warnings;
    DisplaySettings s = LoadDisplaySettings(files, path, file, warnings);
    s.scale = ScaleMode::Whole;
    ASSERT_EQ(SaveDisplaySettings(files, folder.Path(""), file, s), WriteResult::Ok);
    EXPECT_EQ(Contents(path), "language=de\nscale=whole\nfullscreen=yes\nvolume=80\nmute=no\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace vz::test
