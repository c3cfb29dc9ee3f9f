// Everything of the island that changes while playing, in one record, and the game's states.
#pragma once

#include <cstdint>

#include "platform/input.h"
#include "platform/sound.h"
#include "platform/surface.h"
#include "platform/text.h"
#include "world/cursor.h"
#include "world/hero.h"
#include "world/inventory.h"
#include "world/location.h"
#include "world/objects.h"
#include "world/persons.h"
#include "world/touch_controls.h"

namespace vz {

enum class GameState : int32_t {
    TitleMenu = 0,
    LoadGame = 2,
    SaveGame = 3,
    Play = 4,
    Dialogue = 5,
    WalkToObject = 6,
    InventoryScreen = 7,
    WalkToPerson = 8,
    Ending = 9,
    ChangeLocation = 11,
    FindItem = 12,
    GiveToPerson = 14,
    UseOnObject = 15,
};

bool IsValidGameState(int32_t value);

struct World {
    GameState state = GameState::TitleMenu;
    int32_t locationIndex = 0;
    InputState input;
    Surface backBuffer{kScreenWidth, kScreenHeight};
    Fonts fonts;
    Cursor cursor;
    InventoryPanel panel;
    Carried carried{};
    WorldObjects objects;
    Persons persons;
    Location location;
    Hero hero;
    TouchControls touch;
    SoundFrame sound;  // what should be playing, and this frame's cues
};

}  // namespace vz
