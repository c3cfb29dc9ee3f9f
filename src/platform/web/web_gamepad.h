// Game controllers on the page, as the browser's Gamepad API reports them, read once a frame.
#pragma once

#include <cstdint>
#include <span>

#include "platform/input.h"
#include "platform/stick.h"

namespace vz {

// One controller in the Gamepad API's standard layout: the left stick (-1..1, down positive) and
// which buttons are pressed (bit i for the API's buttons[i]).
struct PadReading {
    double stickX = 0;
    double stickY = 0;
    uint32_t buttons = 0;
};

enum PadButton : int { kPadA = 0, kPadB = 1, kPadX = 2, kPadY = 3, kPadLB = 4, kPadRB = 5, kPadBack = 8, kPadStart = 9 };

// Every controller as one more mouse and keyboard, as on the desktop:
//   left stick   moves the pointer          A        left button
//   B            right button               Y        hotspot key (names in the scene)
//   RB, LB       Tab and Shift+Tab: the next or previous thing that answers a click
//   X            pointer to the top edge (opens the inventory)
//   Back + Start held together on one controller   quits (Escape)
// The browser is asked once a frame, so the buttons are read as held, and the game's own input
// rules make clicks of them.
class WebGamepads {
public:
    // This frame's readings of the controllers plugged in (none: nothing held, nothing moves).
    void Read(std::span<const PadReading> pads);
    // Adds them to one read of the frame's input; the motion only where asked (the frame's first read).
    void AddTo(RawInput& input, bool withMotion) const;
    // Nothing held, no motion left over: the page was hidden or the canvas lost the keyboard.
    void Forget();

private:
    StickPointer stick_;
    int dx_ = 0;
    int dy_ = 0;
    bool a_ = false, b_ = false, hotspot_ = false, quit_ = false, lb_ = false, rb_ = false;
    bool xHeld_ = false;  // X moves the pointer once per press
};

}  // namespace vz
