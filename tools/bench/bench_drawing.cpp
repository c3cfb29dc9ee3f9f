// Drawing benchmarks: a whole Play frame per scene, keyed sprites against SDL's, and a line of text.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench.h"
#include "platform/sdl/sdl_blit_reference.h"
#include "platform/text.h"
#include "world/location.h"

namespace vz::bench {

namespace {

// The yardstick of a frame: one plain copy of a whole 1024 x 768 x 2-byte screen.
void ScreenCopy(benchmark::State& state) {
    std::vector<uint16_t> from(kScreenWidth * kScreenHeight), to(kScreenWidth * kScreenHeight);
    for (size_t i = 0; i < from.size(); ++i) from[i] = static_cast<uint16_t>(i * 2654435761u >> 16);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint16_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ScreenCopy)->Unit(benchmark::kMicrosecond);

// One Play frame as the game composes it (see play_frame.h).
void ComposePlayFrame(benchmark::State& state) {
    StartedGame& g = SharedGame();
    const PlayFrameSetup setup = PreparePlayFrames(g, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        bench::ComposePlayFrame(*g.game, setup);
        benchmark::DoNotOptimize(g.game->world.backBuffer.pixels.data());
    }
    g.game->world.state = GameState::Play;
}
BENCHMARK(ComposePlayFrame)->DenseRange(0, kLocationCount - 1)->Unit(benchmark::kMicrosecond);

// The hero's walking picture and the leaf plant, drawn keyed by DrawSprite and by SDL.
const Surface& SpritePicture(int which, int& width, int& height) {
    World& w = SharedGame().game->world;
    if (which == 0) {
        width = 116, height = 300;
        return w.hero.rightFrames[1];
    }
    const WorldObject& plant = w.objects[9];
    width = plant.width, height = plant.height;
    return plant.image;
}

void DrawSpriteKeyed(benchmark::State& state) {
    int width = 0, height = 0;
    const Surface& picture = SpritePicture(static_cast<int>(state.range(0)), width, height);
    Surface screen(kScreenWidth, kScreenHeight);
    for (auto _ : state) {
        DrawSprite(width, height, 450, 300, picture, screen);
        benchmark::DoNotOptimize(screen.pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(DrawSpriteKeyed)->Arg(0)->Arg(1)->Unit(benchmark::kNanosecond);

void SdlBlitKeyed(benchmark::State& state) {
    int width = 0, height = 0;
    const Surface& picture = SpritePicture(static_cast<int>(state.range(0)), width, height);
    Surface screen(kScreenWidth, kScreenHeight);
    SdlKeyedBlit sdl(picture, screen);
    for (auto _ : state) {
        if (!sdl.Blit(450, 300)) state.SkipWithError("SDL refused the blit");
        benchmark::DoNotOptimize(screen.pixels.data());
        benchmark::ClobberMemory();
    }
    // Both blits must give the same picture, or the race is not fair.
    Surface ours(kScreenWidth, kScreenHeight);
    DrawSprite(width, height, 450, 300, picture, ours);
    if (ours.pixels != screen.pixels) state.SkipWithError("SDL's picture differs from DrawSprite's");
}
BENCHMARK(SdlBlitKeyed)->Arg(0)->Arg(1)->Unit(benchmark::kNanosecond);

// A 60-character line in the game's text font.
constexpr char kLine[] = "There is a monkey in every adventure game, and he sleeps now";
static_assert(sizeof(kLine) - 1 == 60);

void DrawTextLine(benchmark::State& state) {
    const World& w = SharedGame().game->world;
    Surface screen(kScreenWidth, kScreenHeight);
    for (auto _ : state) {
        DrawBitmapText(40, 600, false, 0, screen, kLine, w.fonts);
        benchmark::DoNotOptimize(screen.pixels.data());
        benchmark::ClobberMemory();
    }
    state.counters["glyphs"] = 60;
}
BENCHMARK(DrawTextLine)->Unit(benchmark::kNanosecond);

}  // namespace

}  // namespace vz::bench
