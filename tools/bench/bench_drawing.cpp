// Drawing benchmarks: a whole Play frame per scene, keyed sprites against SDL's, and a line of text.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench.h"
#include "logic/interaction.h"
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

// Something in the scene to point at, so that its label is drawn; (0, 0) where there is nothing.
void LabelPoint(const World& w, int& x, int& y) {
    x = y = 0;
    for (int slot : w.location.objectSlots) {
        if (slot < 0) break;
        const WorldObject& o = w.objects[slot];
        if (o.inScene && o.y + o.height / 2 > 40) {
            x = o.x + o.width / 2;
            y = o.y + o.height / 2;
            return;
        }
    }
    if (w.location.personIndex >= 0) {
        const Person& p = w.persons[w.location.personIndex];
        x = p.x + p.width / 2;
        y = p.y + p.height / 2;
    }
}

// One Play frame as the game composes it: the background, the scene's objects and islander, the
// hero taking a step, the label of what the pointer is on, and the cursor.
void ComposePlayFrame(benchmark::State& state) {
    StartedGame& g = SharedGame();
    World& w = g.game->world;
    Story& story = g.game->story;
    const int scene = static_cast<int>(state.range(0));
    w.locationIndex = scene;
    LoadLocation(w.location, g.platform, scene);
    if (w.location.personIndex >= 0) w.persons[w.location.personIndex].present = 1;
    int mouseX = 0, mouseY = 0;
    LabelPoint(w, mouseX, mouseY);
    if (mouseX == 0) mouseX = 512, mouseY = 600;
    for (auto _ : state) {
        w.state = GameState::Play;
        w.input.mouseX = mouseX;
        w.input.mouseY = mouseY;
        w.input.leftClick = w.input.rightClick = false;
        w.hero.x = 400;
        w.hero.y = 300;
        w.hero.targetX = 700;
        w.hero.targetY = 300;
        PlayFrame(w, story);
        benchmark::DoNotOptimize(w.backBuffer.pixels.data());
    }
    w.state = GameState::Play;
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
