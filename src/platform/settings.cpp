// The settings file: a few "key=value" lines, read strictly, written all at once.
#include "platform/settings.h"

#include <charconv>
#include <sstream>

#include "platform/paths.h"

namespace vz {

namespace {

constexpr int kMaxWindowPosition = 100000;
constexpr int kMinWindowSize = 64;
constexpr int kMaxWindowSize = 16384;

bool ToInt(const std::string& s, int lo, int hi, int& out) {
    int v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return false;
    out = v;
    return true;
}

std::string Trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    const size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

bool WindowPlace(const std::string& value, DisplaySettings& s) {
    std::istringstream in(value);
    std::string x, y, w, h, more;
    if (!(in >> x >> y >> w >> h) || (in >> more)) return false;
    return ToInt(x, -kMaxWindowPosition, kMaxWindowPosition, s.windowX) &&
           ToInt(y, -kMaxWindowPosition, kMaxWindowPosition, s.windowY) &&
           ToInt(w, kMinWindowSize, kMaxWindowSize, s.windowWidth) &&
           ToInt(h, kMinWindowSize, kMaxWindowSize, s.windowHeight);
}

const char* const kTextPaceNames[kTextPaceCount] = {"1x", "1.5x", "2x", "click"};

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

std::string FormatDisplaySettings(const DisplaySettings& s) {
    std::ostringstream o;
    o << "# Vudizid Ozazi: the display as it was left\n";
    o << "scale=" << (s.scale == ScaleMode::Whole ? "whole" : "fit") << '\n';
    o << "fullscreen=" << (s.fullscreen ? "yes" : "no") << '\n';
    if (s.hasWindowPlace)
        o << "window=" << s.windowX << ' ' << s.windowY << ' ' << s.windowWidth << ' ' << s.windowHeight << '\n';
    o << "textpace=" << TextPaceName(s.textPace) << '\n';
    return o.str();
}

bool ParseDisplaySettings(const std::string& text, DisplaySettings& settings, std::string& why) {
    DisplaySettings s = settings;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string t = Trimmed(line);
        if (t.empty() || t[0] == '#') continue;
        const size_t eq = t.find('=');
        const std::string key = eq == std::string::npos ? "" : Trimmed(t.substr(0, eq));
        const std::string value = eq == std::string::npos ? "" : Trimmed(t.substr(eq + 1));
        bool ok = !key.empty();
        if (key == "scale") {
            ok = value == "fit" || value == "whole";
            s.scale = value == "whole" ? ScaleMode::Whole : ScaleMode::Fit;
        } else if (key == "fullscreen") {
            ok = value == "yes" || value == "no";
            s.fullscreen = value == "yes";
        } else if (key == "window") {
            ok = WindowPlace(value, s);
            s.hasWindowPlace = ok;
        } else if (key == "textpace") {
            ok = TextPaceFromName(value, s.textPace);
        }
        if (!ok) {
            why = "line " + std::to_string(number) + " is not a setting";
            return false;
        }
    }
    settings = s;
    return true;
}

DisplaySettings LoadDisplaySettings(Files& files, const std::string& path, std::string& warning) {
    warning.clear();
    DisplaySettings settings;
    std::vector<uint8_t> bytes;
    if (!files.ReadWholeFile(path, bytes, kMaxSettingsFileBytes)) {
        if (files.FileExists(path)) warning = "the settings file " + path + " cannot be read; it is ignored";
        return settings;
    }
    std::string why;
    const std::string text(bytes.begin(), bytes.end());
    if (text.find('\0') != std::string::npos) {
        why = "it is not text";
    } else if (ParseDisplaySettings(text, settings, why)) {
        return settings;
    }
    warning = "the settings file " + path + " is damaged (" + why + "); it is ignored";
    return DisplaySettings{};
}

WriteResult SaveDisplaySettings(Files& files, const std::string& folder, const DisplaySettings& settings) {
    if (folder.empty() || !MakeFolders(folder)) return WriteResult::CannotCreate;
    const std::string text = FormatDisplaySettings(settings);
    return files.ReplaceFile(folder + "/" + kSettingsFileName, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace vz
