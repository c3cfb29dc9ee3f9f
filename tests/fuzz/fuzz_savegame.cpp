// Fuzz target: whatever loading a saved game does with a file's bytes, then a few frames of play.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "../support.h"
#include "shell/savegame.h"

namespace {

// Puts back what start-up leaves, without reloading a single picture.
void NewGame(vz::Game& g) {
    using namespace vz;
    for (int i = 0; i < kObjectCount; ++i) {
        g.world.objects[i].inScene = kObjectTable[i].inScene;
        g.world.objects[i].takeable = kObjectTable[i].takeable;
        g.world.objects[i].sceneScript = kObjectTable[i].sceneScript;
    }
    for (int i = 0; i < kPersonCount; ++i) g.world.persons[i].present = kPersonTable[i].present;
    g.world.carried.fill(0);
    ResetHero(g.world.hero);
    vz::Surface panel = std::move(g.story.choicePanel);
    g.story = Story{};
    g.story.choicePanel = std::move(panel);
    InitStory(g.story);
    g.world.locationIndex = 0;
    g.world.state = GameState::LoadGame;
    g.quitRequested = false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static vz::test::MemoryPlatform platform;
    static std::unique_ptr<vz::Game> game = vz::test::StartedGame(platform);
    platform.keepFrames = false;
    NewGame(*game);
    platform.files[vz::kSavePath].assign(data, data + size);
    // A game that loads is played for a frame, to see that what it restored holds together. Only a
    // whole record loads, and never with the hero where he could not be drawn.
    if (vz::LoadGameFromFile(game->world, game->story, platform).outcome == vz::LoadOutcome::Loaded) {
        if (size != vz::kSaveBytes || !vz::HeroCanStandAt(game->world.hero.x, game->world.hero.y)) __builtin_trap();
        game->world.state = vz::GameState::Play;
        vz::test::Frame(*game, platform);
    }
    return 0;
}
