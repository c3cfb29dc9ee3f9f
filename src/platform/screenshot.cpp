// Screenshots: a free file name in the folder, the PNG writer, and the note drawn over the shown picture.
#include "platform/screenshot.h"

#include <algorithm>
#include <cstdio>

#include "platform/glyphs.h"
#include "platform/paths.h"
#include "platform/png_writer.h"

namespace vz {

namespace {

constexpr uint16_t kNoteBackground = 0x10A2;  // a dark grey the font reads well on
constexpr int kNoteMargin = 8;

int TextWidth(const char* text) {
    int w = 0;
    for (const char* p = text; *p; ++p) {
        if (const Glyph* g = FindGlyph(static_cast<uint8_t>(*p))) w += g->advance;
        else if (*p == ' ') w += kSpaceAdvance;
    }
    return w;
}

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
    if (!Showing(now) || picture.Empty()) return;
    const char* text = Text();
    const int boxWidth = std::min(picture.width, TextWidth(text) + 2 * kNoteMargin);
    const int boxHeight = kLineHeight + kNoteMargin;
    const int top = std::max(0, picture.height - boxHeight);
    for (int y = top; y < picture.height; ++y)
        for (int x = 0; x < boxWidth; ++x) picture.Set(x, y, kNoteBackground);
    DrawBitmapText(kNoteMargin, top + kNoteMargin / 2, false, 0, picture, text, fonts);
}

}  // namespace vz
