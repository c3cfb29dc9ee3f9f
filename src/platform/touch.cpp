// Touch gestures: taps, long presses and two-finger taps told apart by time, distance and fingers.
#include "platform/touch.h"

#include <algorithm>

namespace vz {

namespace {

bool Wandered(int fromX, int fromY, int x, int y) {
    const int64_t dx = static_cast<int64_t>(x) - fromX, dy = static_cast<int64_t>(y) - fromY;
    return dx * dx + dy * dy > static_cast<int64_t>(TouchGestures::kTapSlop) * TouchGestures::kTapSlop;
}

}  // namespace

void TouchGestures::NewFrame() {
    left_.NewFrame();
    right_.NewFrame();
    // A frame has read the pointer at the tap's place: the click comes in this one.
    if (tapWaiting_ && !pointerMoved_) {
        tapWaiting_ = false;
        left_.Press();
    }
}

TouchGestures::Finger* TouchGestures::Find(int64_t id) {
    for (Finger& f : fingers_)
        if (f.id == id) return &f;
    return nullptr;
}

void TouchGestures::Tap() {
    if (pointerX_ != startX_ || pointerY_ != startY_) PlacePointer(startX_, startY_);
    tapWaiting_ = true;
}

void TouchGestures::PlacePointer(int x, int y) {
    pointerX_ = x;
    pointerY_ = y;
    pointerMoved_ = true;
}

void TouchGestures::Down(int64_t finger, int x, int y, uint32_t ms) {
    active_ = true;
    if (Find(finger) || static_cast<int>(fingers_.size()) >= kMostFingers) return;
    if (fingers_.empty()) {
        startX_ = x;
        startY_ = y;
        startMs_ = ms;
        first_ = finger;
        mostFingers_ = 0;
        moved_ = longPressed_ = false;
        PlacePointer(x, y);
    }
    fingers_.push_back({finger, x, y});
    mostFingers_ = std::max(mostFingers_, static_cast<int>(fingers_.size()));
}

void TouchGestures::Move(int64_t finger, int x, int y) {
    const Finger* f = Find(finger);
    if (!f) return;
    active_ = true;
    if (Wandered(f->downX, f->downY, x, y)) moved_ = true;
    // With a second finger down the gesture is a two-finger one, and the pointer stays.
    if (finger == first_ && mostFingers_ == 1) PlacePointer(x, y);
}

void TouchGestures::Up(int64_t finger, int x, int y, uint32_t ms) {
    if (!Find(finger)) return;
    Move(finger, x, y);
    std::erase_if(fingers_, [&](const Finger& f) { return f.id == finger; });
    if (!fingers_.empty() || moved_ || longPressed_) return;
    const bool quick = ms - startMs_ < kLongPressMs;
    if (mostFingers_ >= 2) {
        if (quick) right_.Press();
    } else if (quick) {
        Tap();
    } else {
        right_.Press();  // held long enough, and let go before a frame could see it
    }
}

void TouchGestures::Cancel() {
    fingers_.clear();
    moved_ = true;  // what was under way is no gesture any more
}

void TouchGestures::Tick(uint32_t ms) {
    if (fingers_.empty() || mostFingers_ != 1 || moved_ || longPressed_) return;
    if (ms - startMs_ < kLongPressMs) return;
    longPressed_ = true;
    right_.Press();
}

void TouchGestures::AddTo(RawInput& input) {
    input.left = left_.Read(false) || input.left;
    input.right = right_.Read(false) || input.right;
    if (!active_) return;
    input.touch = true;
    input.touchStartX = startX_;
    input.touchStartY = startY_;
    if (pointerMoved_) {
        input.placed = true;
        input.x = pointerX_;
        input.y = pointerY_;
        pointerMoved_ = false;
    }
}

void TouchGestures::Forget() {
    Cancel();
    tapWaiting_ = false;
    left_.Forget();
    right_.Forget();
    pointerMoved_ = false;
}

}  // namespace vz
