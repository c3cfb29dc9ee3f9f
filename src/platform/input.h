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
    // The keyboard's own keys (a controller's shoulder buttons step too): each acts once as it goes down.
    bool tab = false;        // Tab: the pointer onto the next thing that answers a click
    bool backTab = false;    // Shift+Tab: onto the previous one
    bool hint = false;       // H: a hint, saying more when asked again
    bool inventory = false;  // I: opens and closes the inventory
    bool textPace = false;   // T: the next text pace
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
    // One-poll events of the keys that act as they go down, and what was held at the last poll.
    int tabStep = 0;  // +1 Tab, -1 Shift+Tab, 0 neither
    bool hintPressed = false;
    bool inventoryPressed = false;
    bool textPacePressed = false;
    RawInput keysHeld = {};
};

// One poll: adds the motion, clamps the pointer and turns held buttons into click events, a left
// click (button or Enter) before a right one, and keys going down into their one-poll events. A
// failed read changes nothing but the cooldown.
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
