// A whole Play frame composed as the game composes it, shared by the native benchmark and the web build's.
#pragma once

#include <memory>

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

// Where the pointer rests while the frames of one scene are composed.
struct PlayFrameSetup {
    int mouseX = 512;
    int mouseY = 600;
};

// Loads a scene (0..6) with its islander present and picks something to point at, so that its
// label is drawn too.
PlayFrameSetup PreparePlayFrames(StartedGame& started, int scene);

// One Play frame: the background, the scene's objects and islander, the hero taking a step, the
// label of what the pointer is on, and the cursor. Every frame starts from the same position.
void ComposePlayFrame(Game& game, const PlayFrameSetup& setup);

}  // namespace vz::bench
