// A short note in the bottom left corner of the shown picture, for a moment after a key did something.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "platform/surface.h"
#include "platform/text.h"

namespace vz {

// Draws `text` on a dark box in the bottom left corner of `picture`.
void DrawCornerNote(Surface& picture, const Fonts& fonts, const std::string& text);

class ScreenNote {
public:
    static constexpr uint32_t kShownMs = 2000;

    void Show(std::string text, uint32_t now) {
        text_ = std::move(text);
        shown_ = true;
        since_ = now;
    }
    bool Showing(uint32_t now) const { return shown_ && now - since_ < kShownMs; }
    uint32_t Since() const { return since_; }
    const std::string& Text() const { return text_; }
    // Draws the note over `picture` while it shows.
    void Draw(Surface& picture, const Fonts& fonts, uint32_t now) const {
        if (Showing(now)) DrawCornerNote(picture, fonts, text_);
    }

private:
    std::string text_;
    bool shown_ = false;
    uint32_t since_ = 0;
};

}  // namespace vz
