// Fingers on a touch screen as the game's pointer and its two buttons, for the window and the page alike.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/input.h"

namespace vz {

// A touch screen has no right button and no hover. What a hand does instead:
//   a finger down puts the pointer under it, and the pointer follows it while it moves;
//   a tap (down and up again within half a second, hardly moved) is a left click where it came down,
//   in the frame after the one that put the pointer there: the game looks at what lies under its
//   pointer in the frames before a click (an exit's arrow takes the click from the verb), and a
//   finger, unlike a mouse, arrives and clicks at once;
//   a long press (half a second, hardly moved) is a right click, and so is a tap of two fingers;
//   a finger that moved further only takes the pointer along: flicked to the top, it opens the
//   inventory as the mouse does.
// Positions are in game pixels (beyond the frame for a finger beside it), times in milliseconds
// of one clock that only needs to go forward.
class TouchGestures {
public:
    static constexpr uint32_t kLongPressMs = 500;
    static constexpr int kTapSlop = 24;  // game pixels a finger may wander in a tap or a long press
    static constexpr int kMostFingers = 10;

    // At the start of a frame's events: presses already reported are forgotten.
    void NewFrame();
    void Down(int64_t finger, int x, int y, uint32_t ms);
    void Move(int64_t finger, int x, int y);
    void Up(int64_t finger, int x, int y, uint32_t ms);
    // The fingers were taken away (by the system, a notice, the focus): no click comes of them.
    void Cancel();
    // Once a frame: a finger resting for half a second becomes a long press while it still rests.
    void Tick(uint32_t ms);
    // The mouse (or a controller) was used: the last input is no longer a touch.
    void OtherPointerUsed() { active_ = false; }
    bool Active() const { return active_; }
    // Adds the fingers to one read of the input. The pointer's new place goes to the first read
    // after it changed; the clicks to every read of the frame, as a held button.
    void AddTo(RawInput& input);
    // Forgets the fingers and every press not yet reported.
    void Forget();

private:
    struct Finger {
        int64_t id;
        int downX, downY;
    };
    Finger* Find(int64_t id);
    void PlacePointer(int x, int y);
    void Tap();

    std::vector<Finger> fingers_;
    bool active_ = false;
    // The gesture: from the first finger down to the last one up.
    int startX_ = -1, startY_ = -1;
    uint32_t startMs_ = 0;
    int64_t first_ = 0;      // the finger that began it; only it moves the pointer
    int mostFingers_ = 0;    // the most fingers down at once during it
    bool moved_ = false;     // a finger wandered further than a tap may
    bool longPressed_ = false;
    int pointerX_ = 0, pointerY_ = 0;
    bool pointerMoved_ = false;  // a new place not yet read
    bool tapWaiting_ = false;    // a tap waiting for a frame to have seen the pointer at its place
    PressLatch left_, right_;
};

}  // namespace vz
