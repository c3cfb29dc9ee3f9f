// The display as the player left it (scaling, full screen or window, the window's place), kept between runs.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"
#include "platform/screen_scale.h"

namespace vz {

// How long answers and conversation lines stay on screen: as the game has them, half as long again,
// twice as long, or until the player clicks.
enum class TextPace : uint8_t { Normal, Longer, Double, UntilClick };
inline constexpr int kTextPaceCount = 4;

// The pace as settings.ini writes it ("1x", "1.5x", "2x", "click"), and back; false for anything else.
const char* TextPaceName(TextPace pace);
bool TextPaceFromName(const std::string& name, TextPace& pace);

struct DisplaySettings {
    ScaleMode scale = ScaleMode::Fit;
    bool fullscreen = true;
    bool hasWindowPlace = false;  // the window's place below was remembered
    int windowX = 0;
    int windowY = 0;
    int windowWidth = 1024;
    int windowHeight = 768;
    TextPace textPace = TextPace::Normal;  // not the display's, but kept in the same file

    bool operator==(const DisplaySettings&) const = default;
};

inline constexpr const char* kSettingsFileName = "settings.ini";
inline constexpr size_t kMaxSettingsFileBytes = 4096;

// The file's text: one "key=value" a line.
std::string FormatDisplaySettings(const DisplaySettings& settings);

// Reads the file's text into `settings`. Keys it does not know are passed over, so a later
// version's file still reads; a line without "=" or a value out of its range makes the whole text
// damaged: false with the reason, and `settings` untouched.
bool ParseDisplaySettings(const std::string& text, DisplaySettings& settings, std::string& why);

// Reads the settings file at `path`. A missing file gives the defaults quietly; a damaged or
// unreadable one gives the defaults and a warning (one line, no newline) for standard error.
DisplaySettings LoadDisplaySettings(Files& files, const std::string& path, std::string& warning);

// Writes the settings file into `folder`, making the folder first, all at once.
WriteResult SaveDisplaySettings(Files& files, const std::string& folder, const DisplaySettings& settings);

}  // namespace vz
