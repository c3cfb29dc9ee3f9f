// The arrow keys as pointer motion: a tap moves the pointer a little, holding them ever faster.
#pragma once

namespace vz {

class ArrowPointer {
public:
    static constexpr int kFirstStep = 2;    // pixels in a press's first frame: a tap places finely
    static constexpr int kMostStep = 32;    // pixels a frame at full speed, after about a second
    static constexpr int kRampFrames = 20;  // frames from the first step to full speed

    // One frame's motion for the arrows held (or tapped since the last frame); nothing held starts
    // the next press slow again.
    void Step(bool left, bool right, bool up, bool down, int& dx, int& dy);
    void Reset() { heldFrames_ = 0; }

private:
    int heldFrames_ = 0;
};

}  // namespace vz
