// The display as the player left it (scaling, full screen or window, the window's place) and the sound's
// volume and mute, kept between runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
    int volume = 80;     // per cent, in steps of ten
    bool muted = false;
    TextPace textPace = TextPace::Normal;  // not the display's, but kept in the same file

    bool operator==(const DisplaySettings&) const = default;
};

inline constexpr const char* kSettingsFileName = "settings.ini";
inline constexpr size_t kMaxSettingsFileBytes = 64 * 1024;

// The settings file as the player has it: every line as it stands, so that writing it back changes
// only the lines of the keys the game owns (the table in settings.cpp). Comments, keys of a later
// version and anything else the player wrote stay where they are.
struct SettingsFile {
    std::vector<std::string> lines;  // without their "\n"; a "\r" before it is kept
    bool byteOrderMark = false;      // the file began with a UTF-8 byte-order mark, and keeps it
    bool keepAsItIs = false;         // it is there but could not be read: it is never written over
};

// Reads the file's text: the values of the game's keys into `settings` and every line into `file`.
// A line of one of the game's keys whose value is not one of that key's leaves that one setting as
// it was, with one warning naming the line (no newline in it) for standard error.
void ParseSettings(const std::string& text, DisplaySettings& settings, SettingsFile& file,
                   std::vector<std::string>& warnings);

// The file's new text: each line of one of the game's keys holds the present value, keys the file
// did not hold yet are added at its end, and every other line stands as it was.
std::string FormatSettings(const SettingsFile& file, const DisplaySettings& settings);

// Reads the settings file at `path`. A missing file gives the defaults quietly; one that cannot be
// read (or is not text) gives the defaults and a warning, and is marked to be kept as it is.
DisplaySettings LoadDisplaySettings(Files& files, const std::string& path, SettingsFile& file,
                                    std::vector<std::string>& warnings);

// Writes the settings file into `folder`, making the folder first, all at once; a file that could
// not be read is left as it is (CannotCreate).
WriteResult SaveDisplaySettings(Files& files, const std::string& folder, const SettingsFile& file,
                                const DisplaySettings& settings);

}  // namespace vz
