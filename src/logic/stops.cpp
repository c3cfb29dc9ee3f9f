// The pointer's stops in a scene, the inventory and a conversation's menu, and stepping between them.
#include "logic/stops.h"

#include <algorithm>
#include <cstdlib>

#include "logic/dialogue.h"

namespace vz {

namespace {

constexpr int kInventoryBand = 20;  // the pointer above this row of a scene opens the inventory
constexpr int kCell = 100;
constexpr int kChoiceLineHeight = 20;
constexpr int kChoiceTextX = 20;
constexpr int kPastTheLine = 24;  // the pointer stands just after a line, not over its words

// Where the pointer may be in a scene without opening the inventory.
bool PointerCanBe(int x, int y) {
    return kMouseMinX <= x && x <= kMouseMaxX && kInventoryBand <= y && y <= kMouseMaxY;
}

bool OverExit(const Location& location, int x, int y) {
    for (int i = 0; i < location.exitCount && i < 4; ++i) {
        const Exit& e = location.exits[i];
        if (e.left <= x && x < e.right && e.top < y && y < e.bottom) return true;
    }
    return false;
}

// The object that takes a click at (x, y): the first under the pointer in slot order; -1 for none.
int ObjectAt(const World& world, int x, int y) {
    for (int k = 0; k < 4; ++k) {
        const int i = world.location.objectSlots[k];
        if (i == -1) break;
        if (IsValidObject(i) && world.objects[i].inScene && ObjectUnderMouse(world.objects[i], x, y)) return i;
    }
    return -1;
}

int PresentPerson(const World& world) {
    const int p = world.location.personIndex;
    return p >= 0 && p < kPersonCount && world.persons[p].present ? p : -1;
}

// Nothing drawn in the scene takes a click at (x, y) before an exit there would.
bool Bare(const World& world, int x, int y) {
    if (ObjectAt(world, x, y) != -1) return false;
    const int p = PresentPerson(world);
    return p < 0 || !PersonUnderMouse(world.persons[p], x, y);
}

}  // namespace

bool ClickPoint(const World& world, int index, bool person, Point& point) {
    int left, top, width, height;
    if (person) {
        const Person& p = world.persons[index];
        left = p.x, top = p.y, width = p.width, height = p.height;
    } else {
        const WorldObject& o = world.objects[index];
        left = o.x, top = o.y, width = o.width, height = o.height;
    }
    auto takes = [&](int x, int y) {
        if (!PointerCanBe(x, y)) return false;
        if (person) return ObjectAt(world, x, y) == -1 && PersonUnderMouse(world.persons[index], x, y);
        return ObjectAt(world, x, y) == index;
    };
    // Nearest the middle first; a point over an exit only when there is no other, since the exit's
    // arrow would take the verb's place.
    const int cx = left + width / 2, cy = top + height / 2;
    bool found = false;
    int best = 0;
    for (int pass = 0; pass < 2 && !found; ++pass) {
        for (int y = top + 1; y < top + height; y += 2) {
            for (int x = left + 1; x < left + width; x += 2) {
                if (!takes(x, y) || (pass == 0 && OverExit(world.location, x, y))) continue;
                const int d = std::abs(x - cx) + std::abs(y - cy);
                if (!found || d < best) point = {x, y}, best = d, found = true;
            }
        }
    }
    return found;
}

bool ExitClickPoint(const World& world, const Exit& e, Point& point) {
    auto takes = [&](int x, int y) {
        return e.left <= x && x < e.right && e.top < y && y < e.bottom && PointerCanBe(x, y) && Bare(world, x, y);
    };
    // The arrow stands in the middle of the exit; where something covers that, the nearest point.
    const int cx = (e.left + e.right) / 2, cy = (e.top + e.bottom) / 2;
    if (takes(cx, cy)) {
        point = {cx, cy};
        return true;
    }
    bool found = false;
    int best = 0;
    for (int y = e.top + 1; y < e.bottom; y += 2) {
        for (int x = e.left; x < e.right; x += 2) {
            if (!takes(x, y)) continue;
            const int d = std::abs(x - cx) + std::abs(y - cy);
            if (!found || d < best) point = {x, y}, best = d, found = true;
        }
    }
    return found;
}

std::vector<PointerStop> SceneStops(const World& world) {
    std::vector<PointerStop> stops;
    for (int k = 0; k < 4; ++k) {
        const int i = world.location.objectSlots[k];
        if (i == -1) break;
        if (!IsValidObject(i) || !world.objects[i].inScene) continue;
        const WorldObject& o = world.objects[i];
        Point at;
        if (ClickPoint(world, i, false, at)) stops.push_back({at, o.x, o.y, o.x + o.width, o.y + o.height});
    }
    if (const int p = PresentPerson(world); p >= 0) {
        const Person& person = world.persons[p];
        Point at;
        if (ClickPoint(world, p, true, at))
            stops.push_back({at, person.x, person.y, person.x + person.width, person.y + person.height});
    }
    for (int i = 0; i < world.location.exitCount && i < 4; ++i) {
        const Exit& e = world.location.exits[i];
        Point at;
        if (ExitClickPoint(world, e, at)) stops.push_back({at, e.left, e.top + 1, e.right, e.bottom});
    }
    PutInReadingOrder(stops);
    return stops;
}

std::vector<PointerStop> PanelStops(const World& world) {
    std::vector<PointerStop> stops;
    int k = 0;
    for (int i = 0; i < kObjectCount; ++i) {
        if (!world.carried[i]) continue;
        const Point c = InventoryCellCentre(k++);
        stops.push_back({c, c.x - kCell / 2 + 1, c.y - kCell / 2 + 1, c.x + kCell / 2, c.y + kCell / 2});
    }
    const InventoryPanel& panel = world.panel;
    for (Point corner : {Point{panel.saveX, panel.saveY}, Point{panel.backX, panel.backY}}) {
        const Point middle{corner.x + panel.buttonWidth / 2, corner.y + panel.buttonHeight / 2};
        stops.push_back({middle, corner.x, corner.y, corner.x + panel.buttonWidth, corner.y + panel.buttonHeight});
    }
    PutInReadingOrder(stops);
    return stops;
}

std::vector<PointerStop> MenuStops(const World& world, const Story& story, int person) {
    (void)world;
    std::vector<PointerStop> stops;
    if (person < 0 || person >= kPersonCount) return stops;
    const DialogueTree& tree = story.trees[person];
    int k = 0;
    for (int i = 0; i < tree.choiceCount && i < 5; ++i) {
        if (!tree.choices[i].available) continue;
        const int y = ChoiceLineY(k++);
        const int x = std::min(kChoiceTextX + BitmapTextWidth(false, tree.choices[i].text) + kPastTheLine, kMouseMaxX);
        stops.push_back({{x, y + kChoiceLineHeight / 2}, 0, y + 1, kScreenWidth, y + kChoiceLineHeight});
    }
    return stops;
}

void PutInReadingOrder(std::vector<PointerStop>& stops) {
    std::stable_sort(stops.begin(), stops.end(),
                     [](const PointerStop& a, const PointerStop& b) { return a.at.y < b.at.y; });
    std::vector<PointerStop> ordered;
    std::vector<char> placed(stops.size(), 0);
    for (size_t first = 0; first < stops.size(); ++first) {
        if (placed[first]) continue;
        std::vector<PointerStop> row;
        for (size_t j = first; j < stops.size(); ++j) {
            if (placed[j] || stops[j].at.y < stops[first].top || stops[j].at.y >= stops[first].bottom) continue;
            placed[j] = 1;
            row.push_back(stops[j]);
        }
        if (!placed[first]) {  // a stop whose point lies outside its own area still comes
            placed[first] = 1;
            row.push_back(stops[first]);
        }
        std::stable_sort(row.begin(), row.end(),
                         [](const PointerStop& a, const PointerStop& b) { return a.at.x < b.at.x; });
        ordered.insert(ordered.end(), row.begin(), row.end());
    }
    stops = std::move(ordered);
}

int NextStop(const std::vector<PointerStop>& stops, int x, int y, int step) {
    const int n = static_cast<int>(stops.size());
    if (n == 0 || step == 0) return -1;
    int on = -1;
    for (int i = 0; i < n && on < 0; ++i)
        if (stops[i].at.x == x && stops[i].at.y == y) on = i;
    for (int i = 0; i < n && on < 0; ++i)
        if (stops[i].left <= x && x < stops[i].right && stops[i].top <= y && y < stops[i].bottom) on = i;
    if (on < 0) return step > 0 ? 0 : n - 1;
    return ((on + step) % n + n) % n;
}

}  // namespace vz
