// Where the game's window opens: the place and size the player left it at, fitted to the screen it opens on.
#pragma once

#include <vector>

#include "platform/screen_scale.h"

namespace vz {

// The window manager's frame around a window's inside: its title bar and borders, in pixels.
struct FrameBorders {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
};

// What a frame usually takes before the window manager says: a title bar and thin borders.
inline constexpr FrameBorders kUsualFrame{32, 4, 4, 4};

// The smallest window that still shows a usable picture (a quarter of the game's width and height
// would be too small to read the texts); smaller only on a smaller screen.
inline constexpr int kSmallestWindowWidth = 320;
inline constexpr int kSmallestWindowHeight = 240;

// Places a window whose inside is `wanted` on one of the `screens` (their usable areas, without
// panels). With `remembered` the window goes to the screen its place overlaps most, at that place,
// and when it overlaps none it is centred on the first screen, as a window without a remembered
// place is. Either way it is made to fit that screen with its frame: a window too large is made
// as large as the screen allows, one too small as small as still usable, and one reaching past an
// edge is moved back in, so the whole of it shows. Without any screen, `wanted` as it is.
ScreenRect PlaceWindow(const ScreenRect& wanted, bool remembered, const std::vector<ScreenRect>& screens,
                       const FrameBorders& frame = kUsualFrame);

}  // namespace vz
