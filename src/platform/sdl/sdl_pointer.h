// The mouse and the fingers over the real window, as the game's pointer and its two buttons.
#pragma once

#include <cstdint>

#include "platform/input.h"
#include "platform/screen_scale.h"
#include "platform/touch.h"

union SDL_Event;

namespace vz {

// The game's window as the pointer needs it: where the picture lies in it, to find the game pixel
// under a point, and whether its events count.
struct PointerWindow {
    ScreenRect placed;      // the picture, in the pixels of the window's surface
    int surfaceWidth = 0;   // pixels
    int surfaceHeight = 0;
    int windowWidth = 0;    // points, which the mouse moves in and fingers are measured against
    int windowHeight = 0;
    uint32_t id = 0;        // SDL's window id: events of other windows (a notice) do not count
    bool focused = false;   // only the window with the focus hears the pointer
    bool holdsMouse = false;  // full screen: the mouse moves the pointer by its motion
};

// In a window the game's pointer is where the system's hidden pointer is, mapped through the
// scaling: the two never drift apart, and a pointer that leaves the window leaves the game's on
// the edge it crossed (at the top, the inventory opens). In full screen the game holds the mouse
// and its pointer moves by the mouse's motion. Fingers are where they touch, in both.
class SdlPointer {
public:
    // At the start of a frame's events.
    void NewFrame();
    // Takes the mouse and finger events; true when the event was one of them (heard or not).
    bool HandleEvent(const SDL_Event& e, const PointerWindow& window);
    // The system's pointer left the window without saying where it crossed the edge: on along
    // its last motion, over the edge.
    void LeftAlongLastMotion(const PointerWindow& window);
    // Once a frame, after the events: a finger resting long enough becomes a long press.
    void Tick(uint32_t ms) { touch_.Tick(ms); }
    // One read: the pointer's new place or motion (to the frame's first read), the buttons held
    // now (SDL's mouse state) or pressed since the frame began, and the fingers.
    void Read(RawInput& input, bool leftHeld, bool rightHeld);
    // Motion of another kind (a controller's stick), in game pixels, for the next read.
    void AddMotion(int dx, int dy);
    // A controller was used: the last input is no longer a touch.
    void OtherPointerUsed() { touch_.OtherPointerUsed(); }
    // Forgets motion, presses and fingers (the focus went elsewhere, a notice stood).
    void Forget();
    // The scaling changed: motion left over below a game pixel means nothing any more.
    void ScalingChanged() { motion_.Reset(); }

private:
    void Place(double x, double y, const PointerWindow& window);
    void LeftTo(double x, double y, const PointerWindow& window);
    void Finger(const SDL_Event& e, const PointerWindow& window);
    bool FromTheFinger(int x, int y, uint32_t ms) const;

    bool placed_ = false;
    int x_ = 0, y_ = 0;  // game pixels, not yet clamped
    int dx_ = 0, dy_ = 0;
    MotionScaler motion_;
    PressLatch left_, right_;
    TouchGestures touch_;
    // The last mouse motion over the window, in points, to go on along when it leaves.
    bool seen_ = false;
    int lastX_ = 0, lastY_ = 0, lastDx_ = 0, lastDy_ = 0;
    // The last finger, in points: a system may move its pointer there after the finger.
    bool fingerSeen_ = false;
    double fingerX_ = 0, fingerY_ = 0;
    uint32_t fingerMs_ = 0;
};

}  // namespace vz
