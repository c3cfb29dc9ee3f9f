// Fitting a remembered window to the screen it opens on, frame included.
#include "platform/window_place.h"

#include <algorithm>

namespace vz {

namespace {

long long Overlap(const ScreenRect& a, const ScreenRect& b) {
    const long long w = std::min<long long>(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const long long h = std::min<long long>(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return w > 0 && h > 0 ? w * h : 0;
}

// A length between the smallest usable and what the screen holds (the screen wins when it is
// smaller than the smallest usable).
int Fitted(int wanted, int smallest, int room) { return std::max(1, std::min(std::max(wanted, smallest), room)); }

// A start between lo and hi; lo when there is no room at all.
int Within(int at, int lo, int hi) { return std::max(lo, std::min(at, hi)); }

}  // namespace

ScreenRect PlaceWindow(const ScreenRect& wanted, bool remembered, const std::vector<ScreenRect>& screens,
                       const FrameBorders& frame) {
    if (screens.empty()) return wanted;
    size_t on = 0;
    long long most = 0;
    if (remembered) {
        for (size_t i = 0; i < screens.size(); ++i) {
            const long long overlap = Overlap(wanted, screens[i]);
            if (overlap > most) {
                most = overlap;
                on = i;
            }
        }
    }
    const ScreenRect& screen = screens[on];
    ScreenRect r;
    r.width = Fitted(wanted.width, kSmallestWindowWidth, screen.width - frame.left - frame.right);
    r.height = Fitted(wanted.height, kSmallestWindowHeight, screen.height - frame.top - frame.bottom);
    const int leftmost = screen.x + frame.left;
    const int topmost = screen.y + frame.top;
    const int rightmost = screen.x + screen.width - frame.right - r.width;
    const int lowest = screen.y + screen.height - frame.bottom - r.height;
    if (most > 0) {
        r.x = Within(wanted.x, leftmost, rightmost);
        r.y = Within(wanted.y, topmost, lowest);
    } else {
        r.x = Within(leftmost + (rightmost - leftmost) / 2, leftmost, rightmost);
        r.y = Within(topmost + (lowest - topmost) / 2, topmost, lowest);
    }
    return r;
}

}  // namespace vz
