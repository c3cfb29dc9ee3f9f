// Replay scripts: the game played headless from a list of commands, frame by frame.
#pragma once

#include <string>
#include <vector>

#include "platform/input.h"
#include "shell/game.h"

namespace vz {

enum class CommandKind { Move, Click, RightClick, Enter, Hold, Escape, Wait, Shot, State };
enum class HoldWhat { Left, Right, Enter, Hotspot };

struct ReplayCommand {
    CommandKind kind;
    int line = 0;
    bool hasPoint = false;
    int x = 0, y = 0;
    HoldWhat hold = HoldWhat::Left;
    int count = 0;
    std::string name;  // shot file name
};

struct ParseError {
    int line = 0;
    std::string message;
};

// Parses a whole script; false (with the first bad line) when any line is unknown or malformed.
bool ParseReplayScript(const std::string& text, std::vector<ReplayCommand>& commands, ParseError& error);

// The inputs of the frames a command plays, given where the pointer is now.
std::vector<RawInput> FramesFor(const ReplayCommand& command, int mouseX, int mouseY);

// The whole game state as one line of JSON.
std::string StateJson(const Game& game);

}  // namespace vz
