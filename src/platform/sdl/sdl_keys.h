// The keys the game reads in the real window, each kept from its press until a frame has read it.
#pragma once

#include <SDL.h>

#include "platform/arrows.h"
#include "platform/input.h"

namespace vz {

// Reading the keyboard's state once a frame misses a key pressed and let go between two frames
// (an instant tap, a quick finger): every key the game reads is also latched from its event.
// The keys and what they are to the game are tables (sdl_keys.cpp); a key added there is latched
// like the rest.
class SdlKeys {
public:
    // At the start of a frame's events.
    void NewFrame();
    // A key went down. Enter with Alt is the full-screen key, not the game's Enter.
    void KeyDown(const SDL_KeyboardEvent& key);
    // Adds the game's keys to one read: held now (`state`, SDL's keyboard state) or pressed since
    // the frame began.
    void Read(RawInput& input, const Uint8* state);
    // The arrow keys' motion of the pointer for this frame, once a frame as the mouse's.
    void ArrowMotion(const Uint8* state, int& dx, int& dy);
    void Forget();

    static constexpr int kArrowCount = 4;

private:
    PressLatches latches_;
    PressLatch arrowLatches_[kArrowCount];  // left, right, up, down
    ArrowPointer arrows_;
};

}  // namespace vz
