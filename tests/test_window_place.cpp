// Where the window opens: the place the player left it at, made to fit the screen, frame and all.
#include "platform/window_place.h"

#include <gtest/gtest.h>

namespace vz::test {
namespace {

// The window with its frame lies wholly on the screen.
bool Fits(const ScreenRect& r, const ScreenRect& s, const FrameBorders& f = kUsualFrame) {
    return r.x - f.left >= s.x && r.y - f.top >= s.y && r.x + r.width + f.right <= s.x + s.width &&
           r.y + r.height + f.bottom <= s.y + s.height;
}

const ScreenRect kSmall{0, 0, 1024, 768};

TEST(WindowPlace, AWindowLargerThanTheScreenIsMadeToFitItWithItsFrame) {
    for (const ScreenRect wanted : {ScreenRect{0, 0, 16384, 16384}, ScreenRect{0, 0, 3840, 2160},
                                    ScreenRect{-500, -300, 2000, 2000}, ScreenRect{0, 0, 1024, 768}}) {
        for (const bool remembered : {true, false}) {
            const ScreenRect r = PlaceWindow(wanted, remembered, {kSmall});
            EXPECT_TRUE(Fits(r, kSmall)) << wanted.width << " x " << wanted.height << " at " << r.x << "," << r.y;
            EXPECT_EQ(r.width, 1024 - kUsualFrame.left - kUsualFrame.right);  // as large as the screen allows
            EXPECT_EQ(r.height, 768 - kUsualFrame.top - kUsualFrame.bottom);
        }
    }
    // A window that reaches past an edge comes back in whole, as little moved as can be.
    const ScreenRect r = PlaceWindow({700, 500, 640, 480}, true, {kSmall});
    EXPECT_TRUE(Fits(r, kSmall));
    EXPECT_EQ(r.width, 640);
    EXPECT_EQ(r.x, 1024 - 4 - 640);
    EXPECT_EQ(r.y, 768 - 4 - 480);
}

TEST(WindowPlace, AWindowThatFitsStaysWhereItWasLeftOnTheScreenItMostlyLiesOn) {
    const std::vector<ScreenRect> two = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    const ScreenRect left{2000, 100, 800, 600};
    const ScreenRect r = PlaceWindow(left, true, two);
    EXPECT_EQ(std::tuple(r.x, r.y, r.width, r.height), std::tuple(2000, 100, 800, 600));
    // Mostly on the second screen, a little over the first: moved wholly onto the second.
    const ScreenRect over = PlaceWindow({1800, 100, 800, 600}, true, two);
    EXPECT_TRUE(Fits(over, two[1]));
    EXPECT_EQ(over.x, 1920 + kUsualFrame.left);
    // On no screen any more (a screen unplugged), or never placed: centred on the first screen.
    for (const bool remembered : {true, false}) {
        const ScreenRect c = PlaceWindow({5000, 5000, 1024, 768}, remembered, two);
        EXPECT_TRUE(Fits(c, two[0]));
        EXPECT_EQ(c.width, 1024);
        EXPECT_EQ(c.x - kUsualFrame.left, 1920 - (c.x + c.width + kUsualFrame.right));
    }
}

TEST(WindowPlace, AWindowTooSmallToUseGrowsAndATinyScreenIsFilled) {
    const ScreenRect r = PlaceWindow({10, 10, 64, 64}, true, {kSmall});
    EXPECT_EQ(std::pair(r.width, r.height), std::pair(kSmallestWindowWidth, kSmallestWindowHeight));
    EXPECT_TRUE(Fits(r, kSmall));
    const ScreenRect tiny{0, 0, 300, 200};
    const ScreenRect t = PlaceWindow({0, 0, 1024, 768}, false, {tiny});
    EXPECT_TRUE(Fits(t, tiny));
    EXPECT_EQ(std::pair(t.width, t.height), std::pair(292, 164));
    // Without a screen to go by, the window is asked for as it was.
    const ScreenRect none = PlaceWindow({5, 6, 700, 500}, true, {});
    EXPECT_EQ(std::tuple(none.x, none.y, none.width, none.height), std::tuple(5, 6, 700, 500));
}

}  // namespace
}  // namespace vz::test
