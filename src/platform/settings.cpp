// The settings file: "key=value" lines of the game's own keys among whatever else the player keeps there.
#include "platform/settings.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <iterator>
#include <sstream>

#include "platform/paths.h"

namespace vz {

namespace {

constexpr int kMaxWindowPosition = 100000;
constexpr int kMinWindowSize = 64;
constexpr int kMaxWindowSize = 16384;
constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kHeading = "# Vudizid Ozazi: the settings as they were left";

bool ToInt(const std::string& s, int lo, int hi, int& out) {
    int v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return false;
    out = v;
    return true;
}

const char* const kTextPaceNames[kTextPaceCount] = {"1x", "1.5x", "2x", "click"};

bool ReadWindowPlace(const std::string& value, DisplaySettings& s) {
    std::istringstream in(value);
    std::string x, y, w, h, more;
    if (!(in >> x >> y >> w >> h) || (in >> more)) return false;
    DisplaySettings place = s;
    if (!ToInt(x, -kMaxWindowPosition, kMaxWindowPosition, place.windowX) ||
        !ToInt(y, -kMaxWindowPosition, kMaxWindowPosition, place.windowY) ||
        !ToInt(w, kMinWindowSize, kMaxWindowSize, place.windowWidth) ||
        !ToInt(h, kMinWindowSize, kMaxWindowSize, place.windowHeight))
        return false;
    place.hasWindowPlace = true;
    s = place;
    return true;
}

// The keys the game owns, one row each: how a value is read into the settings (false: not a value
// of this key, and nothing changes) and how the settings write it (empty: the key is not written).
// A new setting is one more row here and a field in DisplaySettings.
struct SettingKey {
    const char* name;
    bool (*read)(const std::string& value, DisplaySettings& s);
    std::string (*write)(const DisplaySettings& s);
};

const SettingKey kSettingKeys[] = {
    {"scale",  // F10 and --scale
     [](const std::string& v, DisplaySettings& s) {
         if (v != "fit" && v != "whole") return false;
         s.scale = v == "whole" ? ScaleMode::Whole : ScaleMode::Fit;
         return true;
     },
     [](const DisplaySettings& s) -> std::string { return s.scale == ScaleMode::Whole ? "whole" : "fit"; }},
    {"fullscreen",  // F11, Alt+Enter, --window and --fullscreen
     [](const std::string& v, DisplaySettings& s) {
         if (v != "yes" && v != "no") return false;
         s.fullscreen = v == "yes";
         return true;
     },
     [](const DisplaySettings& s) -> std::string { return s.fullscreen ? "yes" : "no"; }},
    {"window",  // the window's place and size: x y width height
     ReadWindowPlace,
     [](const DisplaySettings& s) -> std::string {
         if (!s.hasWindowPlace) return "";
         return std::to_string(s.windowX) + ' ' + std::to_string(s.windowY) + ' ' + std::to_string(s.windowWidth) +
                ' ' + std::to_string(s.windowHeight);
     }},
    {"volume",  // - and +: per cent, in steps of ten
     [](const std::string& v, DisplaySettings& s) { return ToInt(v, 0, 100, s.volume); },
     [](const DisplaySettings& s) -> std::string { return std::to_string(s.volume); }},
    {"mute",  // M (--mute is for one run and is not kept)
     [](const std::string& v, DisplaySettings& s) {
         if (v != "yes" && v != "no") return false;
         s.muted = v == "yes";
         return true;
     },
     [](const DisplaySettings& s) -> std::string { return s.muted ? "yes" : "no"; }},
    {"textpace",  // T: how long answers and conversation lines stay; the game's own pace is not written
     [](const std::string& v, DisplaySettings& s) { return TextPaceFromName(v, s.textPace); },
     [](const DisplaySettings& s) -> std::string {
         return s.textPace == TextPace::Normal ? "" : TextPaceName(s.textPace);
     }},
};

std::string Trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    const size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

bool StartsWithByteOrderMark(const std::string& s) { return s.compare(0, 3, kByteOrderMark) == 0; }

// A line split as a "key=value" line; the key's row when the game owns it, else null.
const SettingKey* OwnedKey(std::string line, std::string& value) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (StartsWithByteOrderMark(line)) line.erase(0, 3);  // one left inside a file pasted together
    const std::string t = Trimmed(line);
    const size_t eq = t.find('=');
    if (t.empty() || t[0] == '#' || t[0] == ';' || eq == std::string::npos) return nullptr;
    const std::string key = Trimmed(t.substr(0, eq));
    for (const SettingKey& k : kSettingKeys) {
        if (key == k.name) {
            value = Trimmed(t.substr(eq + 1));
            return &k;
        }
    }
    return nullptr;
}

}  // namespace

const char* TextPaceName(TextPace pace) {
    const int i = static_cast<int>(pace);
    return i >= 0 && i < kTextPaceCount ? kTextPaceNames[i] : kTextPaceNames[0];
}

bool TextPaceFromName(const std::string& name, TextPace& pace) {
    for (int i = 0; i < kTextPaceCount; ++i) {
        if (name == kTextPaceNames[i]) {
            pace = static_cast<TextPace>(i);
            return true;
        }
    }
    return false;
}

void ParseSettings(const std::string& text, DisplaySettings& settings, SettingsFile& file,
                   std::vector<std::string>& warnings) {
    file.lines.clear();
    file.byteOrderMark = StartsWithByteOrderMark(text);
    std::istringstream in(text.substr(file.byteOrderMark ? 3 : 0));
    std::string line;
    while (std::getline(in, line)) {
        file.lines.push_back(line);
        std::string value;
        const SettingKey* key = OwnedKey(line, value);
        if (key && !key->read(value, settings)) {
            std::string shown = line;
            if (!shown.empty() && shown.back() == '\r') shown.pop_back();
            warnings.push_back("line " + std::to_string(file.lines.size()) + " (" + shown + ") is not a setting of " +
                               key->name + "; that line is ignored");
        }
    }
}

std::string FormatSettings(const SettingsFile& file, const DisplaySettings& settings) {
    std::string out = file.byteOrderMark ? kByteOrderMark : "";
    if (file.lines.empty()) out += std::string(kHeading) + '\n';
    bool written[std::size(kSettingKeys)] = {};
    for (const std::string& line : file.lines) {
        std::string value;
        const SettingKey* key = OwnedKey(line, value);
        if (!key) {
            out += line + '\n';
            continue;
        }
        const std::string now = key->write(settings);
        written[key - kSettingKeys] = true;
        if (now.empty()) continue;  // nothing to keep for it any more
        // A line that already says what the settings hold stays as the player wrote it.
        DisplaySettings said = settings;
        if (key->read(value, said) && key->write(said) == now) {
            out += line + '\n';
            continue;
        }
        out += std::string(key->name) + '=' + now + (line.back() == '\r' ? "\r\n" : "\n");
    }
    for (const SettingKey& key : kSettingKeys) {
        const std::string now = key.write(settings);
        if (!written[&key - kSettingKeys] && !now.empty()) out += std::string(key.name) + '=' + now + '\n';
    }
    return out;
}

DisplaySettings LoadDisplaySettings(Files& files, const std::string& path, SettingsFile& file,
                                    std::vector<std::string>& warnings) {
    file = SettingsFile{};
    DisplaySettings settings;
    std::vector<uint8_t> bytes;
    std::string why;
    if (!files.ReadWholeFile(path, bytes, kMaxSettingsFileBytes)) {
        const FileCheck check = files.CheckFile(path);
        if (check.kind == FileCheck::Missing) return settings;  // the first run says nothing
        why = check.kind == FileCheck::Unreadable ? check.why
                                                  : "larger than " + std::to_string(kMaxSettingsFileBytes) + " bytes";
    } else if (std::find(bytes.begin(), bytes.end(), uint8_t{0}) != bytes.end()) {
        why = "it is not text";
    } else {
        std::vector<std::string> problems;
        ParseSettings(std::string(bytes.begin(), bytes.end()), settings, file, problems);
        for (const std::string& p : problems) warnings.push_back("the settings file " + path + ": " + p);
        return settings;
    }
    file.keepAsItIs = true;
    warnings.push_back("the settings file " + path + " cannot be read (" + why + "); it is ignored and left as it is");
    return settings;
}

WriteResult SaveDisplaySettings(Files& files, const std::string& folder, const SettingsFile& file,
                                const DisplaySettings& settings) {
    files.writeProblem.clear();
    if (file.keepAsItIs) {
        files.writeProblem = "the file there could not be read, so it is left as it is";
        return WriteResult::CannotCreate;
    }
    if (folder.empty() || !MakeFolders(folder)) {
        files.writeProblem = folder.empty() ? "there is no home folder"
                                            : "the folder cannot be made (" + std::string(std::strerror(errno)) + ")";
        return WriteResult::CannotCreate;
    }
    const std::string text = FormatSettings(file, settings);
    return files.ReplaceFile(folder + "/" + kSettingsFileName, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace vz
