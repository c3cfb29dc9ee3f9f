// The game's view of the keyboard and mouse: a clamped pointer and one-frame click events.
#pragma once

#include <cstdint>
#include <vector>

namespace vz {

// What a backend reports for one poll: where the pointer went and what is held down now.
struct RawInput {
    bool ok = true;  // false when the devices could not be read this time
    // The pointer put at (x, y) in game pixels, where the system shows its own pointer (in a
    // window, on a page) or where a finger is. Beyond the frame it stops at the frame's edge.
    bool placed = false;
    int x = 0;
    int y = 0;
    // Motion since the last poll in game pixels (full screen's mouse, a controller's stick), added
    // after the placing.
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
    bool inventory = false;  // I, or the touch controls' button: opens and closes the inventory
    bool textPace = false;   // T: the next text pace
    // The last input was a finger on a touch screen; the latest touch came down at
    // (touchStartX, touchStartY) in game pixels (-1 before any).
    bool touch = false;
    int touchStartX = -1;
    int touchStartY = -1;
};

// One of the presses a backend reports, named by its field.
using RawPress = bool RawInput::*;

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
    bool touched = false;       // the last input was a finger: no pointer is drawn
    // One-poll events of the keys that act as they go down, and what was held at the last poll.
    int tabStep = 0;  // +1 Tab, -1 Shift+Tab, 0 neither
    bool hintPressed = false;
    bool inventoryPressed = false;
    bool textPacePressed = false;
    RawInput keysHeld = {};
};

// One poll: places the pointer, adds the motion, clamps it and turns held buttons into click
// events, a left click (button or Enter) before a right one, and keys going down into their
// one-poll events. A failed read changes nothing but the cooldown.
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
    // A press after the frame's read counts anew, whenever the frame's start is taken.
    void Press() {
        pressed_ = true;
        reported_ = false;
    }
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

// One latch for each press a backend reports, so that adding a key to a backend's table of keys
// is all it takes to keep its short presses too.
class PressLatches {
public:
    void NewFrame();
    void Press(RawPress press);
    // Reports the press held into `input` when it is held now or was pressed since the last frame
    // that read it; a press already reported held there (another key for the same) stays.
    void Read(RawInput& input, RawPress press, bool heldNow);
    // The same for every press ever pressed, held now where `held` has it.
    void ReadAll(RawInput& input, const RawInput& held);
    void Forget();

private:
    PressLatch& Of(RawPress press);

    struct Entry {
        RawPress press;
        PressLatch latch;
    };
    std::vector<Entry> latches_;
};

}  // namespace vz
