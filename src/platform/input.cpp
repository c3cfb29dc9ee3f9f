// Click rules: held buttons repeat every 5th frame, left wins over right, the pointer stays on screen.
#include "platform/input.h"

#include <algorithm>

namespace vz {

bool PollInput(InputState& input, const RawInput& raw) {
    if (input.clickCooldown > 0) --input.clickCooldown;
    if (!raw.ok) {
        // A key's event belongs to the poll that saw it go down; a failed read must not repeat it.
        input.tabStep = 0;
        input.hintPressed = input.inventoryPressed = input.textPacePressed = false;
        return false;
    }

    // Sum in 64 bits: a wild motion value must not wrap the pointer around.
    int64_t x = static_cast<int64_t>(raw.placed ? raw.x : input.mouseX) + raw.dx;
    int64_t y = static_cast<int64_t>(raw.placed ? raw.y : input.mouseY) + raw.dy;
    input.mouseX = static_cast<int>(std::clamp<int64_t>(x, kMouseMinX, kMouseMaxX));
    input.mouseY = static_cast<int>(std::clamp<int64_t>(y, kMouseMinY, kMouseMaxY));
    input.leftDown = raw.left;
    input.rightDown = raw.right;
    input.enterDown = raw.enter;

    if ((raw.enter || raw.left) && input.clickCooldown == 0) {
        input.leftClick = true;
        input.clickCooldown = kClickCooldownFrames;
    } else {
        input.leftClick = false;
    }
    if (raw.right && input.clickCooldown == 0) {
        input.rightClick = true;
        input.clickCooldown = kClickCooldownFrames;
    } else {
        input.rightClick = false;
    }
    input.escapeDown = raw.escape;
    input.hotspotsHeld = raw.hotspots;
    input.touched = raw.touch;

    // A key acts once as it goes down: every poll of the frame that saw it down reads it held.
    const RawInput& was = input.keysHeld;
    input.tabStep = raw.tab && !was.tab ? 1 : raw.backTab && !was.backTab ? -1 : 0;
    input.hintPressed = raw.hint && !was.hint;
    input.inventoryPressed = raw.inventory && !was.inventory;
    input.textPacePressed = raw.textPace && !was.textPace;
    input.keysHeld = raw;
    return true;
}

void PressLatches::NewFrame() {
    for (Entry& e : latches_) e.latch.NewFrame();
}

PressLatch& PressLatches::Of(RawPress press) {
    for (Entry& e : latches_)
        if (e.press == press) return e.latch;
    latches_.push_back({press, PressLatch{}});
    return latches_.back().latch;
}

void PressLatches::Press(RawPress press) { Of(press).Press(); }

void PressLatches::Read(RawInput& input, RawPress press, bool heldNow) {
    input.*press = Of(press).Read(heldNow) || input.*press;
}

void PressLatches::ReadAll(RawInput& input, const RawInput& held) {
    for (Entry& e : latches_) input.*e.press = e.latch.Read(held.*e.press) || input.*e.press;
}

void PressLatches::Forget() {
    for (Entry& e : latches_) e.latch.Forget();
}

}  // namespace vz
