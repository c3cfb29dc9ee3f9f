// The game's view of the keyboard and mouse: a clamped pointer and one-frame click events.
#pragma once

#include <cstdint>

namespace vz {

// What a backend reports for one poll: motion since the last poll and what is held down now.
struct RawInput {
    bool ok = true;  // false when the devices could not be read this time
    int dx = 0;
    int dy = 0;
    bool left = false;
    bool right = false;
    bool enter = false;
    bool escape = false;
};

inline constexpr int kMouseMinX = 17;
inline constexpr int kMouseMaxX = 1008;
inline constexpr int kMouseMinY = 17;
inline constexpr int kMouseMaxY = 752;
inline constexpr int kClickCooldownFrames = 5;

struct InputState {
    int mouseX = 0;
    int mouseY = 0;
    bool leftDown = false;
    bool rightDown = false;
    bool enterDown = false;
    int clickCooldown = 0;  // shared by both buttons and Enter
    bool leftClick = false;
    bool rightClick = false;
    bool escapeDown = false;
};

// One poll: adds the motion, clamps the pointer and turns held buttons into click events, a left
// click (button or Enter) before a right one. A failed read changes nothing but the cooldown.
bool PollInput(InputState& input, const RawInput& raw);

}  // namespace vz
