// Files on the disk: only regular files are read, finding that out never waits, and replacing a
// file never writes through a link planted beside it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/sbf.h"
#include "support.h"
#include "world/location.h"

namespace vz::test {
namespace {

std::vector<uint8_t> Contents(const std::string& path) {
    std::vector<uint8_t> bytes;
    Files().ReadWholeFile(path, bytes, 1 << 20);
    return bytes;
}

TEST(Files, WhatIsNotARegularFileIsNeitherReadNorWaitedFor) {
    TempFolder folder;
    const std::string picture = folder.Write("real.sbf", SbfBytes(2, 2, {1, 2, 3, 4}));
    const std::string fifo = folder.Path("fifo.sbf");
    const std::string dir = folder.Path("folder.sbf");
    const std::string link = folder.Path("link.sbf");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    ASSERT_EQ(mkdir(dir.c_str(), 0755), 0);
    ASSERT_EQ(symlink(picture.c_str(), link.c_str()), 0);

    // In a child with an alarm clock: a read that waits on the FIFO ends it with SIGALRM.
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(10);
        Files files;
        for (const std::string& path : {fifo, dir, std::string("/dev/zero"), std::string("/dev/null")}) {
            std::vector<uint8_t> bytes{9};
            if (files.ReadWholeFile(path, bytes, 1 << 20) || bytes != std::vector<uint8_t>{9}) _exit(1);
            if (LoadPicture(files, path, 2, 2).filled) _exit(2);
            WalkMask mask;
            mask.fill(7);
            if (LoadWalkMask(files, path, mask) || mask[0] != 7) _exit(3);
        }
        // A link to a picture is that picture.
        const Surface linked = LoadPicture(files, link, 2, 2);
        _exit(linked.filled && linked.pixels[3] == 4 ? 0 : 4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_FALSE(WIFSIGNALED(status)) << "ended by signal " << WTERMSIG(status) << " (SIGALRM: it waited)";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(Files, ReplacingAFileNeverWritesThroughALinkPlantedBesideIt) {
    TempFolder folder;
    const std::vector<uint8_t> precious = {'k', 'e', 'e', 'p'};
    const std::string target = folder.Write("precious.txt", precious);
    const std::string save = folder.Path("outro.sbf");
    ASSERT_EQ(symlink(target.c_str(), (save + ".tmp").c_str()), 0);  // the name the save once used

    std::vector<uint8_t> record(420);
    for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<uint8_t>(i * 7);
    Files files;
    for (int round = 0; round < 2; ++round) {
        record[0] = static_cast<uint8_t>(round);
        ASSERT_EQ(files.ReplaceFile(save, record), WriteResult::Ok);
        EXPECT_EQ(Contents(target), precious);
        struct stat st {};
        ASSERT_EQ(lstat(save.c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode)) << "the save must be a file of its own, not the link";
        EXPECT_EQ(Contents(save), record);
        ASSERT_EQ(lstat((save + ".tmp").c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << "whatever was planted is left alone";
    }
    size_t entries = 0;  // the save, the target and the planted link: no temporary file left
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.Path(""))) ++entries;
    EXPECT_EQ(entries, 3u);
}

// A replaced file keeps the permissions it had; the temporary files a run killed in the middle of
// a save left beside it are cleared away, but never one still being written, nor anything else.
TEST(Files, ReplacingAFileKeepsItsModeAndClearsOnlyTheTemporaryFilesACrashLeft) {
    TempFolder folder;
    const std::string save = folder.Path("outro.sbf");
    Files files;
    ASSERT_EQ(files.ReplaceFile(save, {1, 2, 3}), WriteResult::Ok);
    ASSERT_EQ(::chmod(save.c_str(), 0600), 0);
    const std::string stale = folder.Write("outro.sbf.tmp-0badc0de", {9});
    const std::string busy = folder.Write("outro.sbf.tmp-12345678", {8});
    const int held = ::open(busy.c_str(), O_RDONLY);  // another game writing it now holds its lock
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const std::vector<std::string> others = {folder.Write("outro.sbf.tmp-nothex!!", {7}),
                                             folder.Write("settings.ini.tmp-01234567", {6}),
                                             folder.Write("outro.sbf.tmp", {5})};
    const std::string lookalike = folder.Path("outro.sbf.tmp-abcdef01");
    ASSERT_EQ(::symlink(others[0].c_str(), lookalike.c_str()), 0);

    ASSERT_EQ(files.ReplaceFile(save, {4, 5, 6}), WriteResult::Ok);
    EXPECT_EQ(Contents(save), (std::vector<uint8_t>{4, 5, 6}));
    struct stat st {};
    ASSERT_EQ(::stat(save.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_EQ(Contents(busy), std::vector<uint8_t>{8});
    for (const std::string& other : others) EXPECT_TRUE(std::filesystem::exists(other)) << other;
    EXPECT_TRUE(std::filesystem::is_symlink(lookalike));
    ::close(held);
    ASSERT_EQ(::chmod(save.c_str(), 0640), 0);
    ASSERT_EQ(files.ReplaceFile(save, {7}), WriteResult::Ok);
    ASSERT_EQ(::stat(save.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_FALSE(std::filesystem::exists(busy));  // no one holds it any more
}

// What stands at a path, told without reading it: nothing, a readable file, or something there that
// cannot be read, with the reason. Moving a thing aside never replaces another.
TEST(Files, WhatCannotBeReadIsToldApartFromWhatIsMissingAndMovedAsideWithoutReplacingAnything) {
    TempFolder folder;
    folder.OpenToEveryone();
    const std::string readable = folder.Write("readable.sbf", {1});
    ::chmod(readable.c_str(), 0644);
    const std::string own = folder.Write("root.sbf", {2});
    OutOfReach(own);
    ASSERT_EQ(mkfifo(folder.Path("fifo").c_str(), 0644), 0);
    ASSERT_EQ(mkdir(folder.Path("closed").c_str(), 0700), 0);
    folder.Write("closed/inside.sbf", {3});
    OutOfReach(folder.Path("closed"), 0700);
    EXPECT_TRUE(AsOrdinaryUser([&] {
        Files files;
        auto is = [&](const std::string& path, FileCheck::Kind kind, const std::string& why) {
            const FileCheck c = files.CheckFile(path);
            if (c.kind == kind && c.why == why) return true;
            std::fprintf(stderr, "%s: %d '%s'\n", path.c_str(), static_cast<int>(c.kind), c.why.c_str());
            return false;
        };
        return is(folder.Path("none"), FileCheck::Missing, "") && is(folder.Path("none/deeper"), FileCheck::Missing, "") &&
               is(readable, FileCheck::Readable, "") && is(own, FileCheck::Unreadable, "Permission denied") &&
               is(folder.Path("fifo"), FileCheck::Unreadable, "not a regular file") &&
               is(folder.Path(""), FileCheck::Unreadable, "a folder, not a file") &&
               is(folder.Path("closed/inside.sbf"), FileCheck::Unreadable, "Permission denied");
    }));
    ::chmod(folder.Path("closed").c_str(), 0700);

    Files files;
    const std::string save = folder.Write("outro.sbf", {1});
    EXPECT_EQ(files.MoveAside(save, ".unreadable"), save + ".unreadable");
    folder.Write("outro.sbf", {2});
    EXPECT_EQ(files.MoveAside(save, ".unreadable"), save + ".unreadable-2");
    EXPECT_EQ(Contents(save + ".unreadable"), std::vector<uint8_t>{1});
    EXPECT_EQ(Contents(save + ".unreadable-2"), std::vector<uint8_t>{2});
    EXPECT_FALSE(std::filesystem::exists(save));
    EXPECT_EQ(files.MoveAside(save, ".unreadable"), "");
    EXPECT_EQ(files.writeProblem, "No such file or directory");
}

// A picture missing, damaged or cut short, at start-up or deleted during play, is named once a run
// with its reason; the scene goes on without it.
TEST(Files, APictureThatCannotBeShownIsNamedOnceWithItsReason) {
    MemoryPlatform platform;
    platform.files["images/cut.sbf"] = SbfBytes(2, 2, {1, 2});
    platform.files["images/damaged.sbf"] = SbfBytes(0, 2, {1, 2, 3, 4});
    platform.files["images/whole.sbf"] = SbfBytes(2, 2, {1, 2, 3, 4});
    platform.unreadable["images/theirs.sbf"] = "Permission denied";
    for (int round = 0; round < 2; ++round) {
        for (const char* name : {"images/cut.sbf", "images/damaged.sbf", "images/whole.sbf", "images/theirs.sbf",
                                 "images/gone.sbf"})
            LoadPicture(platform, name, 2, 2);
        Location village;
        LoadLocation(village, platform, kVillageScene);  // its background and walk mask were deleted
    }
    const std::vector<std::string> expected = {
        "the picture images/cut.sbf is cut short: it holds 2 of its 4 pixels",
        "the picture images/damaged.sbf is damaged; it is not shown",
        "the picture images/theirs.sbf cannot be read (Permission denied); it is not shown",
        "the picture images/gone.sbf is missing; it is not shown",
    };
    ASSERT_GE(platform.reports.size(), expected.size() + 2);
    EXPECT_EQ(std::vector<std::string>(platform.reports.begin(), platform.reports.begin() + 4), expected);
    EXPECT_EQ(platform.reports.size(), expected.size() + 2);  // the village's two pictures, once each
    EXPECT_NE(platform.reports[4].find("images/locations/"), std::string::npos) << platform.reports[4];
    EXPECT_NE(platform.reports[5].find("walk mask before it stays"), std::string::npos) << platform.reports[5];
}

}  // namespace
}  // namespace vz::test
