// The web build's files: what the game writes lives in the store, beside the untouched package.
#include "platform/web/web_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>

#include "shell/savegame.h"
#include "support.h"

using namespace vz;

namespace {

// A package of pictures in images/ and an empty store folder, with the working directory in the
// package, as on the page (where the package is the root folder).
class WebStore : public ::testing::Test {
protected:
    void SetUp() override {
        back_ = std::filesystem::current_path();
        std::filesystem::create_directories(folder_.Path("images"));
        std::filesystem::create_directories(folder_.Path("store"));
        folder_.Write("images/title.sbf", {1, 2, 3});
        std::filesystem::current_path(folder_.Path(""));
    }
    void TearDown() override { std::filesystem::current_path(back_); }

    std::vector<uint8_t> Read(Files& files, const std::string& path) {
        std::vector<uint8_t> bytes;
        if (!files.ReadWholeFile(path, bytes, 1000)) return {0xEE};
        return bytes;
    }

    test::TempFolder folder_;
    std::filesystem::path back_;
    StoreFiles files_{"store"};
};

}  // namespace

TEST_F(WebStore, WrittenFilesGoToTheStoreAndAreReadBackFromItTheRestFromThePackage) {
    EXPECT_TRUE(files_.FileExists("images/title.sbf"));
    EXPECT_FALSE(files_.FileExists("images/outro.sbf"));
    EXPECT_EQ(files_.Where("images/outro.sbf"), "images/outro.sbf");

    ASSERT_EQ(files_.ReplaceFile("images/outro.sbf", {7, 8, 9, 10}), WriteResult::Ok);
    EXPECT_EQ(files_.Where("images/outro.sbf"), "store/images/outro.sbf");
    EXPECT_FALSE(std::filesystem::exists("images/outro.sbf")) << "the package is never written";
    EXPECT_TRUE(files_.FileExists("images/outro.sbf"));
    EXPECT_EQ(Read(files_, "images/outro.sbf"), (std::vector<uint8_t>{7, 8, 9, 10}));
    uint8_t head[2];
    std::vector<uint8_t> body(8);
    size_t bodyBytes = 0;
    ASSERT_TRUE(files_.ReadInPlace("images/outro.sbf", 1000, head, [&](size_t) { return std::span(body); },
                                   bodyBytes));
    EXPECT_EQ(head[0], 7);
    EXPECT_EQ(bodyBytes, 2u);
    EXPECT_EQ(body[1], 10);
    // Pictures still come from the package, and the package's folder is seen.
    EXPECT_EQ(Read(files_, "images/title.sbf"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_TRUE(files_.DirectoryExists("images"));
}

TEST_F(WebStore, AWriteThatFailsKeepsTheSaveBefore) {
    World world;
    Story story;
    InitStory(story);
    world.locationIndex = 3;
    ASSERT_EQ(SaveGameToFile(world, story, files_).outcome, SaveOutcome::Saved);
    const std::vector<uint8_t> before = Read(files_, kSavePath);
    ASSERT_EQ(before.size(), kSaveBytes);

    // The disk fills up half-way through the new save: the game names the failure, the old save
    // stays whole.
    world.locationIndex = 5;
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit full = old;
    full.rlim_cur = 100;  // bytes, fewer than a save
    void (*was)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    const SaveOutcome outcome = SaveGameToFile(world, story, files_).outcome;
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, was);
    EXPECT_NE(outcome, SaveOutcome::Saved);
    EXPECT_EQ(Read(files_, kSavePath), before);
    ASSERT_EQ(SaveGameToFile(world, story, files_).outcome, SaveOutcome::Saved);
    EXPECT_NE(Read(files_, kSavePath), before);
}

TEST_F(WebStore, AStoreWhoseFolderCannotBeMadeFailsCleanly) {
    // Something that is not a folder stands where the store's images folder would go.
    folder_.Write("store/images", {0});
    EXPECT_EQ(files_.ReplaceFile("images/outro.sbf", {1}), WriteResult::CannotCreate);
    EXPECT_FALSE(files_.FileExists("images/outro.sbf"));
    // With no store at all, likewise; the package stays as it was.
    StoreFiles none{"no-such-store"};
    EXPECT_EQ(none.ReplaceFile("images/outro.sbf", {1}), WriteResult::CannotCreate);
    EXPECT_EQ(Read(none, "images/title.sbf"), (std::vector<uint8_t>{1, 2, 3}));
}
