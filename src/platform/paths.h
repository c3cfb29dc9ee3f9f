// Where the game keeps the player's files: settings, screenshots and other data of its own.
#pragma once

#include <functional>
#include <string>

namespace vz {

// Reads one environment variable (null when unset); tests hand in their own.
using Environment = std::function<const char*(const char* name)>;
Environment ProcessEnvironment();

// The player's home folder: $HOME when it is an absolute path, else the account's entry. Empty
// when neither is known.
std::string HomeFolder(const Environment& env = ProcessEnvironment());

// $XDG_CONFIG_HOME/vudizid, or ~/.config/vudizid. Empty when there is no home to put it in.
std::string SettingsFolder(const Environment& env = ProcessEnvironment());

// $XDG_DATA_HOME/vudizid, or ~/.local/share/vudizid. Empty when there is no home to put it in.
std::string DataFolder(const Environment& env = ProcessEnvironment());

// The player's pictures folder: $XDG_PICTURES_DIR, else what user-dirs.dirs in the settings'
// base folder names. Empty when neither names one (or it names the home folder, which means the
// player switched it off).
std::string PicturesFolder(const Environment& env = ProcessEnvironment());

// "<pictures folder>/Vudizid Ozazi", or the data folder when there is no pictures folder.
std::string ScreenshotFolder(const Environment& env = ProcessEnvironment());

// Makes a folder and any missing folders above it (new ones readable by the player only). True
// when it is a folder in the end.
bool MakeFolders(const std::string& path);

}  // namespace vz
