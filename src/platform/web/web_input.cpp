// Page events to game input: the shown canvas mapped to game pixels, presses kept until the next frame.
#include "platform/web/web_input.h"

#include <algorithm>
#include <cmath>

#include "platform/surface.h"

namespace vz {

namespace {

// The game pixel under a position on a canvas shown `shown` wide for `size` game pixels.
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
    pointerX_ = gx;
    pointerY_ = gy;
    pointerMoved_ = true;
}

void WebInput::Button(int button, bool down) {
    if (button == 0) left_.Set(down);
    if (button == 2) right_.Set(down);
}

void WebInput::Key(WebKey key, bool down) {
    switch (key) {
        case WebKey::Enter: enter_.Set(down); break;
        case WebKey::Escape: escape_.Set(down); break;
        case WebKey::Tab: tab_.Set(down); break;
        case WebKey::BackTab: backTab_.Set(down); break;
        case WebKey::Backspace: backspace_.Set(down); break;
        case WebKey::Hint: hint_.Set(down); break;
        case WebKey::Inventory: inventory_.Set(down); break;
        case WebKey::TextPace: textPace_.Set(down); break;
        case WebKey::Left: arrowLeft_.Set(down); break;
        case WebKey::Right: arrowRight_.Set(down); break;
        case WebKey::Up: arrowUp_.Set(down); break;
        case WebKey::Down: arrowDown_.Set(down); break;
    }
}

void WebInput::Release() {
    for (Held* h : {&left_, &right_, &enter_, &escape_, &tab_, &backTab_, &backspace_, &hint_, &inventory_,
                    &textPace_, &arrowLeft_, &arrowRight_, &arrowUp_, &arrowDown_})
        *h = Held{};
    arrows_.Reset();
}

void WebInput::BeginFrame(int gameX, int gameY) {
    frame_ = RawInput{};
    // The game's pointer goes where the page's went; the keys may move it meanwhile, and it stays
    // where they put it until the page's pointer moves again.
    if (pointerX_ >= 0 && pointerMoved_) {
        frame_.dx = pointerX_ - gameX;
        frame_.dy = pointerY_ - gameY;
    }
    pointerMoved_ = false;
    frame_.left = left_.Take();
    frame_.right = right_.Take();
    if (backspace_.Take()) frame_.right = true;
    frame_.enter = enter_.Take();
    frame_.escape = escape_.Take();
    frame_.tab = tab_.Take();
    frame_.backTab = backTab_.Take();
    frame_.hint = hint_.Take();
    frame_.inventory = inventory_.Take();
    frame_.textPace = textPace_.Take();
    int ax = 0, ay = 0;
    arrows_.Step(arrowLeft_.Take(), arrowRight_.Take(), arrowUp_.Take(), arrowDown_.Take(), ax, ay);
    frame_.dx += ax;
    frame_.dy += ay;
    motionTaken_ = false;
}

RawInput WebInput::Read() {
    RawInput r = frame_;
    if (motionTaken_) r.dx = r.dy = 0;
    motionTaken_ = true;
    return r;
}

}  // namespace vz
