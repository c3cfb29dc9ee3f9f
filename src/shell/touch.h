// The touch controls in the game's frames: which each state shows, what a tap on them does, showing them.
#pragma once

#include "platform/platform.h"
#include "shell/game.h"
#include "world/touch_controls.h"

namespace vz {

// The controls a frame of the game's present state shows, and the menu's entries the machine has.
TouchLayout TouchLayoutFor(const Game& game, const Platform& platform);

// Takes one read of the input through the touch controls, before the game's rules see it. A
// finger that came down on a control belongs to it, not to the pointer: its tap acts (once a
// frame, however many reads the frame has) and clicks nothing in the scene. A tap beside the open
// menu only closes it. The names button holds the hotspot key. Input that is no touch hides them.
void TouchThroughControls(Game& game, Platform& platform, RawInput& raw);

// Shows the frame, with the touch controls over it while they are shown.
void ShowFrame(Game& game, Platform& platform);

}  // namespace vz
