// Where the game's files live: the folder of the pictures, the saved game, and the player's own
// folders for data, settings and screenshots.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vz {

// The saved game's file name, the same wherever it lives (older copies of the game read it there).
inline constexpr const char* kSaveFileName = "outro.sbf";
// The save of a run that was told no other place: beside the pictures below the working directory.
inline constexpr const char* kSavePath = "images/outro.sbf";

// Where the files of one run live. The defaults are those of a run in the folder that holds images/.
struct FilePlaces {
    std::string pictures;          // the pictures' folder; empty for images/ below the working directory
    std::string save = kSavePath;  // where the game saves, and the first place a load looks
    std::string oldSave;           // read when `save` holds no saved game; never written or removed
    std::string sounds;            // the sounds' folder; empty when there is none (the game is silent)

    // The file on disk of a picture the game names "images/<name>".
    std::string Picture(const std::string& name) const;
    // The file of a sound by its name ("music_title"); empty when there is no sounds folder.
    std::string Sound(const std::string& name) const;
};

// The places where the pictures may be, in the order they are tried.
struct PictureSearch {
    std::string chosen;         // named on the command line: then the only place tried
    std::string workingFolder;  // its images/ comes first, so a run from the build folder keeps working
    std::string programFolder;  // then images/ next to the executable, for an unpacked copy
    std::string installed;      // then the installed copy's pictures
    // The game's own picture files, by their names in the folder; a place holds the pictures when
    // it holds any one of them.
    std::vector<std::string> pictureNames;
};

struct FoundPictures {
    std::string folder;               // absolute, links resolved; empty when no place holds the pictures
    bool installedCopy = false;       // the folder is the installed copy's, whichever way it was reached
    std::vector<std::string> tried;   // every place looked at, in order, each once
    std::vector<std::string> why;     // for each place passed over, why: "no such folder", ...
};

// Looks for the pictures. A place holds them when it holds at least one of the game's own picture
// files, readable, so an empty or unreadable folder, or an unrelated one that happens to be called
// images (even one holding pictures of the same kind), is passed over.
FoundPictures FindPictures(const PictureSearch& search);

// The sounds live in a folder "sounds" beside the pictures' folder (build/sounds beside build/images,
// the installed copy's beside its pictures). Pictures without sounds beside them (named with --data,
// say) take the installed copy's sounds; empty when neither folder exists.
std::string FindSounds(const std::string& picturesFolder, const std::string& installedPictures);

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

// Where the save goes for these pictures: beside them in a copy of the game the player may write
// to, as it always was; in the player's own folder for the installed copy and for pictures that
// cannot be written, with the old place beside the pictures still read.
FilePlaces PlaceFiles(const FoundPictures& pictures, const std::string& playerFolder, bool picturesWritable);

// What the running program finds around it.
std::string WorkingFolder();
std::string ProgramFolder();  // empty where the system does not tell
bool FolderIsWritable(const std::string& folder);
// Creates a folder and any missing parents, new ones readable by the player only; true when it exists.
bool MakeFolders(const std::string& folder);

}  // namespace vz
