// Hint benchmarks: the first hint of a game, which works out the story's map, and any hint after it.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench.h"
#include "logic/hints.h"
#include "logic/story_map.h"

namespace vz::bench {

namespace {

// A new game in the wreck's scene, as H finds it right after the start button.
Game& NewGameInPlay() {
    Game& game = *SharedGame().game;
    game.world.state = GameState::Play;
    game.world.locationIndex = kShipScene;
    return game;
}

void FirstHint(benchmark::State& state) {
    Game& game = NewGameInPlay();
    for (auto _ : state) {
        game.story.storyMap = std::make_shared<StoryMap>();  // a game nobody has asked a hint in yet
        AskHint(game.world, game.story, -1);
        benchmark::DoNotOptimize(game.story.hintText);
    }
    state.counters["states"] = static_cast<double>(game.story.storyMap->Size());
}
BENCHMARK(FirstHint)->Unit(benchmark::kMillisecond)->Iterations(3);

void LaterHint(benchmark::State& state) {
    Game& game = NewGameInPlay();
    game.story.storyMap = std::make_shared<StoryMap>();
    AskHint(game.world, game.story, -1);
    for (auto _ : state) {
        AskHint(game.world, game.story, -1);
        benchmark::DoNotOptimize(game.story.hintText);
    }
}
BENCHMARK(LaterHint)->Unit(benchmark::kMicrosecond);

}  // namespace

}  // namespace vz::bench
