// The seven scenes: background, walk mask, exits, the objects and the person each one shows.
#pragma once

#include <array>
#include <cstdint>

#include "platform/files.h"
#include "platform/sbf.h"
#include "platform/surface.h"
#include "world/cursor.h"
#include "world/hero.h"
#include "world/objects.h"
#include "world/persons.h"

namespace vz {

inline constexpr int kLocationCount = 7;
inline constexpr int kExitCount = 12;
enum LocationId : int { kShipScene = 0, kBarScene = 1, kPalmScene = 2, kNowhereScene = 3, kVillageScene = 4,
                        kJungleScene = 5, kHolesScene = 6 };

struct Exit {
    int32_t targetLocation;
    int32_t left, right;  // left <= x < right
    int32_t top, bottom;  // top < y < bottom
    int32_t arrowImage;
    int32_t entryX, entryY;
    int32_t entryFacing;
};

struct LocationRow {
    const char* background;
    const char* walkMask;
    int32_t objectSlots[4];
    int32_t personIndex;
};

struct ExitRow {
    int32_t from;
    Exit exit;
};

extern const LocationRow kLocationTable[kLocationCount];
extern const ExitRow kExitTable[kExitCount];

struct Location {
    Surface background;
    WalkMask walkMask{};
    int32_t exitCount = 0;
    std::array<Exit, 4> exits{};
    std::array<int32_t, 4> objectSlots{-1, -1, -1, -1};
    int32_t personIndex = -1;
};

// Makes the location describe scene `index`; an index outside 0..6 changes nothing.
bool LoadLocation(Location& location, Files& files, int index);

// The exit test of a Play frame: arrow pictures while over an exit, and on a click the hero
// placed at the entry point and the change of scene requested. True when an exit was clicked.
bool CheckExits(const Location& location, Cursor& cursor, Hero& hero, int mouseX, int mouseY, bool click,
                int& locationIndex);

// Every exit's arrow picture in the middle of its rectangle, as the hotspot key shows them.
void DrawExitArrows(const Location& location, const Cursor& cursor, Surface& target);

// Background, the scene's objects that are in it, then its person if present (or always, in a
// conversation).
void DrawScene(const Location& location, const WorldObjects& objects, const Persons& persons, Surface& target,
               bool personAlways = false);

}  // namespace vz
