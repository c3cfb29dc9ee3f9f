// The real window: SDL2 video, keyboard, mouse and game controllers behind the Platform interface.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/screen_scale.h"

namespace vz {

struct StartupFailure {
    std::string notice;  // what the player is told
    std::string reason;  // what the system said, for standard error
    bool noDisplay = false;  // no display could be opened at all
};

// What the command line asks of the display and the sound; what it leaves open is taken as the
// player left it last time (full screen, fitted, sound on, the first time).
struct DisplayRequest {
    std::optional<bool> fullscreen;
    std::optional<ScaleMode> scale;
    bool mute = false;  // this run starts muted; what the player left is kept for the next
};

// Opens the window. On failure returns null and describes the step that failed.
std::unique_ptr<Platform> CreateSdlPlatform(const DisplayRequest& request, StartupFailure& failure);

// A notice shown without a window (after a failed start-up); falls back to standard error only.
void ShowStartupNotice(const std::string& text);

}  // namespace vz
