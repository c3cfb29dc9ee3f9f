// The explorer's hands: pointer moves, presses and the waiting a player does between them.
#include "driver.h"

#include <cstdlib>

namespace vz::explore {

namespace {

constexpr int kSettleFrames = 4000;  // far more than any scene or conversation needs
constexpr Point kPanelTop{500, kMouseMinY};
constexpr Point kBackButton{690, 605};
constexpr int kInventoryBand = 20;

bool PointerCanBe(int x, int y) {
    return kMouseMinX <= x && x <= kMouseMaxX && kInventoryBand <= y && y <= kMouseMaxY;
}

bool OverExit(const Location& location, int x, int y) {
    for (int i = 0; i < location.exitCount; ++i) {
        const Exit& e = location.exits[i];
        if (e.left <= x && x < e.right && e.top < y && y < e.bottom) return true;
    }
    return false;
}

// The object that takes a click at (x, y): the first under the pointer in slot order.
int ObjectAt(const World& world, int x, int y) {
    for (int k = 0; k < 4; ++k) {
        const int i = world.location.objectSlots[k];
        if (i == -1) break;
        if (IsValidObject(i) && world.objects[i].inScene && ObjectUnderMouse(world.objects[i], x, y)) return i;
    }
    return -1;
}

}  // namespace

void Driver::Frame(const RawInput& input) {
    platform_.SetFrameInput(input);
    RunFrame(game_, platform_, false);
    ++frames;
    Hero& hero = game_.world.hero;
    hero.x = hero.targetX;
    hero.y = hero.targetY;
}

void Driver::MoveTo(int x, int y) {
    RawInput r;
    r.dx = x - game_.world.input.mouseX;
    r.dy = y - game_.world.input.mouseY;
    Frame(r);
}

void Driver::Press(bool right) {
    // Each poll counts the cooldown down; the press must meet a poll that finds it run out.
    while (game_.world.input.clickCooldown > 1) Frame();
    RawInput r;
    (right ? r.right : r.left) = true;
    Frame(r);
}

bool Driver::SetVerb(int verb) {
    for (int i = 0; i < 4 && game_.world.cursor.verb != verb; ++i) Press(true);
    return game_.world.cursor.verb == verb;
}

Rest Driver::Settle() {
    const World& w = game_.world;
    const Story& s = game_.story;
    for (int n = 0; n < kSettleFrames && !game_.quitRequested; ++n) {
        bool answer = false;  // something on show that a click ends
        switch (w.state) {
            case GameState::Ending: return Rest::Ending;
            case GameState::Play:
                if (s.messageTimer == 0) return Rest::Play;
                answer = true;
                break;
            case GameState::InventoryScreen:
                if (s.messageTimer == 0) return Rest::Panel;
                answer = true;
                break;
            case GameState::Dialogue:
                if (s.selectedChoice == -1) return Rest::Menu;
                answer = true;
                break;
            default:
                break;  // walking, a scene or a one-pass state: it goes on by itself
        }
        // A press only where the click will be taken, so it can never act on what lies below.
        if (answer && w.input.clickCooldown <= 1)
            Frame(RawInput{.left = true});
        else
            Frame();
    }
    return Rest::Stuck;
}

void Driver::OpenPanel() { MoveTo(kPanelTop.x, kPanelTop.y); }

bool Driver::PickUp(int item) {
    if (!SetVerb(kTake)) return false;
    OpenPanel();
    if (game_.world.state != GameState::InventoryScreen) return false;
    const Point c = CellOf(game_.world, item);
    MoveTo(c.x, c.y);
    Press();
    return game_.story.heldItem == item;
}

void Driver::LeavePanel() {
    MoveTo(kBackButton.x, kBackButton.y);
    Press();
}

bool PointAt(const World& world, int object, bool person, Point& point) {
    int left, top, width, height;
    if (person) {
        const Person& p = world.persons[object];
        left = p.x, top = p.y, width = p.width, height = p.height;
    } else {
        const WorldObject& o = world.objects[object];
        left = o.x, top = o.y, width = o.width, height = o.height;
    }
    auto takes = [&](int x, int y) {
        if (!PointerCanBe(x, y)) return false;
        if (person) return ObjectAt(world, x, y) == -1 && PersonUnderMouse(world.persons[object], x, y);
        return ObjectAt(world, x, y) == object;
    };
    // Nearest the middle first; a point over an exit only when there is no other.
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

bool ExitPoint(const Exit& e, Point& point) {
    for (int y = (e.top + e.bottom) / 2; y > e.top; --y) {
        for (int x = (e.left + e.right) / 2; x >= e.left; --x) {
            if (PointerCanBe(x, y)) {
                point = {x, y};
                return true;
            }
        }
    }
    return false;
}

Point CellOf(const World& world, int item) {
    int k = 0;
    for (int i = 0; i < item; ++i) k += world.carried[i] ? 1 : 0;
    return InventoryCellCentre(k);
}

std::vector<int> VisibleObjects(const World& world) {
    std::vector<int> v;
    for (int k = 0; k < 4; ++k) {
        const int i = world.location.objectSlots[k];
        if (i == -1) break;
        if (IsValidObject(i) && world.objects[i].inScene) v.push_back(i);
    }
    return v;
}

int VisiblePerson(const World& world) {
    const int p = world.location.personIndex;
    return (p >= 0 && p < kPersonCount && world.persons[p].present) ? p : -1;
}

std::vector<int> CarriedItems(const World& world) {
    std::vector<int> v;
    for (int i = 0; i < kObjectCount; ++i)
        if (world.carried[i]) v.push_back(i);
    return v;
}

}  // namespace vz::explore
