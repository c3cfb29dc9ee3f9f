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
    bool hotspots = false;  // the key that names everything in the scene is held
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
    bool hotspotsHeld = false;  // only draws: names and exit arrows over the scene
};

// One poll: adds the motion, clamps the pointer and turns held buttons into click events, a left
// click (button or Enter) before a right one. A failed read changes nothing but the cooldown.
bool PollInput(InputState& input, const RawInput& raw);

// A button read by state once a frame misses a press and release that both fall between two
// reads. The latch remembers a press until a read has reported it: every read of the frame that
// saw it reports it held, and the first frame after that forgets it.
class PressLatch {
public:
    // At the start of a frame's events: a press that a read already reported is forgotten.
    void NewFrame() {
        if (reported_) pressed_ = reported_ = false;
    }
    void Press() { pressed_ = true; }
    // What a read reports: held now, or pressed since the last frame that read it.
    bool Read(bool heldNow) {
        if (pressed_) reported_ = true;
        return heldNow || pressed_;
    }
    void Forget() { pressed_ = reported_ = false; }

private:
    bool pressed_ = false;
    bool reported_ = false;
};

}  // namespace vz
