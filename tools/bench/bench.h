// Shared pieces of the benchmark program: a game started on the built pictures, and the goal table.
#pragma once

#include <string>

#include "play_frame.h"

namespace vz::bench {

// The one game the drawing benchmarks share (its pictures are loaded once).
StartedGame& SharedGame();

// Where the replay scripts live (tests/replay in the source tree).
std::string ReplayScriptFolder();

}  // namespace vz::bench
