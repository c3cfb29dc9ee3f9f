// The object table and the object record's constructor, hover test and label.
#include "world/objects.h"

#include "platform/sbf.h"

namespace vz {

// inScene, takeable, height, width, x, y, walkX, walkY, facing, textX, textY, sceneScript,
// name, lookText, takeText, useText, talkText, scene picture, inventoryHeight, inventoryWidth, inventory picture
const ObjectRow kObjectTable[kObjectCount] = {
    {0, 1, 50, 80, 40, 202, 60, 220, 0, 30, 200, -1, "a chainsaw", "a chainsaw powered by solar energy", "", "I don't want to saw that", "No", "", 50, 80, "images/objects/a.sbf"},  // 0 a chainsaw
    {1, 0, 140, 280, 40, 300, 400, 150, 3, 420, 340, 0, "a ship", "a broken-down ship", "It's useless", "", "No thanks", "images/objects/b.sbf", 0, 0, ""},  // 1 a ship
    {1, 1, 54, 80, 800, 500, 700, 370, 1, 800, 450, -1, "sugar", "always nice to have", "", "That doesn't have to be sweet", "Sugar is bad for#the teeth", "images/objects/c_en.sbf", 54, 80, "images/objects/c_en.sbf"},  // 2 sugar
    {0, 0, 80, 40, 500, 300, 0, 0, 0, 0, 0, -1, "a cocktail", "a cocktail from Kai", "", "That would be a waste", "I don't wanna drink that", "", 80, 40, "images/objects/d.sbf"},  // 3 a cocktail
    {0, 0, 80, 40, 500, 300, 0, 0, 0, 0, 0, -1, "a cocktail", "It's sweet now", "", "No", "I don't wanna drink that", "", 80, 40, "images/objects/e.sbf"},  // 4 a cocktail
    {1, 0, 60, 60, 230, 230, 200, 380, 0, 260, 370, -1, "a coconut", "a giant coconut", "I can't reach it", "That's useless", "I don't wanna eat that", "images/objects/f.sbf", 60, 60, "images/objects/f.sbf"},  // 5 a coconut
    {1, 1, 120, 20, 340, 90, 260, 50, 1, 330, 250, -1, "a liane", "a long liane", "", "That's useless", "No", "images/objects/g.sbf", 80, 20, "images/objects/g_inv.sbf"},  // 6 a liane
    {1, 1, 62, 108, 540, 500, 480, 320, 1, 640, 490, -1, "a bottle", "an empty bottle", "", "That doesn't work", "It's empty", "images/objects/h.sbf", 46, 80, "images/objects/h_inv.sbf"},  // 7 a bottle
    {0, 1, 120, 68, 330, 460, 410, 280, 3, 330, 440, -1, "a spade", "a small spade", "", "I can't dig there", "No", "images/objects/i.sbf", 80, 44, "images/objects/i_inv.sbf"},  // 8 a spade
    {1, 1, 182, 140, 420, 355, 440, 250, 3, 550, 425, 1, "a plant", "It has solid leaves", "I have already some", "That's useless", "I don't wanna eat that", "images/objects/j.sbf", 0, 0, ""},  // 9 leaf plant
    {0, 0, 56, 64, 100, 100, 0, 0, 0, 20, 20, -1, "a root", "Shall be somniferous", "", "That's useless", "I don't want to sleep", "", 56, 64, "images/objects/k.sbf"},  // 10 a root
    {1, 0, 140, 88, 800, 450, 720, 280, 0, 760, 390, -1, "a plant", "The root can be used#as a sleeping pill", "It's to deep in the earth", "", "No", "images/objects/l.sbf", 0, 0, ""},  // 11 root plant
    {0, 0, 50, 80, 20, 20, 10, 10, 0, 10, 10, -1, "leaves", "big solid leaves", "", "That's useless", "I don't wanna eat that", "", 50, 80, "images/objects/m.sbf"},  // 12 leaves
    {1, 0, 132, 124, 40, 400, 10, 10, 0, 50, 370, -1, "a plant", "A plant with slippery leaves", "I don't want it", "", "No", "images/objects/n.sbf", 0, 0, ""},  // 13 slippery plant
    {1, 0, 134, 260, 550, 270, 580, 270, 1, 580, 250, -1, "a raft", "a small raft", "Better ask for it", "That's useless", "No", "images/objects/o.sbf", 42, 80, "images/objects/o_inv.sbf"},  // 14 a raft
    {0, 0, 80, 80, 10, 10, 20, 20, 0, 580, 230, -1, "an engine", "a nice outboard motor", "", "Not there", "No", "", 80, 80, "images/objects/p.sbf"},  // 15 an engine
    {0, 0, 42, 80, 10, 10, 10, 10, 0, 10, 10, -1, "a motorized raft", "A raft with an outboard motor", "", "No", "No", "", 42, 80, "images/objects/q.sbf"},  // 16 a motorized raft
    {1, 0, 124, 92, 500, 400, 400, 350, 1, 500, 370, -1, "a monkey", "There is a monkey in every adventure game", "I can't grab him", "No", "Animals cannot speak", "images/objects/r.sbf", 0, 0, ""},  // 17 a monkey
    {0, 0, 124, 92, 500, 400, 400, 350, 1, 500, 370, -1, "sleeping monkey", "He sleeps now", "When he awakes, he'll is gone", "No", "No", "images/objects/s.sbf", 80, 60, "images/objects/s_inv.sbf"},  // 18 sleeping monkey
    {0, 1, 124, 92, 500, 400, 400, 350, 1, 500, 370, -1, "a leashed monkey", "He can't run away now", "", "No", "No", "images/objects/t.sbf", 80, 60, "images/objects/t_inv.sbf"},  // 19 a leashed monkey
    {0, 0, 60, 60, 10, 10, 10, 10, 1, 10, 10, -1, "sleeping pill", "I'm curious if it works", "", "No", "I don't want to sleep", "", 60, 60, "images/objects/u.sbf"},  // 20 sleeping pill
    {1, 0, 100, 200, 120, 667, 250, 500, 1, 260, 630, -1, "the ocean", "The ocean - tons of water", "I can't swim", "", "I can't drink that", "images/objects/v.sbf", 0, 0, ""},  // 21 the ocean
    {0, 0, 90, 300, 20, 430, 10, 10, 1, 70, 400, -1, "Jim", "He sleeps now", "I better don't disturb him", "", "I don't want to awake him", "images/objects/w.sbf", 0, 0, ""},  // 22 sleeping Jim
};
static_assert(sizeof(kObjectTable) / sizeof(kObjectTable[0]) == kObjectCount);

void InitWorldObject(WorldObject& o, Files& files, const ObjectRow& row) {
    o.inScene = row.inScene;
    o.takeable = row.takeable;
    o.height = row.height;
    o.width = row.width;
    o.x = row.x;
    o.y = row.y;
    o.walkX = row.walkX;
    o.walkY = row.walkY;
    o.facing = row.facing;
    o.textX = row.textX;
    o.textY = row.textY;
    o.sceneScript = row.sceneScript;
    o.inventoryHeight = row.inventoryHeight;
    o.inventoryWidth = row.inventoryWidth;
    if (row.image[0] != '\0') o.image = LoadPicture(files, row.image, o.width, o.height);
    if (row.inventoryImage[0] != '\0')
        o.inventoryImage = LoadPicture(files, row.inventoryImage, o.inventoryWidth, o.inventoryHeight);
    CopyText(o.name, row.name);
    CopyText(o.lookText, row.lookText);
    CopyText(o.takeText, row.takeText);
    CopyText(o.useText, row.useText);
    CopyText(o.talkText, row.talkText);
}

void InitWorldObjects(WorldObjects& objects, Files& files) {
    for (int i = 0; i < kObjectCount; ++i) InitWorldObject(objects[i], files, kObjectTable[i]);
}

bool ObjectUnderMouse(const WorldObject& o, int mouseX, int mouseY) {
    return o.inScene && o.x < mouseX && mouseX < o.x + o.width && o.y < mouseY && mouseY < o.y + o.height;
}

void DrawObjectLabel(const WorldObject& o, Surface& target, const Fonts& fonts) {
    DrawBitmapText(TextLeftInsideScreen(o.textX, false, o.name), o.textY, false, 0, target, o.name, fonts);
}

bool IsValidObject(int index) { return index >= 0 && index < kObjectCount; }

}  // namespace vz
