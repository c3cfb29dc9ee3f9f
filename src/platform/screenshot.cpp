// Screenshots: a free file name in the folder, the PNG writer, and the note drawn over the shown picture.
#include "platform/screenshot.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/png_writer.h"
#include "platform/screen_note.h"

namespace vz {

namespace {

constexpr int kMostPerSecond = 999;  // names tried for the screenshots of one second
constexpr const char* kPendingName = ".Vudizid Ozazi screenshot.png";  // while it is being written


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
    // Written under a hidden name of its own first, and named only when whole, so no one (a file
    // manager, a test) ever sees half a picture. Its lock is held until then.
    std::string temp;
    const int fd = CreateTemporaryFile(folder + "/" + kPendingName, temp);
    if (fd < 0) {
        r.problem = "no file can be made in " + folder + ": " + std::strerror(errno);
        return r;
    }
    const int held = ::dup(fd);
    std::FILE* file = ::fdopen(fd, "wb");
    bool written = file && WritePng(frame, file);
    written = (file ? std::fclose(file) == 0 : ::close(fd) == 0) && written;
    const int error = errno;
    if (!written) r.problem = temp + " cannot be written: " + std::strerror(error);
    // The first name nothing at all has taken: a link, an earlier picture, a FIFO are passed over.
    for (int n = 1; written && n <= kMostPerSecond && r.path.empty(); ++n) {
        const std::string name = n == 1 ? stem + ".png" : stem + " " + std::to_string(n) + ".png";
        if (RenameWithoutReplacing(temp, name) == 0) {
            r.path = name;
        } else if (errno != EEXIST) {
            r.problem = name + " cannot be made: " + std::strerror(errno);
            break;
        } else if (n == kMostPerSecond) {
            r.outcome = ScreenshotOutcome::NamesUsedUp;
            r.problem = "every name for a screenshot of " + std::string(stamp) + " is taken in " + folder;
        }
    }
    if (r.path.empty()) ::unlink(temp.c_str());
    if (held >= 0) ::close(held);
    if (!r.path.empty()) r.outcome = ScreenshotOutcome::Saved;
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
    if (Showing(now)) DrawCornerNote(picture, fonts, Text());
}

}  // namespace vz
