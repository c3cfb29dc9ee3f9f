// Where the game's files live: the pictures found, the saved game placed, and the player's own
// folders after the XDG conventions (environment first, then the home folder's defaults).
#include "platform/paths.h"

#include <limits.h>
#include <pwd.h>
#include <stdlib.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <cstdlib>

namespace vz {

namespace {

namespace fs = std::filesystem;

constexpr const char* kPictureFolderName = "images";
constexpr const char* kSoundFolderName = "sounds";


// An absolute, tidied path: "a/./b/" below `base` becomes "<base>/a/b".
std::string Absolute(const std::string& path, const std::string& base) {
    fs::path p(path);
    if (p.is_relative()) p = fs::path(base) / p;
    std::string s = p.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

std::string Resolved(const std::string& path) {
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

// A folder holds the game's pictures when it holds at least one of them: a readable picture file
// beside where the title's lies. One missing picture (the title's too) is then simply not seen,
// while an empty folder, an unreadable one or another folder called images is passed over.
bool HoldsPictures(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return false;
    bool found = false;
    const std::string suffix = ".sbf";
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0 ||
            name == kSaveFileName)
            continue;
        const std::string path = folder + "/" + name;
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

}  // namespace

std::string FilePlaces::Picture(const std::string& name) const {
    const std::string prefix = std::string(kPictureFolderName) + "/";
    if (pictures.empty() || name.compare(0, prefix.size(), prefix) != 0) return name;
    return pictures + "/" + name.substr(prefix.size());
}

std::string FilePlaces::Sound(const std::string& name) const {
    return sounds.empty() ? std::string() : sounds + "/" + name + ".ogg";
}

std::string FindSounds(const std::string& picturesFolder, const std::string& installedPictures) {
    for (const std::string& pictures : {picturesFolder, installedPictures}) {
        if (pictures.empty()) continue;
        const std::string folder =
            Absolute((fs::path(Absolute(pictures, "/")).parent_path() / kSoundFolderName).string(), "/");
        struct stat st {};
        if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return folder;
    }
    return {};
}

FoundPictures FindPictures(const PictureSearch& search) {
    std::vector<std::string> places;
    if (!search.chosen.empty()) {
        places.push_back(Absolute(search.chosen, search.workingFolder));
    } else {
        if (!search.workingFolder.empty()) places.push_back(Absolute(kPictureFolderName, search.workingFolder));
        if (!search.programFolder.empty()) places.push_back(Absolute(kPictureFolderName, search.programFolder));
        if (!search.installed.empty()) places.push_back(Absolute(search.installed, "/"));
    }
    FoundPictures found;
    for (const std::string& place : places) {
        // The build folder is often both the working directory and the program's folder.
        if (std::find(found.tried.begin(), found.tried.end(), place) != found.tried.end()) continue;
        found.tried.push_back(place);
        struct stat st {};
        found.existed.push_back(::stat(place.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
        if (!HoldsPictures(place)) continue;
        found.folder = Resolved(place);
        if (found.folder.empty()) continue;
        found.installedCopy = !search.installed.empty() && found.folder == Resolved(search.installed);
        break;
    }
    return found;
}

FilePlaces PlaceFiles(const FoundPictures& pictures, const std::string& playerFolder, bool picturesWritable) {
    FilePlaces places;
    places.pictures = pictures.folder;
    const std::string beside = pictures.folder + "/" + kSaveFileName;
    // The installed pictures may be writable (for root, say), but they belong to the system, not to
    // one player, and removing the package would take the save with them.
    if ((pictures.installedCopy || !picturesWritable) && !playerFolder.empty()) {
        places.save = playerFolder + "/" + kSaveFileName;
        places.oldSave = beside;
    } else {
        places.save = beside;
    }
    return places;
}

std::string WorkingFolder() {
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    return ec ? std::string() : here.string();
}

std::string ProgramFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string();
}

bool FolderIsWritable(const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; }

bool MakeFolders(const std::string& folder) {
    if (folder.empty()) return false;
    std::string path;
    for (const fs::path& part : fs::path(folder)) {
        path = (fs::path(path) / part).string();
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

namespace {

// Variables holding a relative path are to be ignored, as if unset.
std::string AbsoluteVariable(const Environment& env, const char* name) {
    const char* v = env(name);
    if (v == nullptr || v[0] != '/') return {};
    return v;
}

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string BaseFolder(const Environment& env, const char* variable, const char* belowHome) {
    std::string base = AbsoluteVariable(env, variable);
    if (base.empty()) {
        const std::string home = HomeFolder(env);
        if (home.empty()) return {};
        base = home + belowHome;
    }
    return WithoutTrailingSlashes(base);
}

// One XDG_PICTURES_DIR="..." line of user-dirs.dirs: "$HOME/..." or an absolute path, with
// backslash escapes. Empty for any other line.
std::string PicturesLine(const std::string& line, const std::string& home) {
    size_t i = line.find_first_not_of(" \t");
    const std::string key = "XDG_PICTURES_DIR";
    if (i == std::string::npos || line.compare(i, key.size(), key) != 0) return {};
    i = line.find_first_not_of(" \t", i + key.size());
    if (i == std::string::npos || line[i] != '=') return {};
    i = line.find_first_not_of(" \t", i + 1);
    if (i == std::string::npos || line[i] != '"') return {};
    ++i;
    std::string path;
    if (line.compare(i, 5, "$HOME") == 0 && (i + 5 == line.size() || line[i + 5] == '/' || line[i + 5] == '"')) {
        if (home.empty()) return {};
        path = home;
        i += 5;
    } else if (i >= line.size() || line[i] != '/') {
        return {};
    }
    bool closed = false;
    for (; i < line.size(); ++i) {
        if (line[i] == '"') {
            closed = true;
            break;
        }
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        path += line[i];
    }
    if (!closed) return {};
    return WithoutTrailingSlashes(path);
}

}  // namespace

Environment ProcessEnvironment() {
    return [](const char* name) -> const char* { return std::getenv(name); };
}

std::string HomeFolder(const Environment& env) {
    std::string home = AbsoluteVariable(env, "HOME");
    if (home.empty()) {
        if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/') home = pw->pw_dir;
    }
    return home.empty() ? home : WithoutTrailingSlashes(home);
}

std::string SettingsFolder(const Environment& env) {
    const std::string base = BaseFolder(env, "XDG_CONFIG_HOME", "/.config");
    return base.empty() ? base : base + "/vudizid";
}

std::string DataFolder(const Environment& env) {
    const std::string base = BaseFolder(env, "XDG_DATA_HOME", "/.local/share");
    return base.empty() ? base : base + "/vudizid";
}

std::string PicturesFolder(const Environment& env) {
    const std::string home = HomeFolder(env);
    std::string pictures = WithoutTrailingSlashes(AbsoluteVariable(env, "XDG_PICTURES_DIR"));
    if (pictures.empty()) {
        const std::string config = BaseFolder(env, "XDG_CONFIG_HOME", "/.config");
        if (config.empty()) return {};
        std::ifstream in(config + "/user-dirs.dirs");
        std::string line;
        // The last line that names the folder counts, as a shell reading the file would see it.
        while (std::getline(in, line)) {
            const std::string found = PicturesLine(line, home);
            if (!found.empty()) pictures = found;
        }
    }
    if (pictures == home) return {};
    return pictures;
}

std::string ScreenshotFolder(const Environment& env) {
    const std::string pictures = PicturesFolder(env);
    if (!pictures.empty()) return pictures + "/Vudizid Ozazi";
    return DataFolder(env);
}

}  // namespace vz
