// Files on the disk: only regular files are read, finding that out never waits, and replacing a
// file never writes through a link planted beside it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/sbf.h"
#include "support.h"

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

}  // namespace
}  // namespace vz::test
