// Where files live: the search for the pictures, the player's folders (data, settings, screenshots
// after the XDG conventions), where the save goes, and making folders.
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <limits.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "platform/sbf.h"
#include "shell/launch.h"
#include "support.h"

namespace vz::test {
namespace {

namespace fs = std::filesystem;

// A folder tree for the search: a working directory, a program's folder and an installed copy.
struct Places {
    TempFolder root;
    std::string work = root.Path("work");
    std::string program = root.Path("program");
    std::string installed = root.Path("share/vudizid/images");

    Places() {
        for (const std::string& f : {work + "/images", program + "/images", installed}) fs::create_directories(f);
        fs::create_directories(work + "/mine");
    }
    // Puts the title screen's picture into a folder, which then holds the pictures.
    static void GivePictures(const std::string& folder) {
        TempFolder::WriteAt(folder + "/startscreen2.sbf", SbfBytes(1, 1, {0x1234}));
    }
    FoundPictures Find(const std::string& chosen = {}) const {
        return FindPictures({chosen, work, program, installed, GamePictureNames()});
    }
};

TEST(PictureSearch, PlacesAreTriedInOrderAndAFolderWithoutAnyPictureIsPassedOver) {
    Places p;
    TempFolder::WriteAt(p.work + "/images/holiday.jpg", {1, 2, 3});  // someone's own images/
    TempFolder::WriteAt(p.work + "/images/holiday.sbf", SbfBytes(1, 1, {0x1234}));  // a picture, not the game's
    Places::GivePictures(p.program + "/images");
    Places::GivePictures(p.installed);

    FoundPictures found = p.Find();
    EXPECT_EQ(found.folder, fs::canonical(p.program + "/images").string());
    EXPECT_FALSE(found.installedCopy);
    EXPECT_EQ(found.tried, (std::vector<std::string>{p.work + "/images", p.program + "/images"}));

    Places::GivePictures(p.work + "/images");  // the build folder's own pictures come first
    EXPECT_EQ(p.Find().folder, fs::canonical(p.work + "/images").string());

    fs::remove(p.work + "/images/startscreen2.sbf");
    fs::remove(p.program + "/images/startscreen2.sbf");
    fs::create_directory(p.program + "/images/startscreen2.sbf");  // not a file: no picture
    found = p.Find();
    EXPECT_EQ(found.folder, fs::canonical(p.installed).string());
    EXPECT_TRUE(found.installedCopy);

    fs::remove(p.installed + "/startscreen2.sbf");
    found = p.Find();
    EXPECT_EQ(found.folder, "");
    EXPECT_EQ(found.tried, (std::vector<std::string>{p.work + "/images", p.program + "/images", p.installed}));
    EXPECT_EQ(found.why, std::vector<std::string>(3, "holds none of the game's pictures: it is empty or another folder"));

    // A saved game is no picture; but any one picture is enough, the title's missing or not.
    TempFolder::WriteAt(p.work + "/images/outro.sbf", std::vector<uint8_t>(420, 0));
    EXPECT_EQ(p.Find().folder, "");
    TempFolder::WriteAt(p.program + "/images/text.sbf", SbfBytes(1, 1, {0x1234}));
    EXPECT_EQ(p.Find().folder, fs::canonical(p.program + "/images").string());
    fs::remove_all(p.program + "/images");
    found = p.Find();
    EXPECT_EQ(found.why[1], "no such folder");
}

TEST(PictureSearch, AChosenFolderIsTheOnlyPlaceTriedAndIsTakenRelativeToTheWorkingDirectory) {
    Places p;
    Places::GivePictures(p.work + "/images");
    Places::GivePictures(p.installed);
    FoundPictures found = p.Find("mine/");
    EXPECT_EQ(found.folder, "");  // the pictures elsewhere are not taken instead
    EXPECT_EQ(found.tried, std::vector<std::string>{p.work + "/mine"});

    Places::GivePictures(p.work + "/mine");
    EXPECT_EQ(p.Find("./mine").folder, fs::canonical(p.work + "/mine").string());
    found = p.Find(p.installed);
    EXPECT_EQ(found.folder, fs::canonical(p.installed).string());
    EXPECT_TRUE(found.installedCopy);
}

TEST(PictureSearch, TheInstalledCopyIsKnownByWhereItLiesAndEachPlaceIsTriedOnce) {
    Places p;
    Places::GivePictures(p.installed);
    // A link to the installed pictures in the working directory is still the installed copy.
    fs::remove(p.work + "/images");
    fs::create_directory_symlink(p.installed, p.work + "/images");
    FoundPictures found = p.Find();
    EXPECT_EQ(found.folder, fs::canonical(p.installed).string());
    EXPECT_TRUE(found.installedCopy);
    EXPECT_EQ(found.tried.size(), 1u);

    // Started in the program's own folder: its images/ is looked at once.
    fs::remove(p.installed + "/startscreen2.sbf");
    found = FindPictures({"", p.program, p.program, "", GamePictureNames()});
    EXPECT_EQ(found.tried, std::vector<std::string>{p.program + "/images"});
}

TEST(SoundSearch, TheSoundsBesideThePicturesElseTheInstalledCopysElseNone) {
    Places p;
    fs::create_directories(p.root.Path("share/vudizid/sounds"));
    // A copy without sounds of its own takes the installed ones.
    EXPECT_EQ(FindSounds(p.work + "/images", p.installed), p.root.Path("share/vudizid/sounds"));
    fs::create_directories(p.work + "/sounds");
    EXPECT_EQ(FindSounds(p.work + "/images/", p.installed), p.work + "/sounds");
    EXPECT_EQ(FindSounds(p.installed, p.installed), p.root.Path("share/vudizid/sounds"));
    // A file called sounds is no folder of sounds.
    TempFolder::WriteAt(p.program + "/sounds", {1});
    fs::remove_all(p.root.Path("share/vudizid/sounds"));
    EXPECT_EQ(FindSounds(p.program + "/images", p.installed), "");
    FilePlaces places;
    EXPECT_EQ(places.Sound("music_title"), "") << "no folder, no file";
    places.sounds = p.work + "/sounds";
    EXPECT_EQ(places.Sound("music_title"), p.work + "/sounds/music_title.ogg");
}

TEST(PlayerFolder, FollowsAnAbsoluteXdgDataHomeElseTheHomeFolder) {
    auto data = [](const char* xdgDataHome, const char* home) {
        return DataFolder([=](const char* name) -> const char* {
            if (std::string(name) == "XDG_DATA_HOME") return xdgDataHome;
            if (std::string(name) == "HOME") return home;
            return nullptr;
        });
    };
    EXPECT_EQ(data("/data/me", "/home/me"), "/data/me/vudizid");
    EXPECT_EQ(data("/data/me/", "/home/me"), "/data/me/vudizid");
    EXPECT_EQ(data(nullptr, "/home/me"), "/home/me/.local/share/vudizid");
    EXPECT_EQ(data("", "/home/me"), "/home/me/.local/share/vudizid");
    EXPECT_EQ(data("data/me", "/home/me"), "/home/me/.local/share/vudizid");  // relative: ignored
}

TEST(PlayerFolder, TheSaveGoesThereForTheInstalledCopyAndForPicturesThatCannotBeWritten) {
    const std::string player = "/home/me/.local/share/vudizid";
    FoundPictures installed{"/usr/share/vudizid/images", true, {}, {}};
    FoundPictures own{"/home/me/vudizid/images", false, {}, {}};

    // Even where the installed pictures can be written (by root), the save is the player's.
    for (bool writable : {true, false}) {
        const FilePlaces at = PlaceFiles(installed, player, writable);
        EXPECT_EQ(at.pictures, "/usr/share/vudizid/images");
        EXPECT_EQ(at.save, player + "/outro.sbf");
        EXPECT_EQ(at.oldSave, "/usr/share/vudizid/images/outro.sbf");
    }
    FilePlaces at = PlaceFiles(own, player, false);
    EXPECT_EQ(at.save, player + "/outro.sbf");
    EXPECT_EQ(at.oldSave, "/home/me/vudizid/images/outro.sbf");

    at = PlaceFiles(own, player, true);  // a copy of the player's own, as the build folder: as it always was
    EXPECT_EQ(at.save, "/home/me/vudizid/images/outro.sbf");
    EXPECT_EQ(at.oldSave, "");
    at = PlaceFiles(installed, "", true);  // no home at all: beside the pictures is all there is
    EXPECT_EQ(at.save, "/usr/share/vudizid/images/outro.sbf");
    EXPECT_EQ(at.oldSave, "");
}

TEST(PlayerFolder, IsMadeWithItsParentsForThePlayerAlone) {
    TempFolder root;
    const std::string folder = root.Path("home/.local/share/vudizid");
    ASSERT_TRUE(MakeFolders(folder));
    struct stat st {};
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(MakeFolders(folder + "/"));  // already there
    root.Write("file", {1});
    EXPECT_FALSE(MakeFolders(root.Path("file/vudizid")));
    EXPECT_FALSE(MakeFolders(root.Path("file")));
}

TEST(PictureFiles, AreReadFromTheChosenFolderWhateverTheWorkingDirectory) {
    TempFolder root;
    fs::create_directories(root.Path("pictures/quarro"));
    root.Write("pictures/quarro/q.sbf", SbfBytes(2, 1, {0x0101, 0x0202}));
    Files files;
    files.places.pictures = root.Path("pictures");
    EXPECT_EQ(files.places.Picture("images/quarro/q.sbf"), root.Path("pictures/quarro/q.sbf"));
    EXPECT_EQ(files.places.Picture("imagesque/q.sbf"), "imagesque/q.sbf");  // only the folder images/
    const Surface s = LoadPicture(files, "images/quarro/q.sbf", 2, 1);
    ASSERT_TRUE(s.filled);
    EXPECT_EQ(s.pixels, (std::vector<uint16_t>{0x0101, 0x0202}));
    EXPECT_EQ(FilePlaces{}.Picture("images/quarro/q.sbf"), "images/quarro/q.sbf");  // none chosen: as named
}

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

// Why each place was passed over: a file is no folder, a path may be too long to look at.
TEST(PictureSearch, EachPlacePassedOverSaysWhy) {
    TempFolder root;
    const std::string file = root.Write("passwd", {'x'});
    const std::string tooLong = root.Path(std::string(PATH_MAX, 'a'));
    for (const auto& [chosen, why] : {std::pair{file, "a file, not a folder"}, std::pair{tooLong, "the path is too long"},
                                      std::pair{root.Path("none"), "no such folder"},
                                      std::pair{file + "/images", "no such folder"}}) {
        const FoundPictures found = FindPictures({chosen, root.Path(""), "", "", GamePictureNames()});
        ASSERT_EQ(found.why.size(), 1u);
        EXPECT_EQ(found.why[0], why) << chosen.substr(0, 80);
        EXPECT_EQ(found.folder, "");
    }
}

// user-dirs.dirs is written for a shell: "export" and bare values are allowed. A FIFO or a device
// put in its place is not read at all (in a child under an alarm: a read that waits or grows
// without end fails the test rather than hanging it).
TEST(Paths, UserDirsIsReadAsAShellWouldAndNeverWaitedFor) {
    TempFolder config;
    FakeEnvironment env;
    env.vars = {{"HOME", "/home/quarro"}, {"XDG_CONFIG_HOME", config.Path("")}};
    const std::pair<const char*, const char*> lines[] = {
        {"export XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", "/home/quarro/Bilder"},
        {"XDG_PICTURES_DIR=$HOME/Bilder\n", "/home/quarro/Bilder"},
        {"XDG_PICTURES_DIR=${HOME}/Bilder  # a comment\n", "/home/quarro/Bilder"},
        {"  export XDG_PICTURES_DIR=/srv/My\\ Pictures\r\n", "/srv/My Pictures"},
        {"XDG_PICTURES_DIR=$HOME/\"My Pictures\"\n", "/home/quarro/My Pictures"},
        {"XDG_PICTURES_DIR='/srv/shots'\n", "/srv/shots"},
        {"XDG_PICTURES_DIR=/srv/a b\n", ""},      // would run the command b
        {"XDG_PICTURES_DIR=$OTHER/x\n", ""},
        {"XDG_PICTURES_DIR=/srv/$(id)\n", ""},
    };
    for (const auto& [line, folder] : lines) {
        config.Write("user-dirs.dirs", Text(line));
        EXPECT_EQ(PicturesFolder(env.Get()), folder) << line;
    }

    const std::string dirs = config.Path("user-dirs.dirs");
    std::filesystem::remove(dirs);
    ASSERT_EQ(mkfifo(dirs.c_str(), 0644), 0);
    EXPECT_TRUE(AsOrdinaryUser([&] { return PicturesFolder(env.Get()).empty(); }));
    std::filesystem::remove(dirs);
    ASSERT_EQ(symlink("/dev/zero", dirs.c_str()), 0);
    EXPECT_TRUE(AsOrdinaryUser([&] {
        rlimit memory{512u << 20, 512u << 20};  // far more than the game needs, far less than /dev/zero gives
        setrlimit(RLIMIT_AS, &memory);
        return PicturesFolder(env.Get()).empty();
    }));
}

}  // namespace
}  // namespace vz::test
