// The main loop: the title menu, the order of the state blocks, Escape, pacing and the ending.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "logic/story.h"
#include "shell/savegame.h"
#include "support.h"

namespace vz::test {
namespace {

RawInput With(bool left, bool escape) {
    RawInput r;
    r.left = left;
    r.escape = escape;
    return r;
}

TEST(MainLoop, TitleButtonsActOnlyInsideTheirHitAreas) {
    MemoryPlatform platform;
    ASSERT_EQ(UseRealPictures(platform, {"images/startscreen2.sbf", "images/locations/schiff.sbf"}), 2);
    auto game = StartedGame(platform);
    for (auto [x, y] : {std::pair{362, 430}, {512, 400}, {512, 480}, {662, 430}, {512, 460}}) {
        ClickAt(*game, platform, x, y);
        EXPECT_EQ(game->world.state, GameState::TitleMenu) << x << "," << y;
    }
    // Enter at the start button's far corner starts the game; the title is shown in that pass.
    MoveTo(*game, platform, 661, 459);
    const int presents = platform.PresentCount();
    RawInput enter;
    enter.enter = true;
    Frame(*game, platform, enter);
    EXPECT_EQ(platform.PresentCount(), presents + 1);
    EXPECT_EQ(game->world.state, GameState::Play);
    EXPECT_EQ(game->world.location.objectSlots[0], kShip);
    const Surface& title = game->title.background;
    const Surface& ship = game->world.location.background;
    ASSERT_NE(title.At(100, 100), ship.At(100, 100));
    EXPECT_EQ(platform.LastFrame().At(100, 100), title.At(100, 100));
    Frame(*game, platform);
    EXPECT_EQ(platform.LastFrame().At(100, 100), ship.At(100, 100));

    auto quitting = StartedGame(platform);
    ClickAt(*quitting, platform, 363, 601);  // the quit button's first counted pixel
    EXPECT_TRUE(quitting->quitRequested);
}

// A folder whose pictures cannot be read (damaged, another game's) keeps the game from starting
// with a notice that names the folder; one picture read is enough, the rest is simply not seen.
TEST(StartUp, AFolderGivingNoneOfTheGamesPicturesIsNamedButOnePictureReadIsEnough) {
    MemoryPlatform none;
    none.files["images/startscreen2.sbf"] = std::vector<uint8_t>(5, 0xFF);  // damaged
    const std::string problem = PictureFolderProblem(*StartedGame(none), "/games/images");
    EXPECT_NE(problem.find("holds none of the game's pictures"), std::string::npos) << problem;
    EXPECT_NE(problem.find("/games/images"), std::string::npos) << problem;

    for (const char* only : {"images/cursor/cursor0.sbf", "images/quarro/quarro1-rr2.sbf", "images/icon.sbf"}) {
        MemoryPlatform one;
        ASSERT_EQ(UseRealPictures(one, {only}), 1) << only;
        EXPECT_EQ(PictureFolderProblem(*StartedGame(one), "images"), "") << only;
    }
}

// Pictures fetched in parts, as the page fetches them: what the title needs comes first, the rest
// (and each scene's) only later. A platform that says which have arrived and notes what it read.
struct PartsPlatform : MemoryPlatform {
    bool arrived = false;
    std::vector<std::string> asked;  // the last question
    std::set<std::string> read;
    bool PicturesArrived(const std::vector<std::string>& paths) override {
        asked = paths;
        return arrived;
    }
    bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) override {
        read.insert(path);
        return MemoryPlatform::ReadWholeFile(path, bytes, maxBytes);
    }
    bool ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head, const PlaceBody& place,
                     size_t& bodyBytes) override {
        read.insert(path);
        return MemoryPlatform::ReadInPlace(path, maxBytes, head, place, bodyBytes);
    }
    bool Asked(const std::string& path) const { return std::count(asked.begin(), asked.end(), path) == 1; }
};

TEST(MainLoop, LeavingTheTitleWaitsForThePicturesOfPlayAndOfTheSceneNeverDrawingAHalfScene) {
    PartsPlatform platform;
    Game game;
    StartUpTitle(game, platform);
    EXPECT_FALSE(game.worldStarted);
    MoveTo(game, platform, 512, 430);
    Frame(game, platform, LeftButton());  // Start
    for (int i = 0; i < 10; ++i) Frame(game, platform);
    const int presents = platform.PresentCount();
    for (int i = 0; i < 10; ++i) Frame(game, platform, LeftButton());  // clicks change nothing meanwhile
    EXPECT_EQ(game.world.state, GameState::ChangeLocation);
    EXPECT_EQ(platform.PresentCount(), presents);
    EXPECT_FALSE(game.worldStarted);
    for (const std::string& path : WorldPictures()) EXPECT_TRUE(platform.Asked(path)) << path;
    EXPECT_TRUE(platform.Asked(kLocationTable[kShipScene].background));
    EXPECT_TRUE(platform.Asked(kLocationTable[kShipScene].walkMask));

    platform.arrived = true;
    Frame(game, platform);
    EXPECT_TRUE(game.worldStarted);
    EXPECT_EQ(game.world.state, GameState::Play);
    EXPECT_EQ(game.world.location.objectSlots[0], kShip);
    Frame(game, platform);
    EXPECT_EQ(platform.PresentCount(), presents + 1);
    // A later scene asks only for its own.
    platform.arrived = false;
    EnterScene(game, platform, kBarScene);
    game.world.locationIndex = kVillageScene;
    game.world.state = GameState::ChangeLocation;
    Frame(game, platform);
    EXPECT_EQ(game.world.state, GameState::ChangeLocation);
    EXPECT_EQ(platform.asked, (std::vector<std::string>{kLocationTable[kVillageScene].background,
                                                        kLocationTable[kVillageScene].walkMask}));
}

TEST(MainLoop, LoadWaitsForTheSavedScenesPictures) {
    PartsPlatform platform;
    {
        auto saved = StartedGame(platform);
        EnterScene(*saved, platform, kJungleScene);
        ASSERT_EQ(SaveGameToFile(saved->world, saved->story, platform).outcome, SaveOutcome::Saved);
    }
    Game game;
    StartUpTitle(game, platform);
    ClickAt(game, platform, 512, 530);  // Load
    EXPECT_EQ(game.world.state, GameState::LoadGame);
    EXPECT_TRUE(platform.Asked(kLocationTable[kJungleScene].background));
    platform.arrived = true;
    Frame(game, platform);
    EXPECT_EQ(game.world.locationIndex, kJungleScene);
    EXPECT_EQ(game.world.state, GameState::Play);
}

// The page's first pack must hold every picture of the title screen, and the wait before play
// every picture the rest of start-up reads; otherwise the page would show them missing.
TEST(StartUp, TheTitleReadsOnlyThePagesFirstPackAndTheWaitBeforePlayCoversTheRest) {
    std::ifstream rules(std::string(VZ_SOURCE_DIR) + "/src/platform/web/pictures.txt");
    ASSERT_TRUE(rules) << "the page's packs of pictures";
    std::vector<std::pair<std::string, std::string>> packs;
    for (std::string line; std::getline(rules, line);) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string pack, path;
        if (words >> pack >> path) packs.emplace_back(pack, path);
    }
    auto under = [](const std::string& file, const std::string& pattern) {
        return file == pattern || (pattern.back() == '/' && file.rfind(pattern, 0) == 0);
    };
    auto packOf = [&](const std::string& file) {
        for (const auto& [pack, pattern] : packs)
            if (under(file, pattern)) return pack;
        return std::string("none");
    };

    PartsPlatform title;
    Game game;
    StartUpTitle(game, title);
    EXPECT_GT(title.read.size(), 10u);
    for (const std::string& path : title.read) EXPECT_EQ(packOf(path), "title") << path;

    PartsPlatform world;
    StartUpWorld(game, world);
    EXPECT_GT(world.read.size(), 50u);
    for (const std::string& path : world.read) {
        EXPECT_TRUE(std::any_of(WorldPictures().begin(), WorldPictures().end(),
                                [&](const std::string& p) { return under(path, p); }))
            << path << " is read before play but not waited for";
        EXPECT_NE(packOf(path), "title") << path;
    }
}

struct Case {
    const char* what;
    int scene, verb, held, x, y;
    GameState after;
};

TEST(MainLoop, AClickThatStartsALaterStateShowsTwoFramesInOnePass) {
    const Case cases[] = {
        {"nothing", kBarScene, kWalk, -1, 700, 600, GameState::Play},
        {"take the sugar", kBarScene, kTake, -1, 840, 527, GameState::WalkToObject},
        {"talk to Kai", kBarScene, kTalk, -1, 560, 300, GameState::WalkToPerson},
        {"coconut to the native woman", kVillageScene, kTake, kCoconut, 850, 450, GameState::GiveToPerson},
        {"pill on the monkey", kJungleScene, kTake, kSleepingPill, 546, 462, GameState::UseOnObject},
        {"raft on the ocean", kShipScene, kTake, kMotorRaft, 220, 720, GameState::Ending},
        {"top band", kBarScene, kWalk, -1, 700, 18, GameState::InventoryScreen},
    };
    for (const Case& c : cases) {
        Session g;
        EnterScene(*g.game, g.platform, c.scene);
        SetVerb(*g.game, c.verb);
        if (c.held >= 0) g.Hold(c.held);
        if (c.y >= 20) MoveTo(*g.game, g.platform, c.x, c.y);
        const int presents = g.platform.PresentCount();
        if (c.y < 20)
            MoveTo(*g.game, g.platform, c.x, c.y);
        else
            Frame(*g.game, g.platform, LeftButton());
        EXPECT_EQ(g.w.state, c.after) << c.what;
        EXPECT_EQ(g.platform.PresentCount() - presents, c.after == GameState::Play ? 1 : 2) << c.what;
    }
}

TEST(MainLoop, EscapeEndsTheGameAfterTheFrameButNotInAFrameCutShort) {
    Session g;
    const int presents = g.platform.PresentCount();
    Frame(*g.game, g.platform, With(false, true));
    EXPECT_TRUE(g.game->quitRequested);
    EXPECT_EQ(g.platform.PresentCount(), presents + 1);  // that frame was still drawn
    const int64_t frames = g.game->frames;
    Frame(*g.game, g.platform);
    EXPECT_EQ(g.game->frames, frames);

    // The hand-over's end leaves the frame before pacing and Escape: seen one frame later.
    Session h;
    EnterScene(*h.game, h.platform, kVillageScene, 620, 230);  // already at her stand point
    SetVerb(*h.game, kTake);
    h.Hold(kCoconut);
    h.Click(850, 450);
    ASSERT_EQ(h.w.state, GameState::GiveToPerson);
    h.platform.SetFrameInput(With(true, true));
    const uint32_t ticks = h.platform.Ticks();
    RunFrame(*h.game, h.platform, true);
    EXPECT_EQ(h.w.state, GameState::Play);
    EXPECT_EQ(h.platform.Ticks(), ticks);  // no pacing either
    EXPECT_FALSE(h.game->quitRequested);
    Frame(*h.game, h.platform, With(false, true));
    EXPECT_TRUE(h.game->quitRequested);
}

// A machine on which the first frame shown takes 100 ms to show.
struct SlowFirstFrame : MemoryPlatform {
    bool slow = true;
    void Present(const Surface& frame) override {
        MemoryPlatform::Present(frame);
        if (slow) SleepMs(100);
        slow = false;
    }
};

TEST(MainLoop, PacedFramesLastAtLeast40TicksWithoutCatchingUp) {
    SlowFirstFrame platform;
    auto game = StartedGame(platform);
    RunFrame(*game, platform, true);
    EXPECT_EQ(platform.Ticks(), 100u);
    RunFrame(*game, platform, true);
    EXPECT_EQ(platform.Ticks(), 140u);
    RunFrame(*game, platform, true);
    EXPECT_EQ(platform.Ticks(), 180u);
}

struct EndingTest : ::testing::Test, Session {
    EndingTest() : Session({"images/quarro/quarro1-s0.sbf"}) {}
    void SetUp() override {
        SetVerb(*game, kTake);
        Hold(kMotorRaft);
        MoveTo(*game, platform, 220, 720);  // the ocean
        Frame(*game, platform, LeftButton());
        ASSERT_EQ(w.state, GameState::Ending);
    }
    bool RaftShownAt(int x) {
        Surface again = platform.LastFrame();
        DrawSprite(300, 300, x, 400, w.hero.endingImage, again);
        return again.pixels == platform.LastFrame().pixels;
    }
    bool Credit(int y, const char* text) { return Shows(412, y, text, true, true); }
};

TEST_F(EndingTest, CreditsFollowTheCounterAndTheProgramEndsAt380) {
    EXPECT_EQ(game->creditsCounter, 1);
    EXPECT_TRUE(RaftShownAt(302));
    EXPECT_FALSE(RaftShownAt(300));
    EXPECT_FALSE(Credit(110, "That's it"));  // the line keeps its trailing blank

    struct Line {
        int first, last, y;
        const char* text;
    };
    const Line credits[] = {
        {1, 69, 110, "That's it "},
        {70, 169, 110, "Idea and realisation"},
        {70, 169, 130, "the Vudizid Ozazi team"},
        {170, 209, 110, "2026"},
        {210, 279, 110, "Special Thanks to Pellwick"},
        {210, 279, 130, "for testing the game"},
        {280, 380, 110, "Thanks for playing"},
    };
    const std::set<int> looks = {1, 69, 70, 169, 170, 209, 210, 212, 213, 279, 280, 379, 380};
    for (int counter = 1;; ++counter) {
        ASSERT_EQ(game->creditsCounter, counter);
        ASSERT_EQ(w.state, GameState::Ending);
        if (looks.count(counter)) {
            for (const Line& c : credits)
                EXPECT_EQ(Credit(c.y, c.text), c.first <= counter && counter <= c.last)
                    << "\"" << c.text << "\" at counter " << counter;
        }
        if (counter == 212) {
            EXPECT_TRUE(RaftShownAt(724));
        }
        if (counter == 213) {
            const Surface& f = platform.LastFrame();
            for (int y = 400; y < 700; y += 7)
                for (int x = 700; x < 1024; x += 7) ASSERT_EQ(f.At(x, y), 0) << "raft still drawn at " << x;
        }
        EXPECT_EQ(game->quitRequested, counter == 380);
        if (counter == 380) break;
        Frame(*game, platform, counter % 6 == 0 ? LeftButton() : RawInput{});  // clicks change nothing
    }
    const int64_t frames = game->frames;
    Frame(*game, platform);
    EXPECT_EQ(game->frames, frames);
    EXPECT_EQ(game->creditsCounter, 380);
}

TEST_F(EndingTest, EscapeEndsTheEndingEarly) {
    Frame(*game, platform);
    Frame(*game, platform, With(false, true));
    EXPECT_TRUE(game->quitRequested);
    EXPECT_EQ(game->creditsCounter, 3);
}

}  // namespace
}  // namespace vz::test
