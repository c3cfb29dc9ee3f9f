// Playing by keyboard alone: Tab and Shift+Tab between everything that answers a click, in reading
// order, and the whole story from the title to the credits with keys only.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "logic/dialogue.h"
#include "logic/stops.h"
#include "logic/story_map.h"
#include "shell/replay.h"
#include "support.h"

namespace vz::test {
namespace {

// What takes a click at the pointer in a scene: an object (0..22), the islander (100 + person), an
// exit (200 + its place), or nothing (-1), by the game's own hit tests in its own order.
int ThingAt(const World& w, int x, int y) {
    for (int k = 0; k < 4; ++k) {
        const int i = w.location.objectSlots[k];
        if (i == -1) break;
        if (IsValidObject(i) && ObjectUnderMouse(w.objects[i], x, y)) return i;
    }
    const int p = w.location.personIndex;
    if (p >= 0 && w.persons[p].present && PersonUnderMouse(w.persons[p], x, y)) return 100 + p;
    for (int e = 0; e < w.location.exitCount; ++e) {
        const Exit& x0 = w.location.exits[e];
        if (x0.left <= x && x < x0.right && x0.top < y && y < x0.bottom) return 200 + x0.targetLocation;
    }
    return -1;
}

std::set<int> ThingsInScene(const World& w) {
    std::set<int> things;
    for (int slot : w.location.objectSlots)
        if (slot >= 0 && w.objects[slot].inScene) things.insert(slot);
    const int p = w.location.personIndex;
    if (p >= 0 && w.persons[p].present) things.insert(100 + p);
    for (int e = 0; e < w.location.exitCount; ++e) things.insert(200 + w.location.exits[e].targetLocation);
    return things;
}

struct KeyboardTest : ::testing::Test {
    MemoryPlatform platform;
    std::unique_ptr<Game> game = StartedGame(platform);
    World& w = game->world;
    Story& s = game->story;

    // A key as a replay script presses it: down for a frame, up the next.
    void Key(const char* name) {
        ReplayCommand c;
        c.kind = CommandKind::Key;
        c.name = name;
        c.count = 1;
        // Enter and Backspace are clicks: they wait for the clicks' cooldown as a player would.
        if (c.name == "enter" || c.name == "backspace")
            while (w.input.clickCooldown > 1) Frame(*game, platform);
        for (const RawInput& f : FramesFor(c, w.input.mouseX, w.input.mouseY)) Frame(*game, platform, f);
    }
    Point Pointer() const { return {w.input.mouseX, w.input.mouseY}; }
    // Presses Tab until `on` holds; false when a whole round did not get there.
    bool TabTo(const std::function<bool()>& on) {
        for (int i = 0; i < 30 && !on(); ++i) Key("tab");
        return on();
    }
    // The things Tab puts the pointer on, one round from where the pointer is.
    std::vector<int> Round(const char* key = "tab") {
        std::vector<int> seen;
        for (int i = 0; i < 12; ++i) {
            Key(key);
            const int thing = ThingAt(w, w.input.mouseX, w.input.mouseY);
            if (!seen.empty() && thing == seen.front()) break;
            seen.push_back(thing);
        }
        return seen;
    }
};

TEST_F(KeyboardTest, TabReachesEverythingInEveryScenesReadingOrderAndShiftTabGoesBack) {
    StartNewGame(*game, platform);
    w.persons[kJim].present = 1;
    const std::vector<std::vector<int>> expected = {
        {kShip, 200 + kVillageScene, kRootPlant, 200 + kBarScene, kOcean},                          // the wreck
        {200 + kJungleScene, 100 + kKai, kSlipperyPlant, kSugar, 200 + kPalmScene, 200 + kShipScene},  // the bar
    };
    for (int scene = 0; scene < kLocationCount; ++scene) {
        EnterScene(*game, platform, scene);
        MoveTo(*game, platform, 500, 380);
        const std::vector<int> round = Round();
        // Every thing of the scene, once, each stop taken by its thing and by nothing drawn before it.
        EXPECT_EQ(std::set<int>(round.begin(), round.end()), ThingsInScene(w)) << "scene " << scene;
        EXPECT_EQ(round.size(), ThingsInScene(w).size()) << "scene " << scene;
        if (scene < static_cast<int>(expected.size())) {
            EXPECT_EQ(round, expected[scene]) << "scene " << scene;
        }
        std::vector<int> back = Round("shift-tab");
        std::reverse(back.begin(), back.end());
        EXPECT_EQ(back, round) << "scene " << scene;
    }
}

TEST_F(KeyboardTest, TabStepsThroughTheTitleTheInventoryAndAConversationsLines) {
    // The title's buttons top to bottom, round again.
    std::vector<Point> title;
    for (int i = 0; i < 4; ++i) {
        Key("tab");
        title.push_back(Pointer());
    }
    EXPECT_EQ(title[0].y, 430);
    EXPECT_EQ(title[1].y, 530);
    EXPECT_EQ(title[2].y, 630);
    EXPECT_EQ(title[3].y, 430);
    Key("shift-tab");
    EXPECT_EQ(Pointer().y, 630);
    Key("shift-tab");
    Key("shift-tab");
    Key("enter");  // the start button
    ASSERT_EQ(w.state, GameState::Play);

    // The inventory: its items row by row in the grid's order, then save and back.
    for (int item : {kChainsaw, kSugar, kCocktail, kCoconut, kLiane, kBottle, kSpade, kRoot, kLeaves, kEngine})
        w.carried[item] = 1;
    Key("i");
    ASSERT_EQ(w.state, GameState::InventoryScreen);
    std::vector<int> cells;
    for (int i = 0; i < 12; ++i) {
        Key("tab");
        cells.push_back(InGridArea(w.input.mouseX, w.input.mouseY)
                            ? CarriedItemInCell(w.carried, InventoryCellUnderMouse(w.input.mouseX, w.input.mouseY))
                            : -(w.input.mouseX / 100));
    }
    EXPECT_EQ(cells, (std::vector<int>{kChainsaw, kSugar, kCocktail, kCoconut, kLiane, kBottle, kSpade, kRoot, kLeaves,
                                       kEngine, -2, -6}));  // save at x 290, back at x 690
    Key("enter");  // back
    EXPECT_EQ(w.state, GameState::Play);

    // Kai's menu: its three lines, top to bottom, each then shown as chosen.
    EnterScene(*game, platform, kBarScene);
    Key("backspace"), Key("backspace"), Key("backspace");  // Walk, Take, Look, Talk
    ASSERT_EQ(w.cursor.verb, kTalk);
    ASSERT_TRUE(TabTo([&] { return ThingAt(w, w.input.mouseX, w.input.mouseY) == 100 + kKai; }));
    Key("enter");
    ASSERT_GE(RunUntil(*game, platform, [&] { return w.state == GameState::Dialogue; }), 0);
    for (int k = 0; k < 4; ++k) {
        Key("tab");
        EXPECT_EQ(w.input.mouseY, ChoiceLineY(k % 3) + 10) << k;
    }
}

// Does the hint's exact action with keys alone: Tab onto it, Backspace for the verb, Enter; I for
// the inventory.
struct KeyboardStory : KeyboardTest {
    bool On(int thing) { return ThingAt(w, w.input.mouseX, w.input.mouseY) == thing; }
    bool OnItem(int item) {
        return InGridArea(w.input.mouseX, w.input.mouseY) &&
               CarriedItemInCell(w.carried, InventoryCellUnderMouse(w.input.mouseX, w.input.mouseY)) == item;
    }
    bool Verb(int verb) {
        for (int i = 0; i < 4 && w.cursor.verb != verb; ++i) Key("backspace");
        return w.cursor.verb == verb;
    }
    // Lifts a carried item onto the pointer in the inventory, and leaves it open.
    bool Lift(int item) {
        Key("i");
        return w.state == GameState::InventoryScreen && TabTo([&] { return OnItem(item); }) && Verb(kTake) &&
               (Key("enter"), s.heldItem == item);
    }
    // Waits while the game plays on by itself: walking, a scene, a text on show.
    void Settle() {
        RunUntil(*game, platform, [&] {
            const bool text = s.messageTimer != 0;
            return w.state == GameState::Ending || (w.state == GameState::Play && !text) ||
                   (w.state == GameState::InventoryScreen && !text) ||
                   (w.state == GameState::Dialogue && s.selectedChoice == -1 && !text);
        }, 2000);
    }
    bool Do(const StoryAction& a) {
        const int target = a.person ? 100 + a.target : a.target;
        switch (a.kind) {
            case StoryAction::Exit:
                if (!TabTo([&] { return On(200 + a.target); })) return false;
                break;
            case StoryAction::Take:
            case StoryAction::Look:
            case StoryAction::Talk: {
                const int verb = a.kind == StoryAction::Take ? kTake : a.kind == StoryAction::Look ? kLook : kTalk;
                if (!TabTo([&] { return On(target); }) || !Verb(verb)) return false;
                break;
            }
            case StoryAction::Use:
                if (!Lift(a.item)) return false;
                Key("i");
                if (!TabTo([&] { return On(target); })) return false;
                break;
            case StoryAction::Combine:
                if (!Lift(a.item) || !TabTo([&] { return OnItem(a.target); })) return false;
                break;
            case StoryAction::Say: {
                int k = 0;
                for (int c = 0; c < a.target; ++c) k += s.trees[a.item].choices[c].available;
                if (!TabTo([&] { return w.input.mouseY == ChoiceLineY(k) + 10; })) return false;
                break;
            }
            case StoryAction::None: return false;
        }
        Key("enter");
        Settle();
        if (w.state == GameState::InventoryScreen) Key("i");
        return true;
    }
};

TEST_F(KeyboardStory, TheWholeStoryFromTheTitleToTheCreditsWithKeysAloneFollowingTheHints) {
    ASSERT_TRUE(TabTo([&] { return w.input.mouseY == 430; }));  // the start button
    Key("enter");
    ASSERT_EQ(w.state, GameState::Play);
    StoryMap map;
    const int shortest = map.Distance(KeyOf(w, s, -1), s);
    int actions = 0;
    while (w.state != GameState::Ending && actions < 100) {
        for (int level = 0; level < kHintLevels; ++level) Key("h");
        ASSERT_EQ(s.hintLevel, kHintLevels);
        Key("enter");  // what the hint says is read; the click that ends it does nothing else
        ASSERT_TRUE(Do(s.hintAction)) << "action " << actions << ": " << s.hintText;
        ++actions;
    }
    EXPECT_EQ(w.state, GameState::Ending);
    EXPECT_EQ(actions, shortest);  // every hint a step of a shortest way
    EXPECT_GE(RunUntil(*game, platform, [&] { return game->quitRequested; }, 500), kEndingFrames - 10);
}

}  // namespace
}  // namespace vz::test
