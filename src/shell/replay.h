// Replay scripts: the game played headless from a list of commands, frame by frame.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/input.h"
#include "shell/game.h"

namespace vz {

enum class CommandKind { Move, Click, RightClick, Enter, Hold, Escape, Wait, Shot, State, Tap, LongPress, Key };
enum class HoldWhat { Left, Right, Enter, Hotspot };

struct ReplayCommand {
    CommandKind kind;
    int line = 0;
    bool hasPoint = false;
    int x = 0, y = 0;
    HoldWhat hold = HoldWhat::Left;
    int count = 0;
    std::string name;  // shot file name, or the key's name
};

// The keys a script can press (`key NAME [N]`): every key the game reads.
inline constexpr const char* kReplayKeys =
    "tab shift-tab left right up down enter escape space backspace h i t";

struct ParseError {
    int line = 0;
    std::string message;
};

// What a script may be: a script is a few hundred short lines, so anything far larger or wider is
// not one.
inline constexpr size_t kMaxReplayScriptBytes = 1u << 20;
inline constexpr size_t kMaxReplayLineLength = 1000;

// Parses a whole script; false (with the first bad line, 0 for the script as a whole) when the
// script is too large, or any line is too long, unknown or malformed.
bool ParseReplayScript(const std::string& text, std::vector<ReplayCommand>& commands, ParseError& error);

// What a script's fingers leave for the frames after them: the last input was a touch that came
// down at (startX, startY), until the mouse is used again.
struct ReplayTouch {
    bool active = false;
    int startX = -1;
    int startY = -1;
};

// The inputs of the frames a command plays, given where the pointer is now and what the fingers
// left (which the command may change).
std::vector<RawInput> FramesFor(const ReplayCommand& command, int mouseX, int mouseY, ReplayTouch& touch);
// The same for a script without fingers.
std::vector<RawInput> FramesFor(const ReplayCommand& command, int mouseX, int mouseY);

// The whole game state as one line of JSON, ending with the sound: the music and ambience playing,
// the cues of the last frame, and in "heard" every cue of the given frames (each once, in the
// order first heard; a replay gives the frames since its previous state line).
std::string StateJson(const Game& game, const std::deque<SoundFrame>& frames = {});

}  // namespace vz
