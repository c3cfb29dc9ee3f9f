// Where the keyboard puts the pointer: every thing on screen that answers a click, in reading order.
#pragma once

#include <vector>

#include "logic/story.h"

namespace vz {

// One thing that answers a click: where the pointer goes so that a click reaches it, and the area it
// answers in (by which the stops are put in order, and the pointer is found on one).
struct PointerStop {
    Point at;
    int left, top, right, bottom;  // right and bottom exclusive
};

// A scene's visible objects, its islander when he is there, and its exits at their arrows.
std::vector<PointerStop> SceneStops(const World& world);
// The inventory's carried items and its two buttons.
std::vector<PointerStop> PanelStops(const World& world);
// The lines of `person`'s conversation menu.
std::vector<PointerStop> MenuStops(const World& world, const Story& story, int person);

// Reading order: rows top to bottom, left to right in a row. A stop belongs to a row when its point
// lies within the height of the row's first stop.
void PutInReadingOrder(std::vector<PointerStop>& stops);

// The stop Tab (step 1) or Shift+Tab (step -1) goes to with the pointer at (x, y): the one after (or
// before) the stop the pointer is on, round the ends; the first (or last) when it is on none. -1
// when there are no stops.
int NextStop(const std::vector<PointerStop>& stops, int x, int y, int step);

// Where a click reaches an object of the scene (or, with `person`, the location's islander) and
// nothing drawn before it: inside it, nearest its middle, clear of the exits where it can be.
bool ClickPoint(const World& world, int index, bool person, Point& at);
// Where a click takes an exit: its arrow's spot, or the point nearest it that no object covers.
bool ExitClickPoint(const World& world, const Exit& exit, Point& at);

}  // namespace vz
