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

// What the rules of sound remember from one frame to the next. It only shapes what is heard: it is
// never saved, and nothing of the game's behaviour reads it.
struct CueMemory {
    int32_t buttonBefore = 0;  // the title's or the panel's button under the pointer last frame, 0 none
    int32_t buttonNow = 0;     // the same for this frame, as the title or the panel finds it
    int32_t sleeperFrames = 0;  // frames for which someone asleep has been in the scene on show
};

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
    SoundFrame sound;  // what should be playing, and this frame's cues
    CueMemory cueMemory;
};

}  // namespace vz
