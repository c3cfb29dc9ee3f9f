// Folder look-ups after the XDG conventions: environment first, then the home folder's defaults.
#include "platform/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace vz {

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

bool MakeFolders(const std::string& path) {
    if (path.empty()) return false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) return false;
    if (::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST) return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    return false;
}

}  // namespace vz
