// The saved game: what it keeps, its bytes, failed saves, and damaged or missing files on loading.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "shell/savegame.h"
#include "support.h"

namespace vz::test {
namespace {

int32_t Slot(const std::vector<uint8_t>& b, int i) {
    return static_cast<int32_t>(b[4 * i] | b[4 * i + 1] << 8 | b[4 * i + 2] << 16 | uint32_t{b[4 * i + 3]} << 24);
}

void SaveFromPanel(Game& game, HeadlessPlatform& platform) {
    MoveTo(game, platform, 500, 17);
    ASSERT_EQ(game.world.state, GameState::InventoryScreen);
    ClickAt(game, platform, 290, 600);  // save
}

// A new game whose Load button is pressed; the notices it showed and whether the file stayed as it was.
struct Loaded {
    std::unique_ptr<Game> game;
    std::vector<std::string> notices;
    bool untouched;
};

Loaded Load(const std::vector<uint8_t>* file) {
    MemoryPlatform platform;
    if (file) platform.files[kSavePath] = *file;
    Loaded r{StartedGame(platform), {}, false};
    MoveTo(*r.game, platform, 512, 530);
    Frame(*r.game, platform, LeftButton());
    r.notices = platform.notices;
    r.untouched = file ? platform.files[kSavePath] == *file : platform.files.count(kSavePath) == 0;
    return r;
}

TEST(SaveGame, LoadingRestoresEverythingSavedAndTheLoadClickDoesNotActInTheScene) {
    Session a;
    EnterScene(*a.game, a.platform, kVillageScene, 335, 220);
    a.w.hero.facing = kLeft;
    for (int i : {kChainsaw, kSugar, kEngine, kLeashedMonkey}) a.w.carried[i] = 1;
    for (int i : {kCoconut, kMonkey, kShip}) a.w.objects[i].inScene = 0;
    for (int i : {kSpade, kSleepingJim, kLeashedMonkey}) a.w.objects[i].inScene = 1;
    a.w.objects[kShip].sceneScript = a.w.objects[kLeafPlant].sceneScript = -1;
    a.s.trees[kKai].choices[1].available = a.s.trees[kNative].choices[1].available = 0;
    a.s.trees[kNative].choices[2].available = a.s.trees[kJim].choices[2].available = 1;
    a.w.objects[kLeafPlant].takeable = a.w.persons[kJim].present = 0;
    a.w.objects[kRaft].takeable = 1;
    a.s.raftComboItem() = kRaft;
    a.s.noRaftMessageItem() = kNoObject;
    SaveFromPanel(*a.game, a.platform);
    ASSERT_EQ(a.w.state, GameState::Play);

    Loaded b = Load(&a.platform.files[kSavePath]);
    const World& w = b.game->world;
    EXPECT_TRUE(b.notices.empty());
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_EQ(w.location.personIndex, kNative);  // the village itself was loaded
    EXPECT_EQ(w.hero.x, 335);
    EXPECT_EQ(w.hero.y, 220);
    EXPECT_EQ(w.hero.targetX, 335);  // standing still: the click on Load did not send him
    EXPECT_EQ(w.hero.targetY, 220);
    EXPECT_EQ(w.hero.facing, kLeft);
    for (int i = 0; i < kObjectCount; ++i) {
        EXPECT_EQ(w.carried[i], a.w.carried[i]) << "object " << i;
        EXPECT_EQ(w.objects[i].inScene, a.w.objects[i].inScene) << "object " << i;
        EXPECT_EQ(w.objects[i].sceneScript, a.w.objects[i].sceneScript) << "object " << i;
    }
    for (int p = 0; p < kPersonCount; ++p)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(b.game->story.trees[p].choices[c].available, a.s.trees[p].choices[c].available);
    EXPECT_EQ(w.objects[kLeafPlant].takeable, 0);
    EXPECT_EQ(w.objects[kRaft].takeable, 1);
    EXPECT_EQ(w.persons[kJim].present, 0);
    EXPECT_EQ(b.game->story.raftComboItem(), kRaft);
    EXPECT_EQ(b.game->story.noRaftMessageItem(), kNoObject);
    EXPECT_EQ(b.game->story.heldItem, -1);
}

// The click on Load is used up by loading. The saved scene comes back in that very frame, with the
// pointer still on the button: here over the palm beach's bottle, on sand a click would walk to. The
// hero must stay where he was saved, and nothing answers.
TEST(SaveGame, TheLoadClickIsUsedUpAndNeitherWalksNorActsInTheLoadedScene) {
    MemoryPlatform platform;
    ASSERT_EQ(UseRealPictures(platform, {"images/locations/palme_i.sbf"}), 1) << "run the tests in the build folder";
    {
        auto made = StartedGame(platform);
        EnterScene(*made, platform, kPalmScene, 100, 350);
        platform.files[kSavePath] = EncodeSaveRecord(GatherSaveRecord(made->world, made->story));
    }
    auto game = StartedGame(platform);
    const World& w = game->world;
    MoveTo(*game, platform, 570, 530);
    ASSERT_TRUE(ObjectUnderMouse(w.objects[kBottle], 570, 530));
    Frame(*game, platform, LeftButton());
    ASSERT_EQ(w.state, GameState::Play);
    ASSERT_EQ(w.locationIndex, kPalmScene);
    EXPECT_EQ(w.hero.targetX, 100);
    EXPECT_EQ(w.hero.targetY, 350);
    for (int n = 0; n < 2 * kClickCooldownFrames; ++n) Frame(*game, platform);
    EXPECT_EQ(w.hero.x, 100);
    EXPECT_EQ(w.hero.y, 350);
    EXPECT_EQ(game->story.messageKind, kNoMessage);
    EXPECT_EQ(game->story.messageTimer, 0);

    // The very same click in the scene does send him: the place is one a click walks to.
    Frame(*game, platform, LeftButton());
    EXPECT_NE(std::pair(w.hero.targetX, w.hero.targetY), std::pair(100, 350));
}

TEST(SaveGame, TheRecordIs420LittleEndianBytesWithReservedSlotsZeroAndFailedSavesKeepTheOld) {
    Session g;
    SaveFromPanel(*g.game, g.platform);
    const std::vector<uint8_t> first = g.platform.files[kSavePath];
    ASSERT_EQ(first.size(), 420u);
    EXPECT_EQ(first[4], 0xC2);  // hero x 450, low byte first
    EXPECT_EQ(first[5], 0x01);
    const std::vector<std::pair<int, int32_t>> expected = {
        {0, 0}, {2, 300}, {4 + 3 * kChainsaw + 2, -1}, {4 + 3 * kShip + 1, 1}, {4 + 3 * kShip + 2, 0},
        {4 + 3 * kLeafPlant + 2, 1}, {4 + 3 * kSleepingJim + 1, 0}, {81, 1}, {84, 0}, {85, 1}, {88, 0},
        {90, 1}, {91, 1}, {92, 0}, {93, 1}, {94, kNoObject}, {95, kRaft}};
    for (auto [slot, value] : expected) EXPECT_EQ(Slot(first, slot), value) << "slot " << slot;
    for (int i : {73, 74, 75, 76, 77, 78, 96, 97, 98, 99, 100, 101, 102, 103, 104})
        EXPECT_EQ(Slot(first, i), 0) << "slot " << i;
    SaveFromPanel(*g.game, g.platform);
    EXPECT_EQ(g.platform.files[kSavePath], first);

    g.w.hero.x = g.w.hero.targetX = 222;
    g.platform.failWrite = true;
    SaveFromPanel(*g.game, g.platform);
    EXPECT_EQ(g.platform.notices, std::vector<std::string>{"Write error"});
    EXPECT_EQ(g.w.state, GameState::Play);
    g.platform.failWrite = false;
    g.platform.failCreate = true;
    SaveFromPanel(*g.game, g.platform);
    EXPECT_EQ(g.platform.notices.back(), "false file name");
    EXPECT_EQ(g.w.state, GameState::Play);
    EXPECT_FALSE(g.game->quitRequested);  // the game goes on
    EXPECT_EQ(g.platform.files[kSavePath], first);
}

TEST(SaveGame, ADamagedOrMissingSaveLoadsNothingAndStartsANewGame) {
    MemoryPlatform maker;
    auto made = StartedGame(maker);
    made->world.locationIndex = kPalmScene;
    made->world.carried[kChainsaw] = 1;
    const SaveRecord palmBeach = GatherSaveRecord(made->world, made->story);
    auto with = [&](std::vector<std::pair<int, int32_t>> changes) {
        SaveRecord r = palmBeach;
        for (auto [slot, value] : changes) r[slot] = value;
        return EncodeSaveRecord(r);
    };
    std::vector<std::vector<uint8_t>> damaged = {
        with({{0, 7}}), with({{0, -1}}), with({{3, -1}}), with({{3, 4}}), with({{4 + 3 * kShip + 2, 1}}),
        with({{4 + 3 * kLeafPlant + 2, 0}}), with({{4 + 3 * kChainsaw + 2, 0}}),
        // the hero outside the screen's room for him, or off the grid his walk keeps to
        with({{1, 0}}), with({{1, 905}}), with({{1, 910}}), with({{1, 452}}), with({{2, 0}}), with({{2, 465}}),
        with({{2, 468}}), with({{2, 301}})};
    damaged.push_back(with({}));
    damaged.back().pop_back();  // 419 bytes
    damaged.push_back(with({}));
    damaged.back().push_back(0);  // 421 bytes: whatever the tail holds, it is not our record
    damaged.push_back(with({}));
    damaged.back().insert(damaged.back().end(), damaged.back().begin(), damaged.back().end());  // two records
    // Only a record's own size is one, whoever reads the bytes (loading also refuses to read more).
    for (size_t k = damaged.size() - 3; k < damaged.size(); ++k) {
        SaveRecord record{};
        EXPECT_FALSE(DecodeSaveRecord(damaged[k], record)) << damaged[k].size() << " bytes";
    }
    for (size_t k = 0; k <= damaged.size(); ++k) {
        const bool missing = k == damaged.size();
        Loaded r = Load(missing ? nullptr : &damaged[k]);
        const World& w = r.game->world;
        EXPECT_EQ(r.notices, missing ? std::vector<std::string>{} : std::vector<std::string>{kDamagedNotice})
            << "case " << k;
        EXPECT_EQ(w.state, GameState::Play) << "case " << k;
        EXPECT_EQ(w.location.objectSlots[0], kShip) << "case " << k;  // a new game in the ship scene
        EXPECT_EQ(w.hero.x, kHeroStartX) << "case " << k;
        EXPECT_EQ(w.carried[kChainsaw], 0) << "case " << k;
        EXPECT_TRUE(r.untouched) << "case " << k;
    }
    // The edges of what a save may hold still load.
    for (const auto& edge : {with({{0, 6}, {1, 900}, {2, 5}, {3, 3}, {4 + 3 * kShip + 2, -1}}),
                             with({{1, 5}, {2, 460}, {3, 0}})}) {
        Loaded r = Load(&edge);
        EXPECT_TRUE(r.notices.empty());
        EXPECT_EQ(r.game->world.hero.x, Slot(edge, 1));
        EXPECT_EQ(r.game->world.hero.y, Slot(edge, 2));
        EXPECT_EQ(r.game->world.locationIndex, Slot(edge, 0));
        EXPECT_EQ(r.game->world.carried[kChainsaw], 1);
    }
}

// A player's own save folder beside the old place of the save, among the pictures.
struct TwoPlaces {
    MemoryPlatform platform;
    const std::string player = "/home/me/.local/share/vudizid/outro.sbf";
    const std::string old = "/usr/share/vudizid/images/outro.sbf";
    TwoPlaces() {
        platform.places.save = player;
        platform.places.oldSave = old;
    }
    // A sound saved game with the hero in the given scene.
    static std::vector<uint8_t> SavedIn(int location) {
        MemoryPlatform maker;
        auto made = StartedGame(maker);
        made->world.locationIndex = location;
        return EncodeSaveRecord(GatherSaveRecord(made->world, made->story));
    }
    // A new game whose Load button is pressed.
    std::unique_ptr<Game> LoadFromTitle() {
        auto game = StartedGame(platform);
        MoveTo(*game, platform, 512, 530);
        Frame(*game, platform, LeftButton());
        return game;
    }
};

TEST(SaveGame, ASaveAtTheOldPlaceLoadsWhileThePlayersFolderHasNoneAndIsNeverChangedThere) {
    TwoPlaces t;
    const std::vector<uint8_t> oldSave = TwoPlaces::SavedIn(kBarScene);
    t.platform.files[t.old] = oldSave;
    auto game = t.LoadFromTitle();
    EXPECT_TRUE(t.platform.notices.empty());
    EXPECT_EQ(game->world.locationIndex, kBarScene);

    // Saving goes to the player's folder; the old file stays, and from now on his own save is loaded.
    EnterScene(*game, t.platform, kVillageScene);
    SaveFromPanel(*game, t.platform);
    ASSERT_EQ(t.platform.files.count(t.player), 1u);
    EXPECT_EQ(Slot(t.platform.files[t.player], 0), kVillageScene);
    EXPECT_EQ(t.platform.files[t.old], oldSave);
    EXPECT_EQ(t.LoadFromTitle()->world.locationIndex, kVillageScene);
    EXPECT_EQ(t.platform.files[t.old], oldSave);
}

TEST(SaveGame, ADamagedSaveInThePlayersFolderIsNamedAndNotPassedOverForTheOldOne) {
    const std::vector<uint8_t> damaged(100, 0xFF);
    // Garbage, and a file far too large to be read at all.
    for (const std::vector<uint8_t>& bad : {damaged, std::vector<uint8_t>(2u << 20, 0)}) {
        TwoPlaces t;
        t.platform.files[t.player] = bad;
        t.platform.files[t.old] = TwoPlaces::SavedIn(kBarScene);
        auto game = t.LoadFromTitle();
        EXPECT_EQ(t.platform.notices, std::vector<std::string>{kDamagedNotice});
        EXPECT_EQ(game->world.locationIndex, kShipScene);  // a new game
        EXPECT_EQ(t.platform.files[t.player], bad);
    }

    // A damaged save at the old place is named as well, and left as it is.
    TwoPlaces u;
    u.platform.files[u.old] = damaged;
    auto game = u.LoadFromTitle();
    EXPECT_EQ(u.platform.notices, std::vector<std::string>{kDamagedNotice});
    EXPECT_EQ(u.platform.files[u.old], damaged);
    EXPECT_EQ(u.platform.files.count(u.player), 0u);
}

// The reports about the saved game among those a game without pictures makes about every picture.
std::vector<std::string> AboutTheSave(const std::vector<std::string>& reports) {
    std::vector<std::string> about;
    for (const std::string& r : reports)
        if (r.find("outro.sbf") != std::string::npos) about.push_back(r);
    return about;
}

// A saved game the game cannot read is not damaged: Load says why and starts a new game, and the
// next save puts the old one aside before it takes its place, telling the player where it went.
// Tried on the disk as an ordinary user: a file of root's kept at 600, a FIFO, a folder.
TEST(SaveGame, ASaveThatCannotBeReadIsNamedWithItsReasonAndKeptAsideBySaving) {
    struct Case {
        const char* what;
        const char* why;
    };
    for (const Case c : {Case{"root's", "Permission denied"}, Case{"fifo", "not a regular file"},
                         Case{"folder", "a folder, not a file"}}) {
        const std::string kind = c.what;
        TempFolder folder;
        folder.OpenToEveryone();
        ASSERT_EQ(mkdir(folder.Path("images").c_str(), 0777), 0);
        ::chmod(folder.Path("images").c_str(), 0777);
        const std::string save = folder.Path(kSavePath);
        const std::vector<uint8_t> intact = TwoPlaces::SavedIn(kBarScene);
        if (kind == "root's") {
            folder.Write(kSavePath, intact);
            OutOfReach(save);
        } else {
            ASSERT_EQ(kind == "fifo" ? mkfifo(save.c_str(), 0644) : mkdir(save.c_str(), 0755), 0);
        }
        EXPECT_TRUE(AsOrdinaryUser([&] {
            if (chdir(folder.Path("").c_str()) != 0) return false;
            HeadlessPlatform platform;  // the real files of that folder
            auto game = StartedGame(platform);
            ClickAt(*game, platform, 512, 530);  // Load
            const bool told = platform.notices == std::vector<std::string>{UnreadableNotice(c.why)} &&
                              game->world.state == GameState::Play && game->world.locationIndex == kShipScene &&
                              AboutTheSave(platform.reports).size() == 1 &&
                              AboutTheSave(platform.reports)[0].find(std::string(kSavePath) + " cannot be read: " +
                                                                     c.why) != std::string::npos;
            SaveFromPanel(*game, platform);
            const std::vector<std::string> about = AboutTheSave(platform.reports);
            const bool kept = platform.notices.size() == 2 &&
                              platform.notices[1] == KeptAsideNotice("images/outro.sbf.unreadable") &&
                              about.size() == 2 && about[1].find(c.why) != std::string::npos;
            if (!told || !kept)
                for (const std::string& r : about) std::fprintf(stderr, "%s: %s\n", c.what, r.c_str());
            return told && kept;
        })) << c.what;
        struct stat st {};
        ASSERT_EQ(lstat((save + kUnreadableSuffix).c_str(), &st), 0) << c.what;
        EXPECT_EQ(S_ISFIFO(st.st_mode), kind == "fifo");
        EXPECT_EQ(S_ISDIR(st.st_mode), kind == "folder");
        if (kind == "root's") {
            ::chmod((save + kUnreadableSuffix).c_str(), 0644);
            std::vector<uint8_t> bytes;
            ASSERT_TRUE(Files().ReadWholeFile(save + kUnreadableSuffix, bytes, 1000));
            EXPECT_EQ(bytes, intact);
        }
        ASSERT_EQ(lstat(save.c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(st.st_size, static_cast<off_t>(kSaveBytes)) << c.what;
    }
}

// When the unreadable save cannot be put aside, the game refuses to save over it; every failure
// names the file and the system's reason for standard error, the notices keep their words.
TEST(SaveGame, AFailedSaveNamesTheFileAndTheReasonAndNeverReplacesWhatItCouldNotRead) {
    Session g;
    const std::string save = g.platform.places.save;
    g.platform.files[save] = {1, 2, 3};
    g.platform.unreadable[save] = "Permission denied";
    g.platform.failMoveAside = true;
    SaveFromPanel(*g.game, g.platform);
    EXPECT_EQ(g.platform.notices, std::vector<std::string>{kCannotCreateNotice});
    EXPECT_EQ(g.platform.files[save], (std::vector<uint8_t>{1, 2, 3}));
    std::vector<std::string> about = AboutTheSave(g.platform.reports);
    ASSERT_EQ(about.size(), 1u);
    EXPECT_NE(about[0].find(save + " cannot be read (Permission denied) and cannot be moved aside"), std::string::npos)
        << about[0];

    g.platform.unreadable.clear();
    g.platform.failCreate = true;
    SaveFromPanel(*g.game, g.platform);
    EXPECT_EQ(g.platform.notices.back(), kCannotCreateNotice);
    EXPECT_NE(g.platform.reports.back().find(save + ": Read-only file system"), std::string::npos);
    g.platform.failCreate = false;
    g.platform.failWrite = true;
    SaveFromPanel(*g.game, g.platform);
    EXPECT_EQ(g.platform.notices.back(), kWriteErrorNotice);
    EXPECT_NE(g.platform.reports.back().find(save + ": No space left on device"), std::string::npos);

    // On the disk: a data folder that is missing, or that an ordinary user may not write to.
    TempFolder root;
    root.OpenToEveryone();
    ASSERT_EQ(mkdir(root.Path("readonly").c_str(), 0555), 0);
    ::chmod(root.Path("readonly").c_str(), 0555);
    EXPECT_TRUE(AsOrdinaryUser([&] {
        bool ok = true;
        for (const auto& [folder, reason] : {std::pair{root.Path("missing"), "No such file or directory"},
                                              std::pair{root.Path("readonly"), "Permission denied"}}) {
            HeadlessPlatform disk;
            disk.places.save = folder + "/outro.sbf";
            auto game = StartedGame(disk);
            StartNewGame(*game, disk);
            SaveFromPanel(*game, disk);
            const std::vector<std::string> about = AboutTheSave(disk.reports);
            const bool named = disk.notices == std::vector<std::string>{kCannotCreateNotice} && about.size() == 1 &&
                               about[0].find(disk.places.save + ": " + reason) != std::string::npos;
            if (!named) std::fprintf(stderr, "%s: %s\n", folder.c_str(), about.empty() ? "-" : about[0].c_str());
            ok = ok && named;
        }
        return ok;
    }));
}

}  // namespace
}  // namespace vz::test
