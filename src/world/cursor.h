// The game's own pointer: four verbs, four exit arrows, or the item held on it.
#pragma once

#include <array>
#include <cstdint>

#include "platform/files.h"
#include "platform/input.h"
#include "platform/surface.h"
#include "world/objects.h"

namespace vz {

enum Verb : int { kWalk = 0, kTake = 1, kLook = 2, kTalk = 3 };
enum Arrow : int { kArrowRight = 4, kArrowLeft = 5, kArrowUp = 6, kArrowDown = 7 };

struct Cursor {
    std::array<Surface, 8> images;
    int32_t shownImage = kWalk;  // 0..3 the verb, 4..7 an exit arrow
    int32_t verb = kWalk;
};

void InitCursor(Cursor& cursor, Files& files);
// The right click's step through Walk, Take, Look, Talk; nothing while an arrow shows.
void NextVerb(Cursor& cursor);
// The same step for a touch player, also while an arrow shows: he sees the verb on its button,
// not on a pointer, and the arrow comes back with the next exit test.
void StepVerb(Cursor& cursor);
// Draws the verb picture, or the held item's inventory picture, centred on the pointer, after
// clamping the pointer so the picture lies wholly on the screen. While the last input was a
// finger it only clamps: a pointer under the finger would mark nothing.
void DrawCursor(const Cursor& cursor, Surface& target, InputState& input, int heldItem,
                const WorldObjects& objects);

}  // namespace vz
