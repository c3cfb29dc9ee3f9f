// Fuzz target: the replay script parser, its limits and line numbers, and the frames each command plays.
#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/replay.h"

namespace {

// Lines as the parser counts them: each "\n", "\r\n" or lone "\r" ends one.
int LineCount(const std::string& text) {
    int lines = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
    }
    const bool unterminated = !text.empty() && text.back() != '\n' && text.back() != '\r';
    return lines + (unterminated ? 1 : 0);
}

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<vz::ReplayCommand> commands;
    vz::ParseError error;
    const int lines = LineCount(text);
    if (!vz::ParseReplayScript(text, commands, error)) {
        // A bad line is named by a number the script has, with a reason; a script too large as a whole
        // by line 0.
        Check(!error.message.empty());
        if (size > vz::kMaxReplayScriptBytes)
            Check(error.line == 0);
        else
            Check(error.line >= 1 && error.line <= lines);
        return 0;
    }
    // Commands keep their order, one a line at most, and none came from a line over the limit.
    int previous = 0;
    for (const vz::ReplayCommand& c : commands) {
        Check(c.line > previous && c.line <= lines);
        previous = c.line;
        if (c.count > 100000) continue;  // long waits are only slow, not interesting
        vz::FramesFor(c, 400, 300);
    }
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
            Check(i - start <= vz::kMaxReplayLineLength);
            start = i + 1;
        }
    }
    return 0;
}
