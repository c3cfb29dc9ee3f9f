// The 23 world objects: things in the scenes and items in the hero's pockets.
#pragma once

#include <array>
#include <cstdint>

#include "platform/files.h"
#include "platform/surface.h"
#include "platform/text.h"

namespace vz {

inline constexpr int kObjectCount = 23;
inline constexpr int kNoObject = 99;  // matches no object: switches a rule off

// Object numbers used by every table of the game.
enum ObjectId : int {
    kChainsaw = 0, kShip = 1, kSugar = 2, kCocktail = 3, kSweetCocktail = 4, kCoconut = 5, kLiane = 6,
    kBottle = 7, kSpade = 8, kLeafPlant = 9, kRoot = 10, kRootPlant = 11, kLeaves = 12, kSlipperyPlant = 13,
    kRaft = 14, kEngine = 15, kMotorRaft = 16, kMonkey = 17, kSleepingMonkey = 18, kLeashedMonkey = 19,
    kSleepingPill = 20, kOcean = 21, kSleepingJim = 22,
};

// One row of the object table, in the constructor's argument order.
struct ObjectRow {
    uint8_t inScene, takeable;
    int32_t height, width, x, y, walkX, walkY, facing, textX, textY, sceneScript;
    const char* name;
    const char* lookText;
    const char* takeText;
    const char* useText;
    const char* talkText;
    const char* image;  // "" for none
    int32_t inventoryHeight, inventoryWidth;
    const char* inventoryImage;  // "" for none
};

extern const ObjectRow kObjectTable[kObjectCount];

struct WorldObject {
    Surface image;
    Surface inventoryImage;
    uint8_t inScene = 0;
    uint8_t takeable = 0;
    int32_t height = 0, width = 0;
    int32_t inventoryHeight = 0, inventoryWidth = 0;
    int32_t x = 0, y = 0;
    int32_t walkX = 0, walkY = 0;
    int32_t textX = 0, textY = 0;
    int32_t facing = 0;
    int32_t sceneScript = -1;  // -1 none, 0 the ship's search, 1 the leaf plant's scene
    char name[20] = {};
    char lookText[80] = {};
    char takeText[60] = {};
    char useText[50] = {};
    char talkText[42] = {};
};

using WorldObjects = std::array<WorldObject, kObjectCount>;

void InitWorldObject(WorldObject& object, Files& files, const ObjectRow& row);
void InitWorldObjects(WorldObjects& objects, Files& files);

// Strictly inside the picture's rectangle, and only while the object is in the scene.
bool ObjectUnderMouse(const WorldObject& object, int mouseX, int mouseY);
void DrawObjectLabel(const WorldObject& object, Surface& target, const Fonts& fonts);

bool IsValidObject(int index);

// Copies a text into a fixed field, cutting it to the field's size.
template <size_t N>
void CopyText(char (&field)[N], const char* text) {
    size_t i = 0;
    for (; text && text[i] != '\0' && i + 1 < N; ++i) field[i] = text[i];
    field[i] = '\0';
}

}  // namespace vz
