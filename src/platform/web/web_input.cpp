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
    moved_ = true;
}

void WebInput::Button(int button, bool down) {
    if (button == 0) left_.Set(down);
    if (button == 2) right_.Set(down);
}

void WebInput::ClickAt(int x, int y) {
    pointerX_ = std::clamp(x, 0, kScreenWidth - 1);
    pointerY_ = std::clamp(y, 0, kScreenHeight - 1);
    moved_ = true;
    left_.Set(true);
    left_.Set(false);
}

void WebInput::Key(WebKey key, bool down) {
    switch (key) {
        case WebKey::Enter: enter_.Set(down); break;
        case WebKey::Escape: escape_.Set(down); break;
        case WebKey::Space: space_.Set(down); break;
    }
}

void WebInput::Release() { left_ = right_ = enter_ = escape_ = space_ = Held{}; }

void WebInput::BeginFrame(int gameX, int gameY) {
    frame_ = RawInput{};
    if (pointerX_ >= 0 && moved_) {
        frame_.dx = pointerX_ - gameX;
        frame_.dy = pointerY_ - gameY;
    }
    moved_ = false;
    frame_.left = left_.Take();
    frame_.right = right_.Take();
    frame_.enter = enter_.Take();
    frame_.escape = escape_.Take();
    frame_.hotspots = space_.Take();
    motionTaken_ = false;
}

RawInput WebInput::Read() {
    RawInput r = frame_;
    if (motionTaken_) r.dx = r.dy = 0;
    motionTaken_ = true;
    return r;
}

}  // namespace vz
