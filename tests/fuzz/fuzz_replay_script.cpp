// Fuzz target: the replay script parser and the frames each command plays.
#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<vz::ReplayCommand> commands;
    vz::ParseError error;
    if (!vz::ParseReplayScript(std::string(reinterpret_cast<const char*>(data), size), commands, error)) return 0;
    for (const vz::ReplayCommand& c : commands) {
        if (c.count > 100000) continue;  // long waits are only slow, not interesting
        vz::FramesFor(c, 400, 300);
    }
    return 0;
}
