// Where the game's files live: the pictures found, the saved game placed, and the player's own
// folders after the XDG conventions (environment first, then the home folder's defaults).
#include "platform/paths.h"

#include <limits.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/files.h"

namespace vz {

namespace {

namespace fs = std::filesystem;

constexpr const char* kPictureFolderName = "images";
constexpr const char* kSoundFolderName = "sounds";
constexpr size_t kMaxUserDirsBytes = 64 * 1024;


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

// Why a place does not hold the game's pictures, or empty when it holds them: at least one of the
// game's own picture files is there and can be read. One missing picture (the title's too) is then
// simply not seen, while an empty folder, an unreadable one or another folder called images is
// passed over.
std::string WhyNoPictures(const std::string& place, const std::vector<std::string>& names) {
    struct stat st {};
    if (::stat(place.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return "no such folder";
        if (errno == ENAMETOOLONG) return "the path is too long";
        return std::string("cannot be looked at: ") + std::strerror(errno);
    }
    if (!S_ISDIR(st.st_mode)) return "a file, not a folder";
    std::string denied;
    for (const std::string& name : names) {
        const std::string path = place + "/" + name;
        if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0) return "";
        if (errno == EACCES) denied = std::strerror(errno);
    }
    if (!denied.empty()) return "cannot be read: " + denied;
    return "holds none of the game's pictures: it is empty or another folder";
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
        std::string why = WhyNoPictures(place, search.pictureNames);
        if (why.empty()) {
            found.folder = Resolved(place);
            if (found.folder.empty()) why = std::string("cannot be looked at: ") + std::strerror(errno);
        }
        found.why.push_back(why);
        if (!why.empty()) continue;
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

// One XDG_PICTURES_DIR line of user-dirs.dirs, which is written for a shell to read: "export " may
// come first, and the value may be quoted or bare. It is "$HOME/..." or an absolute path, with
// backslash escapes. Empty for any other line.
std::string PicturesLine(const std::string& line, const std::string& home) {
    size_t i = line.find_first_not_of(" \t");
    if (i != std::string::npos && line.compare(i, 7, "export ") == 0) i = line.find_first_not_of(" \t", i + 7);
    const std::string key = "XDG_PICTURES_DIR";
    if (i == std::string::npos || line.compare(i, key.size(), key) != 0) return {};
    i = line.find_first_not_of(" \t", i + key.size());
    if (i == std::string::npos || line[i] != '=') return {};
    i = line.find_first_not_of(" \t", i + 1);
    if (i == std::string::npos) return {};
    bool quoted = line[i] == '"';
    if (quoted) ++i;
    std::string path;
    for (const std::string variable : {"${HOME}", "$HOME"}) {
        const size_t after = i + variable.size();
        if (line.compare(i, variable.size(), variable) == 0 &&
            (after == line.size() || std::strchr("/\" \t", line[after]) != nullptr)) {
            if (home.empty()) return {};
            path = home;
            i = after;
            break;
        }
    }
    for (; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\' && i + 1 < line.size()) {
            path += line[++i];
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            break;
        } else if (!quoted && c == '\'') {  // a single-quoted part, taken as it stands
            const size_t end = line.find('\'', i + 1);
            if (end == std::string::npos) return {};
            path += line.substr(i + 1, end - i - 1);
            i = end;
        } else if (c == '$' || c == '`') {  // another variable or a command: not for us to run
            return {};
        } else {
            path += c;
        }
    }
    if (quoted) return {};
    // After the value only a comment may follow; anything else would make the shell run a command.
    const size_t rest = line.find_first_not_of(" \t", i);
    if (rest != std::string::npos && line[rest] != '#') return {};
    if (path.empty() || path[0] != '/') return {};  // a relative path is not allowed
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
        // Read as every other file is read: a regular file only, of a sensible size, never waiting
        // on a FIFO or a device put in its place.
        std::vector<uint8_t> bytes;
        ReadRegularFile(config + "/user-dirs.dirs", bytes, kMaxUserDirsBytes);
        const std::string text(bytes.begin(), bytes.end());
        // The last line that names the folder counts, as a shell reading the file would see it.
        for (size_t start = 0; start < text.size();) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::string found = PicturesLine(line, home);
            if (!found.empty()) pictures = found;
            start = end + 1;
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
