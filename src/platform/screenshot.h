// The screenshot key: the frame as it was made, written as a PNG, and a short note on screen saying so.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "platform/surface.h"
#include "platform/text.h"

namespace vz {

enum class ScreenshotOutcome { Saved, CannotWrite, NamesUsedUp };

struct ScreenshotResult {
    ScreenshotOutcome outcome = ScreenshotOutcome::CannotWrite;
    std::string path;     // the file written, when saved
    std::string problem;  // why not, for standard error
};

// Writes the frame into `folder` (made if missing) as "Vudizid Ozazi YYYY-MM-DD HH-MM-SS.png",
// with " 2", " 3", ... added when that name is taken. Every file is created new: a name taken by
// anything at all (an earlier picture, a link, a FIFO) is passed over, never written through.
ScreenshotResult SaveScreenshot(const Surface& frame, const std::string& folder, std::time_t when);

// The note in the bottom left corner for a moment after the key was pressed. It is drawn only
// into the picture that is shown, never into the frame the screenshot is taken from.
class ScreenshotNote {
public:
    static constexpr uint32_t kShownMs = 2000;
    static constexpr const char* kSaved = "Screenshot saved";
    static constexpr const char* kFailed = "No screenshot - the folder cannot be written";
    static constexpr const char* kNamesUsedUp = "No screenshot - too many in one second";

    void Show(ScreenshotOutcome outcome, uint32_t now);
    bool Showing(uint32_t now) const;
    // Draws the note over `picture` while it shows.
    void Draw(Surface& picture, const Fonts& fonts, uint32_t now) const;
    const char* Text() const;

private:
    bool shown_ = false;
    ScreenshotOutcome outcome_ = ScreenshotOutcome::Saved;
    uint32_t since_ = 0;
};

}  // namespace vz
