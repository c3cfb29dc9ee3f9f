// Screenshots: a free file name in the folder, the PNG writer, and the note drawn over the shown picture.
#include "platform/screenshot.h"

#include <algorithm>
#include <cstdio>

#include "platform/glyphs.h"
#include "platform/paths.h"
#include "platform/png_writer.h"

namespace vz {

namespace {

bool Exists(const std::string& path) {
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fclose(f);
        return true;
    }
    return false;
}

}  // namespace

std::string SaveScreenshot(const Surface& frame, const std::string& folder, std::time_t when, std::string& problem) {
    problem.clear();
    if (folder.empty()) {
        problem = "there is no home folder to keep screenshots in";
        return {};
    }
    if (!MakeFolders(folder)) {
        problem = "the folder " + folder + " cannot be made";
        return {};
    }
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H-%M-%S", &local);
    const std::string stem = folder + "/Vudizid Ozazi " + stamp;
    std::string path = stem + ".png";
    for (int n = 2; Exists(path); ++n) {
        if (n > 999) {
            problem = "too many screenshots of the same second";
            return {};
        }
        path = stem + " " + std::to_string(n) + ".png";
    }
    if (!WritePng(frame, path)) {
        problem = path + " cannot be written";
        std::remove(path.c_str());
        return {};
    }
    return path;
}

void ScreenshotNote::Show(bool saved, uint32_t now) {
    shown_ = true;
    saved_ = saved;
    since_ = now;
}

bool ScreenshotNote::Showing(uint32_t now) const { return shown_ && now - since_ < kShownMs; }

void ScreenshotNote::Draw(Surface& picture, const Fonts& fonts, uint32_t now) const {
    if (Showing(now)) DrawNote(picture, fonts, Text());
}

}  // namespace vz
