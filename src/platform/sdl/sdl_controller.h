// Game controllers for the real window: plugged in and out at any time, read into the game's input.
#pragma once

#include <map>
#include <memory>

#include "platform/input.h"
#include "platform/stick.h"

union SDL_Event;
struct _SDL_GameController;

namespace vz {

// Every game controller SDL reports, as one more mouse and keyboard:
//   left stick   moves the pointer          A        left button
//   B            right button               Y        hotspot key (names in the scene)
//   X            pointer to the top edge (opens the inventory)
//   LB, RB       the pointer onto the previous or next thing that answers a click (Shift+Tab, Tab)
//   Back + Start held together   quits (Escape); neither alone does anything
class SdlControllers {
public:
    SdlControllers();
    ~SdlControllers();
    SdlControllers(const SdlControllers&) = delete;
    SdlControllers& operator=(const SdlControllers&) = delete;

    // Starts SDL's controller support; false (and controllers stay unused) when it cannot start.
    bool Start();
    // At the start of a frame's events.
    void NewFrame();
    // Takes the events that concern controllers; true when the event was one of them.
    bool HandleEvent(const SDL_Event& e);
    // One frame of stick motion, in game pixels; called once a frame after the events.
    void StickMotion(int& dx, int& dy);
    // Adds what the controllers hold to one read of the input.
    void AddTo(RawInput& input);
    // Forgets presses and stick motion, e.g. when the window loses the focus.
    void Forget();
    // While the game waits for the player: with controllers plugged in, SDL would otherwise wake
    // every millisecond to read them instead of sleeping until the window system has news.
    void Sleep();
    // Back from waiting: controllers plugged in or out meanwhile are taken as they are now.
    void Wake();
    int Count() const { return static_cast<int>(open_.size()); }

private:
    struct Closer {
        void operator()(_SDL_GameController* c) const;
    };
    std::map<int, std::unique_ptr<_SDL_GameController, Closer>> open_;  // by joystick instance id
    bool started_ = false;
    PressLatch a_, b_, lb_, rb_;
    bool toTopPressed_ = false;
    StickPointer stick_;
};

}  // namespace vz
