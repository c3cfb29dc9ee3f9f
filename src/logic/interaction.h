// What a left click does: verbs on objects, persons and carried items, and the responses they show.
#pragma once

#include "logic/story.h"

namespace vz {

FrameEnd PlayFrame(World& world, Story& story);
// The inventory panel's frame: buttons, grid, names, verbs on items and combinations.
FrameEnd InventoryFrame(World& world, Story& story);
FrameEnd WalkToObjectFrame(World& world, Story& story);

// The verb under the cursor applied to a scene object or to the location's person.
void VerbOnObject(World& world, Story& story, int object);
void VerbOnPerson(World& world, Story& story, int person);

}  // namespace vz
