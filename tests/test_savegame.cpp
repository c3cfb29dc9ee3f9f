// The saved game: what it keeps, its bytes, failed saves, and damaged or missing files on loading.
#include <gtest/gtest.h>

#include "shell/savegame.h"
#include "support.h"

namespace vz::test {
namespace {

int32_t Slot(const std::vector<uint8_t>& bytes, int i) {
    return static_cast<int32_t>(bytes[4 * i] | bytes[4 * i + 1] << 8 | bytes[4 * i + 2] << 16 |
                                static_cast<uint32_t>(bytes[4 * i + 3]) << 24);
}

// Saves with the panel's save button.
void SaveFromPanel(Game& game, HeadlessPlatform& platform) {
    MoveTo(game, platform, 500, 17);
    ASSERT_EQ(game.world.state, GameState::InventoryScreen);
    ClickAt(game, platform, 290, 600);
}

void PressLoad(Game& game, HeadlessPlatform& platform) {
    MoveTo(game, platform, 512, 530);
    Frame(game, platform, LeftButton());
}

// A game part-way through the story, standing in the village.
void PlaySomeOfTheStory(Game& game, Files& files) {
    World& w = game.world;
    Story& s = game.story;
    EnterScene(game, files, kVillageScene, 333, 222);
    w.hero.facing = kLeft;
    for (int i : {kChainsaw, kSugar, kSpade, kEngine, kLeashedMonkey}) w.carried[i] = 1;
    for (int i : {kCoconut, kMonkey, kLiane, kShip}) w.objects[i].inScene = 0;
    for (int i : {kSpade, kSleepingJim, kLeashedMonkey}) w.objects[i].inScene = 1;
    w.objects[kShip].sceneScript = w.objects[kLeafPlant].sceneScript = -1;
    s.trees[kKai].choices[1].available = 0;
    s.trees[kNative].choices[1].available = 0;
    s.trees[kNative].choices[2].available = 1;
    s.trees[kJim].choices[1].available = 0;
    s.trees[kJim].choices[2].available = 1;
    w.objects[kLeafPlant].takeable = 0;
    w.objects[kRaft].takeable = 1;
    w.persons[kJim].present = 0;
    s.raftComboItem() = kRaft;
    s.noRaftMessageItem() = kNoObject;
}

TEST(SaveGame, LoadingRestoresEverythingSavedAndTheLoadClickDoesNotActInTheScene) {
    MemoryPlatform platform;
    auto saved = StartedGame(platform);
    StartNewGame(*saved, platform);
    PlaySomeOfTheStory(*saved, platform);
    saved->story.heldItem = -1;
    SaveFromPanel(*saved, platform);
    ASSERT_EQ(saved->world.state, GameState::Play);
    ASSERT_TRUE(platform.notices.empty());

    auto loaded = StartedGame(platform);
    PressLoad(*loaded, platform);
    const World& a = saved->world;
    const World& b = loaded->world;
    EXPECT_EQ(b.state, GameState::Play);
    EXPECT_EQ(b.locationIndex, kVillageScene);
    EXPECT_EQ(b.location.personIndex, kNative);  // the scene itself was loaded
    EXPECT_EQ(b.hero.x, 333);
    EXPECT_EQ(b.hero.y, 222);
    EXPECT_EQ(b.hero.targetX, 333);  // standing still: the click on Load did not send him
    EXPECT_EQ(b.hero.targetY, 222);
    EXPECT_EQ(b.hero.facing, kLeft);
    for (int i = 0; i < kObjectCount; ++i) {
        EXPECT_EQ(b.carried[i], a.carried[i]) << "object " << i;
        EXPECT_EQ(b.objects[i].inScene, a.objects[i].inScene) << "object " << i;
        EXPECT_EQ(b.objects[i].sceneScript, a.objects[i].sceneScript) << "object " << i;
    }
    for (int p = 0; p < kPersonCount; ++p)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(loaded->story.trees[p].choices[c].available, saved->story.trees[p].choices[c].available);
    EXPECT_EQ(b.objects[kLeafPlant].takeable, 0);
    EXPECT_EQ(b.objects[kRaft].takeable, 1);
    EXPECT_EQ(b.persons[kJim].present, 0);
    EXPECT_EQ(loaded->story.raftComboItem(), kRaft);
    EXPECT_EQ(loaded->story.noRaftMessageItem(), kNoObject);
    EXPECT_EQ(loaded->story.heldItem, -1);
}

TEST(SaveGame, TheRecordIs420LittleEndianBytesWithReservedSlotsZeroAndSavingTwiceGivesTheSame) {
    MemoryPlatform platform;
    auto game = StartedGame(platform);
    StartNewGame(*game, platform);
    SaveFromPanel(*game, platform);
    const std::vector<uint8_t> first = platform.files[kSavePath];
    ASSERT_EQ(first.size(), 420u);
    EXPECT_EQ(first[4], 0xC2);  // hero x 450, low byte first
    EXPECT_EQ(first[5], 0x01);
    EXPECT_EQ(Slot(first, 0), 0);
    EXPECT_EQ(Slot(first, 2), 300);
    EXPECT_EQ(Slot(first, 4 + 3 * kChainsaw + 2), -1);
    EXPECT_EQ(Slot(first, 4 + 3 * kShip + 1), 1);
    EXPECT_EQ(Slot(first, 4 + 3 * kShip + 2), 0);
    EXPECT_EQ(Slot(first, 4 + 3 * kLeafPlant + 2), 1);
    EXPECT_EQ(Slot(first, 4 + 3 * kSleepingJim + 1), 0);
    const int dialogue[12] = {1, 1, 1, 1, 1, 0, 1, 1, 1, 0, 1, 1};
    for (int k = 0; k < 12; ++k) EXPECT_EQ(Slot(first, 79 + k), dialogue[k]) << "slot " << 79 + k;
    EXPECT_EQ(Slot(first, 91), 1);
    EXPECT_EQ(Slot(first, 92), 0);
    EXPECT_EQ(Slot(first, 93), 1);
    EXPECT_EQ(Slot(first, 94), kNoObject);
    EXPECT_EQ(Slot(first, 95), kRaft);
    for (int i = 73; i <= 78; ++i) EXPECT_EQ(Slot(first, i), 0) << "slot " << i;
    for (int i = 96; i <= 104; ++i) EXPECT_EQ(Slot(first, i), 0) << "slot " << i;
    SaveFromPanel(*game, platform);
    EXPECT_EQ(platform.files[kSavePath], first);
}

TEST(SaveGame, FailedSavesAreNamedPlayGoesOnAndTheOldSaveStays) {
    MemoryPlatform platform;
    auto game = StartedGame(platform);
    StartNewGame(*game, platform);
    SaveFromPanel(*game, platform);
    const std::vector<uint8_t> before = platform.files[kSavePath];
    game->world.hero.x = game->world.hero.targetX = 222;

    platform.failWrite = true;
    SaveFromPanel(*game, platform);
    EXPECT_EQ(platform.notices, std::vector<std::string>{"Write error"});
    EXPECT_EQ(game->world.state, GameState::Play);
    EXPECT_EQ(platform.files[kSavePath], before);

    platform.failWrite = false;
    platform.failCreate = true;
    SaveFromPanel(*game, platform);
    EXPECT_EQ(platform.notices.back(), "false file name");
    EXPECT_EQ(game->world.state, GameState::Play);
    EXPECT_FALSE(game->quitRequested);  // the game goes on
    const int64_t frames = game->frames;
    Frame(*game, platform);
    EXPECT_EQ(game->frames, frames + 1);
    EXPECT_EQ(platform.files[kSavePath], before);
}

// What a load ends in: the notices shown, and the game it leaves.
struct LoadResult {
    std::vector<std::string> notices;
    std::unique_ptr<Game> game;
    bool fileUntouched;
};

LoadResult LoadFile(const std::vector<uint8_t>* bytes) {
    MemoryPlatform platform;
    if (bytes) platform.files[kSavePath] = *bytes;
    LoadResult r{{}, StartedGame(platform), false};
    PressLoad(*r.game, platform);
    r.notices = platform.notices;
    r.fileUntouched = bytes ? platform.files[kSavePath] == *bytes : platform.files.count(kSavePath) == 0;
    return r;
}

// A sound record of a game in the palm beach with the chainsaw in the pockets.
SaveRecord PalmBeachRecord() {
    MemoryPlatform platform;
    auto game = StartedGame(platform);
    game->world.locationIndex = kPalmScene;
    game->world.carried[kChainsaw] = 1;
    return GatherSaveRecord(game->world, game->story);
}

void ExpectNewGame(const LoadResult& r, const std::string& what) {
    const World& w = r.game->world;
    EXPECT_EQ(w.state, GameState::Play) << what;
    EXPECT_EQ(w.locationIndex, kShipScene) << what;
    EXPECT_EQ(w.location.objectSlots[0], kShip) << what;
    EXPECT_EQ(w.hero.x, kHeroStartX) << what;
    EXPECT_EQ(w.hero.y, kHeroStartY) << what;
    EXPECT_EQ(w.carried[kChainsaw], 0) << what;
    EXPECT_TRUE(r.fileUntouched) << what;
}

TEST(SaveGame, ADamagedSaveLoadsNothingIsNamedAndStartsANewGame) {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> damaged;
    std::vector<uint8_t> good = EncodeSaveRecord(PalmBeachRecord());
    damaged.push_back({"419 bytes", std::vector<uint8_t>(good.begin(), good.end() - 1)});
    auto bad = [&](const std::string& what, int slot, int32_t value) {
        SaveRecord r = PalmBeachRecord();
        r[slot] = value;
        damaged.push_back({what, EncodeSaveRecord(r)});
    };
    bad("location 7", 0, 7);
    bad("location -1", 0, -1);
    bad("x 0", 1, 0);
    bad("x 911", 1, 911);
    bad("y 0", 2, 0);
    bad("y 469", 2, 469);
    bad("facing -1", 3, -1);
    bad("facing 4", 3, 4);
    bad("ship with the leaves scene", 4 + 3 * kShip + 2, 1);
    bad("leaf plant with the ship scene", 4 + 3 * kLeafPlant + 2, 0);
    bad("chainsaw with a scene", 4 + 3 * kChainsaw + 2, 0);
    for (const auto& [what, bytes] : damaged) {
        LoadResult r = LoadFile(&bytes);
        EXPECT_EQ(r.notices, std::vector<std::string>{"The saved game is damaged"}) << what;
        ExpectNewGame(r, what);
    }

    LoadResult none = LoadFile(nullptr);
    EXPECT_TRUE(none.notices.empty());
    ExpectNewGame(none, "no saved game");
}

TEST(SaveGame, TheEdgesOfWhatASaveMayHoldStillLoad) {
    SaveRecord r = PalmBeachRecord();
    r[0] = 6;
    r[1] = 910;
    r[2] = 1;
    r[3] = 3;
    r[4 + 3 * kShip + 2] = -1;
    std::vector<uint8_t> bytes = EncodeSaveRecord(r);
    LoadResult high = LoadFile(&bytes);
    EXPECT_TRUE(high.notices.empty());
    EXPECT_EQ(high.game->world.locationIndex, 6);
    EXPECT_EQ(high.game->world.hero.x, 910);
    EXPECT_EQ(high.game->world.hero.facing, 3);
    EXPECT_EQ(high.game->world.carried[kChainsaw], 1);

    r = PalmBeachRecord();
    r[1] = 1;
    r[2] = 468;
    bytes = EncodeSaveRecord(r);
    LoadResult low = LoadFile(&bytes);
    EXPECT_TRUE(low.notices.empty());
    EXPECT_EQ(low.game->world.locationIndex, kPalmScene);
    EXPECT_EQ(low.game->world.hero.x, 1);
    EXPECT_EQ(low.game->world.hero.y, 468);
}

}  // namespace
}  // namespace vz::test
