// A game controller's stick as pointer motion: a dead zone, a gentle curve and a short ramp-up.
#pragma once

namespace vz {

// Turns one frame's stick deflection into whole pixels of pointer motion. A light push moves the
// pointer less than a pixel a frame (what is left over carries to the next frame), so it can stop
// on a small thing; a full push held for a moment crosses the screen in about a second.
class StickPointer {
public:
    static constexpr int kDeadZone = 8000;             // of 32767: a stick at rest is never quite at 0
    static constexpr double kFullSpeed = 48.0;         // pixels a frame, fully pushed after the ramp
    static constexpr int kRampFrames = 10;             // frames from the first push to full speed
    static constexpr double kFirstFrameShare = 0.4;    // of full speed, in the first frame of a push

    // axisX, axisY: -32768..32767 as the controller reports them.
    void Step(int axisX, int axisY, int& dx, int& dy);
    void Reset();

private:
    double restX_ = 0;
    double restY_ = 0;
    int heldFrames_ = 0;
};

}  // namespace vz
