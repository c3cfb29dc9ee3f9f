// A saved game survives being killed mid-save, a full disk and a folder it cannot write to.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "platform/signals.h"
#include "shell/savegame.h"
#include "support.h"

namespace vz {
namespace {

namespace fs = std::filesystem;

struct SaveFolder {
    fs::path dir;
    SaveFolder() {
        char pattern[] = "/tmp/vudizid-save-XXXXXX";
        dir = mkdtemp(pattern);
        fs::create_directory(dir / "images");
    }
    ~SaveFolder() { fs::remove_all(dir); }
    std::vector<uint8_t> Saved() const {
        std::vector<uint8_t> bytes;
        Files().ReadWholeFile((dir / "images/outro.sbf").string(), bytes, 1 << 20);
        return bytes;
    }
    // What images/ holds besides the saved game: temporary files left behind, say.
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir / "images"))
            if (entry.path().filename() != "outro.sbf") names.push_back(entry.path().filename().string());
        return names;
    }
};

// Two different games whose records the saver alternates between.
struct TwoGames {
    test::MemoryPlatform pictures;
    std::unique_ptr<Game> game = test::StartedGame(pictures);
    std::vector<uint8_t> Record(int which) {
        game->world.hero.x = which == 0 ? 100 : 805;
        game->world.carried[kChainsaw] = static_cast<uint8_t>(which);
        return EncodeSaveRecord(GatherSaveRecord(game->world, game->story));
    }
};

// Runs `body` in a child process with the save folder as its working directory; returns its exit code.
template <typename Body>
int InChild(const SaveFolder& folder, Body body) {
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.dir.c_str()) != 0) _exit(90);
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(SaveCrash, KilledWhileSavingLeavesTheOldOrTheNewRecordWhole) {
    SaveFolder folder;
    TwoGames games;
    const std::vector<uint8_t> a = games.Record(0), b = games.Record(1);
    Files files;
    ASSERT_EQ(files.ReplaceFile((folder.dir / "images/outro.sbf").string(), a), WriteResult::Ok);

    std::mt19937 rng(12345);
    int kills = 0;
    for (int round = 0; round < 200; ++round) {
        pid_t pid = fork();
        if (pid == 0) {
            if (chdir(folder.dir.c_str()) != 0) _exit(90);
            Files childFiles;
            for (int i = 0;; ++i) {
                games.Record(i % 2);
                SaveGameToFile(games.game->world, games.game->story, childFiles);
            }
        }
        usleep(std::uniform_int_distribution<int>(0, 3000)(rng));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        if (WIFSIGNALED(status)) ++kills;
        const std::vector<uint8_t> saved = folder.Saved();
        ASSERT_EQ(saved.size(), kSaveBytes) << "after kill " << round;
        ASSERT_TRUE(saved == a || saved == b) << "a mixed record after kill " << round;
    }
    EXPECT_EQ(kills, 200);
}

// A quit signal (an interrupt, a terminate, the terminal closing) while the game saves again and
// again ends it through its own quit path at the end of a frame: the save under way is finished,
// the file holds one whole record and no temporary file is left.
TEST(SaveCrash, AQuitSignalWhileSavingEndsTheGameWithTheSaveWhole) {
    SaveFolder folder;
    TwoGames games;
    const std::vector<uint8_t> a = games.Record(0), b = games.Record(1);
    std::mt19937 rng(777);
    const int signals[] = {SIGTERM, SIGINT, SIGHUP};
    for (int round = 0; round < 60; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            alarm(20);
            if (chdir(folder.dir.c_str()) != 0) _exit(90);
            InstallQuitSignals();
            HeadlessPlatform platform;  // real files, in the save folder
            auto game = test::StartedGame(platform);
            if (write(ready[1], "r", 1) != 1) _exit(91);
            for (int i = 0; !game->quitRequested; ++i) {
                game->world.hero.x = game->world.hero.targetX = i % 2 == 0 ? 100 : 805;
                game->world.carried[kChainsaw] = static_cast<uint8_t>(i % 2);
                game->world.state = GameState::SaveGame;
                test::Frame(*game, platform);
            }
            _exit(0);
        }
        close(ready[1]);
        char byte = 0;
        ASSERT_EQ(read(ready[0], &byte, 1), 1);
        close(ready[0]);
        usleep(std::uniform_int_distribution<int>(0, 20000)(rng));
        kill(pid, signals[round % 3]);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status)) << "round " << round << ": ended by signal " << WTERMSIG(status);
        ASSERT_EQ(WEXITSTATUS(status), 0) << "round " << round;
        const std::vector<uint8_t> saved = folder.Saved();
        ASSERT_TRUE(saved == a || saved == b) << "round " << round << ": not one whole record";
        ASSERT_EQ(folder.Leftovers(), std::vector<std::string>{}) << "round " << round;
    }
}

// In a full disk or a folder that cannot be written, the player is told and keeps playing, and the
// game saved before is still there.
TEST(SaveCrash, FullDiskAndUnwritableFolderLoseNothing) {
    SaveFolder folder;
    TwoGames games;
    const std::vector<uint8_t> before = games.Record(0);
    ASSERT_EQ(Files().ReplaceFile((folder.dir / "images/outro.sbf").string(), before), WriteResult::Ok);

    // Saves through the main loop in a child; 0 when the player was told exactly once and plays on.
    auto saveThroughTheGame = [&](const char* expectedNotice, bool diskFillsUp) {
        return InChild(folder, [&] {
            if (diskFillsUp) {  // the write fails after 200 bytes
                signal(SIGXFSZ, SIG_IGN);
                rlimit limit{200, 200};
                setrlimit(RLIMIT_FSIZE, &limit);
            }
            HeadlessPlatform platform;  // real files, in the save folder
            auto game = test::StartedGame(platform);
            game->world.state = GameState::SaveGame;
            game->world.hero.x = 700;
            test::Frame(*game, platform);
            const bool told = platform.notices.size() == 1 && platform.notices[0] == expectedNotice;
            return told && game->world.state == GameState::Play && !game->quitRequested ? 0 : 1;
        });
    };

    EXPECT_EQ(saveThroughTheGame(kWriteErrorNotice, true), 0);
    EXPECT_EQ(folder.Saved(), before);
    EXPECT_EQ(folder.Leftovers(), std::vector<std::string>{});

    // A folder the game cannot create its file in (root ignores permissions, so images/ is put
    // aside and a plain file takes its name while the game saves).
    fs::rename(folder.dir / "images", folder.dir / "kept");
    test::TempFolder::WriteAt((folder.dir / "images").string(), {1, 2, 3});
    EXPECT_EQ(saveThroughTheGame(kCannotCreateNotice, false), 0);
    fs::remove(folder.dir / "images");
    fs::rename(folder.dir / "kept", folder.dir / "images");
    EXPECT_EQ(folder.Saved(), before);
    EXPECT_EQ(folder.Leftovers(), std::vector<std::string>{});
}

}  // namespace
}  // namespace vz
