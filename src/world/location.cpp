// The location and exit tables, the scene loader, the exit test and the scene's first layers.
#include "world/location.h"

#include <algorithm>

namespace vz {

// background, walk mask, object slots, person
const LocationRow kLocationTable[kLocationCount] = {
    {"images/locations/schiff.sbf", "images/locations/schiff_i.sbf", {1, 11, 21, -1}, -1},  // 0 wrecked ship
    {"images/locations/bar.sbf", "images/locations/bar_i.sbf", {13, 2, -1, -1}, 0},  // 1 beach bar, Kai
    {"images/locations/palme_en.sbf", "images/locations/palme_i.sbf", {5, 7, -1, -1}, -1},  // 2 palm beach
    {"images/locations/nowhere.sbf", "images/locations/nirgendwo_i.sbf", {-1, -1, -1, -1}, -1},  // 3 nowhere
    {"images/locations/inselstamm.sbf", "images/locations/inselstamm_i.sbf", {9, 14, -1, -1}, 1},  // 4 village
    {"images/locations/dschungel.sbf", "images/locations/dschungel_i.sbf", {6, 17, 18, 19}, -1},  // 5 jungle
    {"images/locations/loecher.sbf", "images/locations/loecher_i.sbf", {8, 22, -1, -1}, 2},  // 6 holes, Jim
};
static_assert(sizeof(kLocationTable) / sizeof(kLocationTable[0]) == kLocationCount);

// from: {target, left, right, top, bottom, arrow, entry x, entry y, entry facing}
const ExitRow kExitTable[kExitCount] = {
    {0, {1, 920, 1024, 580, 680, kArrowRight, 100, 420, kRight}},  // ship -> bar
    {0, {4, 650, 740, 280, 380, kArrowUp, 600, 400, kBack}},       // ship -> village
    {1, {2, 930, 1024, 570, 680, kArrowRight, 100, 420, kRight}},  // bar -> palm beach
    {1, {0, 0, 100, 680, 768, kArrowLeft, 880, 400, kLeft}},       // bar -> ship
    {1, {5, 210, 330, 290, 400, kArrowUp, 300, 400, kBack}},       // bar -> jungle
    {2, {1, 0, 100, 650, 768, kArrowLeft, 880, 320, kLeft}},       // palm beach -> bar
    {2, {3, 920, 1024, 380, 490, kArrowRight, 100, 350, kRight}},  // palm beach -> nowhere
    {2, {6, 430, 550, 310, 420, kArrowUp, 300, 400, kBack}},       // palm beach -> holes
    {3, {2, 0, 200, 0, 768, kArrowLeft, 880, 200, kLeft}},         // nowhere -> palm beach
    {4, {0, 450, 850, 660, 768, kArrowDown, 600, 150, kFront}},    // village -> ship
    {5, {1, 0, 450, 680, 768, kArrowDown, 240, 150, kFront}},      // jungle -> bar
    {6, {2, 0, 250, 680, 768, kArrowDown, 440, 150, kFront}},      // holes -> palm beach
};
static_assert(sizeof(kExitTable) / sizeof(kExitTable[0]) == kExitCount);

bool LoadLocation(Location& location, Files& files, int index) {
    if (index < 0 || index >= kLocationCount) return false;
    const LocationRow& row = kLocationTable[index];
    // The picture's memory is reused from scene to scene. A scene whose picture cannot be read is
    // shown black rather than with the last scene's picture.
    if (location.background.Empty()) {
        location.background = LoadPicture(files, row.background, kScreenWidth, kScreenHeight);
    } else if (!LoadSbfSurface(files, row.background, location.background)) {
        location.background.filled = false;
    }
    LoadWalkMask(files, row.walkMask, location.walkMask);
    location.exitCount = 0;
    for (const ExitRow& e : kExitTable) {
        if (e.from == index && location.exitCount < 4) location.exits[location.exitCount++] = e.exit;
    }
    for (int k = 0; k < 4; ++k) location.objectSlots[k] = row.objectSlots[k];
    location.personIndex = row.personIndex;
    return true;
}

bool CheckExits(const Location& location, Cursor& cursor, Hero& hero, int mouseX, int mouseY, bool click,
                int& locationIndex) {
    cursor.shownImage = cursor.verb;
    bool taken = false;
    for (int i = 0; i < location.exitCount && i < 4; ++i) {
        const Exit& e = location.exits[i];
        if (e.left <= mouseX && mouseX < e.right && e.top < mouseY && mouseY < e.bottom) {
            cursor.shownImage = e.arrowImage;
            if (click) {
                locationIndex = e.targetLocation;
                hero.x = hero.targetX = e.entryX;
                hero.y = hero.targetY = e.entryY;
                hero.facing = e.entryFacing;
                taken = true;
            }
        }
    }
    return taken;
}

void DrawExitArrows(const Location& location, const Cursor& cursor, Surface& target) {
    constexpr int kArrowSize = 32;
    for (int i = 0; i < location.exitCount && i < 4; ++i) {
        const Exit& e = location.exits[i];
        if (e.arrowImage < 0 || e.arrowImage >= static_cast<int>(cursor.images.size())) continue;
        // Kept wholly on the screen, since a picture reaching past its edge is not drawn at all.
        const int x = std::clamp((e.left + e.right) / 2 - kArrowSize / 2, 0, kScreenWidth - kArrowSize);
        const int y = std::clamp((e.top + e.bottom) / 2 - kArrowSize / 2, 0, kScreenHeight - kArrowSize);
        DrawSprite(kArrowSize, kArrowSize, x, y, cursor.images[e.arrowImage], target);
    }
}

void DrawScene(const Location& location, const WorldObjects& objects, const Persons& persons, Surface& target,
               bool personAlways) {
    CopyFullScreen(location.background, target);
    for (int k = 0; k < 4; ++k) {
        const int slot = location.objectSlots[k];
        if (slot == -1) break;
        if (!IsValidObject(slot)) continue;
        const WorldObject& o = objects[slot];
        if (o.inScene) DrawSprite(o.width, o.height, o.x, o.y, o.image, target);
    }
    if (location.personIndex >= 0 && location.personIndex < kPersonCount) {
        const Person& p = persons[location.personIndex];
        if (p.present || personAlways) DrawSprite(p.width, p.height, p.x, p.y, p.standImage, target);
    }
}

}  // namespace vz
