// Arrow keys to pointer motion, speeding up from a fine step to a fast glide while held.
#include "platform/arrows.h"

#include <algorithm>

namespace vz {

void ArrowPointer::Step(bool left, bool right, bool up, bool down, int& dx, int& dy) {
    const int x = (right ? 1 : 0) - (left ? 1 : 0);
    const int y = (down ? 1 : 0) - (up ? 1 : 0);
    if (!left && !right && !up && !down) {
        heldFrames_ = 0;
        dx = dy = 0;
        return;
    }
    const int step =
        std::min(kMostStep, kFirstStep + (kMostStep - kFirstStep) * heldFrames_ / kRampFrames);
    heldFrames_ = std::min(heldFrames_ + 1, kRampFrames);
    dx = x * step;
    dy = y * step;
}

}  // namespace vz
