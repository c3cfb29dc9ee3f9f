// Shared pieces of the benchmark program: a game started on the built pictures, and the goal table.
#pragma once

#include <memory>
#include <string>

#include "platform/headless/headless_platform.h"
#include "shell/game.h"

namespace vz::bench {

// A game started headless on the pictures in images/ below the working directory, frames not kept.
struct StartedGame {
    HeadlessPlatform platform;
    std::unique_ptr<Game> game = std::make_unique<Game>();
    StartedGame() {
        platform.keepFrames = false;
        StartUp(*game, platform);
    }
};

// The one game the drawing benchmarks share (its pictures are loaded once).
StartedGame& SharedGame();

// Where the replay scripts live (tests/replay in the source tree).
std::string ReplayScriptFolder();

}  // namespace vz::bench
