// What the program settles before its window opens: the command line, and where this run's files are.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/screen_scale.h"

namespace vz {

enum class LaunchAction { Play, Help, Version, Refuse };

struct CommandLine {
    LaunchAction action = LaunchAction::Play;
    // --fullscreen or --window, the last one given winning; unset: as the player left it last time.
    std::optional<bool> fullscreen;
    std::optional<ScaleMode> scale;  // --scale fit|whole; unset: as last time
    bool mute = false;       // --mute: start without sound; unset: as last time
    std::string dataFolder;  // --data DIR
    std::string error;       // why the command line was refused
};

// Reads the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The game's pictures that lie in the pictures' folder itself, all read at start-up; a folder that
// holds none of them is not the game's.
const std::vector<std::string>& GamePictureNames();

// The text of --help; the same goes to standard error with a refused command line.
std::string UsageText();

// What standard error says, in plain words, when no display could be opened; the notice keeps the
// game's own text.
std::string NoDisplayText();

// Finds the pictures and places the saved game for a run of the installed program, whose own
// pictures are in `installedPictures`. False with the notice for the player when no place holds them.
bool PlaceRunFiles(const std::string& dataFolder, const std::string& installedPictures, FilePlaces& places,
                   std::string& notice);

}  // namespace vz
