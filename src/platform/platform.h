// What the game needs of the machine: a screen to show frames on, input, time, files and a notice.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"
#include "platform/input.h"
#include "platform/surface.h"

namespace vz {

class Platform : public Files {
public:
    // Handles the window's pending events; called once at the start of every frame.
    virtual void PumpEvents() = 0;
    // The devices' state for one poll: motion since the previous read, and what is held now.
    // Closing the window reads as Escape held, and so does a quit signal (SIGINT, SIGTERM, SIGHUP).
    virtual RawInput ReadInput() = 0;
    // Shows a finished 1024 x 768 frame.
    virtual void Present(const Surface& frame) = 0;
    virtual uint32_t Ticks() = 0;
    virtual void SleepMs(uint32_t ms) = 0;
    // A modal notice the player must acknowledge.
    virtual void Notice(const std::string& text) = 0;
    // The window's icon; ignored where there is no window.
    virtual void SetIcon(const Surface& icon) { (void)icon; }
};

}  // namespace vz
