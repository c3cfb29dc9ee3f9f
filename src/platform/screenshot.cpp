// Screenshots: a free file name in the folder, the PNG writer, and the note drawn over the shown picture.
#include "platform/screenshot.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "platform/glyphs.h"
#include "platform/paths.h"
#include "platform/png_writer.h"

namespace vz {

namespace {

constexpr uint16_t kNoteBackground = 0x10A2;  // a dark grey the font reads well on
constexpr int kNoteMargin = 8;
constexpr int kMostPerSecond = 999;  // names tried for the screenshots of one second

int TextWidth(const char* text) {
    int w = 0;
    for (const char* p = text; *p; ++p) {
        if (const Glyph* g = FindGlyph(static_cast<uint8_t>(*p))) w += g->advance;
        else if (*p == ' ') w += kSpaceAdvance;
    }
    return w;
}

}  // namespace

ScreenshotResult SaveScreenshot(const Surface& frame, const std::string& folder, std::time_t when) {
    ScreenshotResult r;
    if (folder.empty()) {
        r.problem = "there is no home folder to keep screenshots in";
        return r;
    }
    if (!MakeFolders(folder)) {
        r.problem = "the folder " + folder + " cannot be made";
        return r;
    }
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H-%M-%S", &local);
    const std::string stem = folder + "/Vudizid Ozazi " + stamp;
    int fd = -1;
    for (int n = 1; n <= kMostPerSecond && fd < 0; ++n) {
        r.path = n == 1 ? stem + ".png" : stem + " " + std::to_string(n) + ".png";
        fd = CreateNewFile(r.path, 0644);
        if (fd < 0 && errno != EEXIST) {
            r.problem = r.path + " cannot be made: " + std::strerror(errno);
            r.path.clear();
            return r;
        }
    }
    if (fd < 0) {
        r.outcome = ScreenshotOutcome::NamesUsedUp;
        r.problem = "every name for a screenshot of " + std::string(stamp) + " is taken in " + folder;
        r.path.clear();
        return r;
    }
    std::FILE* file = ::fdopen(fd, "wb");
    const bool written = file && WritePng(frame, file);
    const bool closed = file ? std::fclose(file) == 0 : ::close(fd) == 0;
    if (!written || !closed) {
        // The file is ours, made a moment ago: a half-written picture goes again.
        r.problem = r.path + " cannot be written: " + std::strerror(errno);
        ::unlink(r.path.c_str());
        r.path.clear();
        return r;
    }
    r.outcome = ScreenshotOutcome::Saved;
    return r;
}

void ScreenshotNote::Show(ScreenshotOutcome outcome, uint32_t now) {
    shown_ = true;
    outcome_ = outcome;
    since_ = now;
}

const char* ScreenshotNote::Text() const {
    switch (outcome_) {
        case ScreenshotOutcome::Saved: return kSaved;
        case ScreenshotOutcome::NamesUsedUp: return kNamesUsedUp;
        case ScreenshotOutcome::CannotWrite: break;
    }
    return kFailed;
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
