// Stick to pointer: radial dead zone, squared response, speed ramping up while the stick is held.
#include "platform/stick.h"

#include <algorithm>
#include <cmath>

namespace vz {

void StickPointer::Reset() {
    restX_ = restY_ = 0;
    heldFrames_ = 0;
}

void StickPointer::Step(int axisX, int axisY, int& dx, int& dy) {
    dx = dy = 0;
    const double x = std::clamp(axisX / 32767.0, -1.0, 1.0);
    const double y = std::clamp(axisY / 32767.0, -1.0, 1.0);
    const double length = std::hypot(x, y);
    const double dead = kDeadZone / 32767.0;
    // The dead zone is a circle, so a diagonal is no faster than a straight push; letting go stops
    // the pointer at once, with no left-over fraction drifting it on later.
    if (length <= dead) {
        Reset();
        return;
    }
    const double push = std::min(1.0, (length - dead) / (1.0 - dead));
    const double ramp =
        kFirstFrameShare + (1.0 - kFirstFrameShare) * std::min(1.0, heldFrames_ / static_cast<double>(kRampFrames));
    if (heldFrames_ < kRampFrames) ++heldFrames_;
    const double speed = kFullSpeed * push * push * ramp;
    restX_ += x / length * speed;
    restY_ += y / length * speed;
    dx = static_cast<int>(std::trunc(restX_));
    dy = static_cast<int>(std::trunc(restY_));
    restX_ -= dx;
    restY_ -= dy;
}

}  // namespace vz
