// Page events to game input: the shown canvas mapped to game pixels, presses kept until the next frame.
#include "platform/web/web_input.h"

#include <algorithm>
#include <cmath>

#include "platform/surface.h"

namespace vz {

namespace {

// The game pixel under a position on a canvas shown `shown` wide for `size` game pixels; beside
// the canvas, its edge.
int GamePixel(double at, double shown, int size) {
    if (!(shown > 0) || !std::isfinite(at)) return -1;
    const double pixel = std::floor(at * size / shown);
    return static_cast<int>(std::clamp(pixel, 0.0, static_cast<double>(size - 1)));
}

}  // namespace

void WebInput::PointerAt(double x, double y, double shownWidth, double shownHeight) {
    const int gx = GamePixel(x, shownWidth, kScreenWidth);
    const int gy = GamePixel(y, shownHeight, kScreenHeight);
    if (gx < 0 || gy < 0) return;  // a canvas not shown at all says nothing about the pointer
    touch_.OtherPointerUsed();
    pointerX_ = gx;
    pointerY_ = gy;
    pointerMoved_ = true;
}

void WebInput::Button(int button, bool down) {
    if (button != 0 && button != 2) return;
    touch_.OtherPointerUsed();
    Key(button == 0 ? &RawInput::left : &RawInput::right, down);
}

void WebInput::ClickAt(int x, int y) {
    touch_.OtherPointerUsed();
    pointerX_ = std::clamp(x, 0, kScreenWidth - 1);
    pointerY_ = std::clamp(y, 0, kScreenHeight - 1);
    pointerMoved_ = true;
    clickAsked_ = true;
}

void WebInput::Key(RawPress press, bool down) {
    if (down && !(held_.*press)) latches_.Press(press);
    held_.*press = down;
}

void WebInput::Arrow(WebArrow arrow, bool down) {
    const auto i = static_cast<size_t>(arrow);
    if (i >= std::size(arrowHeld_)) return;
    if (down && !arrowHeld_[i]) arrowLatches_[i].Press();
    arrowHeld_[i] = down;
}

void WebInput::Touch(TouchPhase phase, int64_t finger, double x, double y, double shownWidth, double shownHeight,
                     uint32_t ms) {
    if (phase == TouchPhase::Cancel) {
        touch_.Cancel();
        return;
    }
    const int gx = GamePixel(x, shownWidth, kScreenWidth);
    const int gy = GamePixel(y, shownHeight, kScreenHeight);
    if (gx < 0 || gy < 0) return;
    if (phase == TouchPhase::Down) touch_.Down(finger, gx, gy, ms);
    if (phase == TouchPhase::Move) touch_.Move(finger, gx, gy);
    if (phase == TouchPhase::Up) touch_.Up(finger, gx, gy, ms);
}

void WebInput::Release() {
    held_ = RawInput{};
    latches_.Forget();
    touch_.Forget();
    clickAsked_ = clickDue_ = false;
    for (size_t i = 0; i < std::size(arrowHeld_); ++i) {
        arrowHeld_[i] = false;
        arrowLatches_[i].Forget();
    }
    arrows_.Reset();
}

void WebInput::BeginFrame(uint32_t ms) {
    latches_.NewFrame();
    for (PressLatch& arrow : arrowLatches_) arrow.NewFrame();
    touch_.NewFrame();
    touch_.Tick(ms);
    frame_ = RawInput{};
    if (pointerMoved_) {
        frame_.placed = true;
        frame_.x = pointerX_;
        frame_.y = pointerY_;
        pointerMoved_ = false;
    }
    latches_.ReadAll(frame_, held_);
    // Held arrows move the pointer from wherever it is, and it stays where they put it until the
    // page's pointer moves again.
    bool arrows[4];
    for (size_t i = 0; i < 4; ++i) arrows[i] = arrowLatches_[i].Read(arrowHeld_[i]);
    arrows_.Step(arrows[0], arrows[1], arrows[2], arrows[3], frame_.dx, frame_.dy);
    if (clickDue_) frame_.left = true;
    clickDue_ = clickAsked_;
    clickAsked_ = false;
    touch_.AddTo(frame_);
    placeTaken_ = false;
}

RawInput WebInput::Read() {
    RawInput r = frame_;
    if (placeTaken_) {  // the place and the arrows' motion go to the frame's first read only
        r.placed = false;
        r.dx = r.dy = 0;
    }
    placeTaken_ = true;
    return r;
}

}  // namespace vz
