// The screenshot key: the frame as it was made, written as a PNG, and a short note on screen saying so.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "platform/surface.h"
#include "platform/text.h"

namespace vz {

// Writes the frame into `folder` (made if missing) as "Vudizid Ozazi YYYY-MM-DD HH-MM-SS.png",
// with " 2", " 3", ... added when that name is taken, so no earlier picture is overwritten. The
// path written, or empty with the reason in `problem`.
std::string SaveScreenshot(const Surface& frame, const std::string& folder, std::time_t when, std::string& problem);

// The note in the bottom left corner for a moment after the key was pressed. It is drawn only
// into the picture that is shown, never into the frame the screenshot is taken from.
class ScreenshotNote {
public:
    static constexpr uint32_t kShownMs = 2000;
    static constexpr const char* kSaved = "Screenshot saved";
    static constexpr const char* kFailed = "No screenshot - the folder cannot be written";

    void Show(bool saved, uint32_t now);
    bool Showing(uint32_t now) const;
    // Draws the note over `picture` while it shows.
    void Draw(Surface& picture, const Fonts& fonts, uint32_t now) const;
    const char* Text() const { return saved_ ? kSaved : kFailed; }

private:
    bool shown_ = false;
    bool saved_ = true;
    uint32_t since_ = 0;
};

}  // namespace vz
