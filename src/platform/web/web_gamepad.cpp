// Gamepad API readings to the game's input: the shared stick rules, buttons as the desktop maps them.
#include "platform/web/web_gamepad.h"

#include <algorithm>
#include <cmath>

#include "platform/surface.h"

namespace vz {

namespace {

bool Pressed(const PadReading& pad, PadButton button) { return (pad.buttons >> button) & 1u; }

// The API's -1..1 as a controller's -32768..32767, which the stick rules are made for.
int Axis(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<int>(std::lround(std::clamp(value, -1.0, 1.0) * 32767));
}

}  // namespace

void WebGamepads::Read(std::span<const PadReading> pads) {
    a_ = b_ = hotspot_ = quit_ = lb_ = rb_ = false;
    bool x = false;
    // The stick pushed furthest counts, so two controllers do not add up to double speed.
    int stickX = 0, stickY = 0;
    int64_t strongest = -1;
    for (const PadReading& pad : pads) {
        const int px = Axis(pad.stickX), py = Axis(pad.stickY);
        const int64_t length = static_cast<int64_t>(px) * px + static_cast<int64_t>(py) * py;
        if (length > strongest) {
            strongest = length;
            stickX = px;
            stickY = py;
        }
        a_ = a_ || Pressed(pad, kPadA);
        b_ = b_ || Pressed(pad, kPadB);
        x = x || Pressed(pad, kPadX);
        hotspot_ = hotspot_ || Pressed(pad, kPadY);
        lb_ = lb_ || Pressed(pad, kPadLB);
        rb_ = rb_ || Pressed(pad, kPadRB);
        quit_ = quit_ || (Pressed(pad, kPadBack) && Pressed(pad, kPadStart));
    }
    stick_.Step(stickX, stickY, dx_, dy_);
    if (x && !xHeld_) dy_ -= 2 * kScreenHeight;  // past the top from anywhere; the pointer stops at its edge
    xHeld_ = x;
}

void WebGamepads::AddTo(RawInput& input, bool withMotion) const {
    if (withMotion) {
        input.dx += dx_;
        input.dy += dy_;
    }
    input.left = input.left || a_;
    input.right = input.right || b_;
    input.hotspots = input.hotspots || hotspot_;
    input.backTab = input.backTab || lb_;
    input.tab = input.tab || rb_;
    input.escape = input.escape || quit_;
}

void WebGamepads::Forget() {
    stick_.Reset();
    dx_ = dy_ = 0;
    a_ = b_ = hotspot_ = quit_ = lb_ = rb_ = false;
}

}  // namespace vz
