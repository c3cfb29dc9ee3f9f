// The explorer's hands: pointer moves, presses and the waiting a player does between them.
#include "driver.h"

namespace vz::explore {

namespace {

constexpr int kSettleFrames = 4000;  // far more than any scene or conversation needs
constexpr Point kPanelTop{500, kMouseMinY};
constexpr Point kBackButton{690, 605};

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

void Driver::Key(const RawInput& key) {
    Frame(key);
    Frame();
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
