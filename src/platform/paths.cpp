// Finding the pictures, and choosing where the saved game lives.
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

namespace vz {

namespace {

namespace fs = std::filesystem;

constexpr const char* kPictureFolderName = "images";
// Every copy of the pictures holds the title screen; without it the game has nothing to show.
constexpr const char* kGameFolderName = "vudizid";

bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

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

std::string PlayerDataFolder(const char* xdgDataHome, const char* home) {
    // A relative data home is to be ignored, as if it were not set.
    std::string base;
    if (IsAbsolute(xdgDataHome)) base = xdgDataHome;
    else if (IsAbsolute(home)) base = std::string(home) + "/.local/share";
    else return {};
    return Absolute(kGameFolderName, base);
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

std::string PlayerDataFolderOfThisUser() {
    const char* home = ::getenv("HOME");
    if (!IsAbsolute(home)) {
        const struct passwd* user = ::getpwuid(::getuid());
        home = user ? user->pw_dir : nullptr;
    }
    return PlayerDataFolder(::getenv("XDG_DATA_HOME"), home);
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

}  // namespace vz
