// Mouse and finger events to the game's pointer: placed where the system shows it, or moved by motion in full screen.
#include "platform/sdl/sdl_pointer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vz {

namespace {

constexpr uint32_t kFingerEchoMs = 1000;  // how long after a finger the system's pointer may follow it
constexpr double kFingerEchoPoints = 2;

}  // namespace

void SdlPointer::NewFrame() {
    left_.NewFrame();
    right_.NewFrame();
    touch_.NewFrame();
}

void SdlPointer::Place(double x, double y, const PointerWindow& window) {
    GamePixelAt(x, y, window.placed, window.surfaceWidth, window.surfaceHeight, window.windowWidth,
                window.windowHeight, x_, y_);
    placed_ = true;
    dx_ = dy_ = 0;  // where the pointer is now counts, not how it came there
}

bool SdlPointer::FromTheFinger(int x, int y, uint32_t ms) const {
    return fingerSeen_ && ms - fingerMs_ < kFingerEchoMs && std::abs(x - fingerX_) <= kFingerEchoPoints &&
           std::abs(y - fingerY_) <= kFingerEchoPoints;
}

bool SdlPointer::HandleEvent(const SDL_Event& e, const PointerWindow& window) {
    switch (e.type) {
        case SDL_MOUSEMOTION: {
            const SDL_MouseMotionEvent& m = e.motion;
            // SDL's own copy of a finger, or the system's pointer following one, is no mouse.
            if (!window.focused || m.windowID != window.id || m.which == SDL_TOUCH_MOUSEID ||
                FromTheFinger(m.x, m.y, m.timestamp))
                return true;
            touch_.OtherPointerUsed();
            if (window.holdsMouse) {
                // Motion comes in window points; the game moves in picture pixels.
                const ScreenRect shown = InWindowPoints(window.placed, window.surfaceWidth, window.surfaceHeight,
                                                        window.windowWidth, window.windowHeight);
                int gx = 0, gy = 0;
                motion_.Add(m.xrel, m.yrel, shown.width, shown.height, gx, gy);
                dx_ += gx;
                dy_ += gy;
            } else {
                Place(m.x, m.y, window);
                seen_ = true;
                lastX_ = m.x;
                lastY_ = m.y;
                lastDx_ = m.xrel;
                lastDy_ = m.yrel;
            }
            return true;
        }
        case SDL_MOUSEBUTTONDOWN: {
            const SDL_MouseButtonEvent& b = e.button;
            if (!window.focused || b.windowID != window.id || b.which == SDL_TOUCH_MOUSEID) return true;
            touch_.OtherPointerUsed();
            // A press and release that both fall between two frames still count as a click.
            if (b.button == SDL_BUTTON_LEFT) left_.Press();
            if (b.button == SDL_BUTTON_RIGHT) right_.Press();
            return true;
        }
        case SDL_MOUSEBUTTONUP:
        case SDL_MOUSEWHEEL:
            return true;
        case SDL_FINGERDOWN:
        case SDL_FINGERMOTION:
        case SDL_FINGERUP:
            if (window.focused) Finger(e, window);
            return true;
        default:
            return false;
    }
}

void SdlPointer::Finger(const SDL_Event& e, const PointerWindow& window) {
    const SDL_TouchFingerEvent& f = e.tfinger;
    // A touchpad moves the mouse already; only a screen's fingers are where they touch.
    const SDL_TouchDeviceType type = SDL_GetTouchDeviceType(f.touchId);
    if (type == SDL_TOUCH_DEVICE_INDIRECT_ABSOLUTE || type == SDL_TOUCH_DEVICE_INDIRECT_RELATIVE) return;
    if (f.windowID != 0 && f.windowID != window.id) return;
    // A screen's fingers come in fractions of the window.
    const double x = static_cast<double>(f.x) * window.windowWidth;
    const double y = static_cast<double>(f.y) * window.windowHeight;
    int gx = 0, gy = 0;
    GamePixelAt(x, y, window.placed, window.surfaceWidth, window.surfaceHeight, window.windowWidth,
                window.windowHeight, gx, gy);
    fingerSeen_ = true;
    fingerX_ = x;
    fingerY_ = y;
    fingerMs_ = f.timestamp;
    const int64_t id = static_cast<int64_t>(f.fingerId);
    if (e.type == SDL_FINGERDOWN) touch_.Down(id, gx, gy, f.timestamp);
    if (e.type == SDL_FINGERMOTION) touch_.Move(id, gx, gy);
    if (e.type == SDL_FINGERUP) touch_.Up(id, gx, gy, f.timestamp);
}

void SdlPointer::LeftTo(double x, double y, const PointerWindow& window) {
    if (!window.focused || window.holdsMouse || touch_.Active()) return;
    Place(x, y, window);
}

void SdlPointer::LeftAlongLastMotion(const PointerWindow& window) {
    if (!seen_ || (lastDx_ == 0 && lastDy_ == 0)) return;
    // How many more such steps take the pointer from its last place over the window's edge.
    auto stepsOut = [](int at, int step, int size) {
        if (step < 0) return (at + 1.0) / -step;
        if (step > 0) return static_cast<double>(size - at) / step;
        return std::numeric_limits<double>::infinity();
    };
    const double t = std::max(1.0, std::min(stepsOut(lastX_, lastDx_, window.windowWidth),
                                            stepsOut(lastY_, lastDy_, window.windowHeight)));
    LeftTo(lastX_ + t * lastDx_, lastY_ + t * lastDy_, window);
}

void SdlPointer::AddMotion(int dx, int dy) {
    dx_ += dx;
    dy_ += dy;
}

void SdlPointer::Read(RawInput& input, bool leftHeld, bool rightHeld) {
    if (placed_) {
        input.placed = true;
        input.x = x_;
        input.y = y_;
        placed_ = false;
    }
    input.dx += dx_;
    input.dy += dy_;
    dx_ = dy_ = 0;
    input.left = left_.Read(leftHeld) || input.left;
    input.right = right_.Read(rightHeld) || input.right;
    touch_.AddTo(input);
}

void SdlPointer::Forget() {
    placed_ = false;
    dx_ = dy_ = 0;
    motion_.Reset();
    left_.Forget();
    right_.Forget();
    touch_.Forget();
}

}  // namespace vz
