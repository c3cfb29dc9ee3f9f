// The real window: SDL2 video, keyboard and mouse behind the Platform interface.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace vz {

struct StartupFailure {
    std::string notice;  // what the player is told
    std::string reason;  // what the system said, for standard error
};

// Opens the window (full screen on the desktop unless windowed is set). On failure returns null
// and describes the step that failed.
std::unique_ptr<Platform> CreateSdlPlatform(bool windowed, StartupFailure& failure);

// A notice shown without a window (after a failed start-up); falls back to standard error only.
void ShowStartupNotice(const std::string& text);

}  // namespace vz
