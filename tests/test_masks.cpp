// The real walk masks: from every way into a scene the hero reaches every point the game sends him to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "logic/dialogue.h"
#include "logic/rules.h"
#include "platform/sbf.h"
#include "shell/savegame.h"
#include "world/hero.h"
#include "world/location.h"

using namespace vz;

namespace {

void AddOnce(std::vector<Point>& points, Point p) {
    for (const Point& q : points)
        if (q.x == p.x && q.y == p.y) return;
    points.push_back(p);
}

bool InSomeCombination(int object) {
    for (const CombinationRule& rule : kCombinationTable)
        if (rule.firstItem == object || rule.secondItem == object) return true;
    return false;
}

// Where the hero enters the scene: the exits leading here, and in the ship scene the start of a new game.
std::vector<Point> Starts(int location) {
    std::vector<Point> starts;
    if (location == kShipScene) AddOnce(starts, {kHeroStartX, kHeroStartY});
    for (const ExitRow& row : kExitTable)
        if (row.exit.targetLocation == location) AddOnce(starts, {row.exit.entryX, row.exit.entryY});
    return starts;
}

// Where the game sends him: objects he takes, searches or uses an item on, and the conversation's stand point.
std::vector<Point> Targets(int location) {
    std::vector<Point> targets;
    for (int slot : kLocationTable[location].objectSlots) {
        if (slot == -1) continue;
        const ObjectRow& o = kObjectTable[slot];
        // the raft becomes takeable, and the motor's target, once the native woman hands it over
        if (o.takeable || o.sceneScript >= 0 || InSomeCombination(slot) || slot == kRaft)
            AddOnce(targets, {o.walkX, o.walkY});
    }
    const int person = kLocationTable[location].personIndex;
    if (person >= 0) AddOnce(targets, {kDialogueTable[person].standX, kDialogueTable[person].standY});
    return targets;
}

}  // namespace

TEST(SceneMasks, EveryTargetIsReachedFromEveryEntry) {
    Files files;  // the pictures built into images/
    for (int location = 0; location < kLocationCount; ++location) {
        WalkMask mask{};
        ASSERT_TRUE(LoadWalkMask(files, kLocationTable[location].walkMask, mask)) << kLocationTable[location].walkMask;
        const std::vector<Point> starts = Starts(location);
        EXPECT_FALSE(starts.empty()) << "no way into location " << location;
        for (const Point& start : starts) {
            for (const Point& target : Targets(location)) {
                Hero h;
                h.x = start.x, h.y = start.y;
                h.targetX = target.x, h.targetY = target.y;
                for (int frame = 0; frame < 1000 && !HeroArrived(h); ++frame) StepHero(h, mask);
                EXPECT_TRUE(HeroArrived(h));
                EXPECT_TRUE(std::abs(h.x - target.x) <= 10 && std::abs(h.y - target.y) <= 10)
                    << kLocationTable[location].walkMask << ": from (" << start.x << ", " << start.y << ") to ("
                    << target.x << ", " << target.y << ") he gave up at (" << h.x << ", " << h.y << ")";
            }
        }
    }
}

// A saved game refuses a hero the game could not have put there; every place it does put him,
// walking from any way into a scene to any point it sends him to, or as far as his clamps let him
// go on open ground, must load again.
TEST(SceneMasks, EveryPlaceTheWalkTakesHimCanBeSaved) {
    Files files;
    for (int location = 0; location < kLocationCount; ++location) {
        WalkMask mask{};
        ASSERT_TRUE(LoadWalkMask(files, kLocationTable[location].walkMask, mask));
        for (const Point& start : Starts(location)) {
            EXPECT_TRUE(HeroCanStandAt(start.x, start.y)) << start.x << ", " << start.y;
            for (const Point& target : Targets(location)) {
                Hero h;
                h.x = start.x, h.y = start.y;
                h.targetX = target.x, h.targetY = target.y;
                for (int frame = 0; frame < 1000 && !HeroArrived(h); ++frame) {
                    StepHero(h, mask);
                    ASSERT_TRUE(HeroCanStandAt(h.x, h.y)) << "location " << location << ": " << h.x << ", " << h.y;
                }
            }
        }
    }
    // On open ground, clicks at the screen's corners take him exactly to the edges of that room.
    const WalkMask open{};
    const std::pair<Point, Point> corners[] = {
        {{0, 0}, {10, 10}}, {{1023, 767}, {900, 460}}, {{0, 767}, {10, 460}}, {{1023, 0}, {900, 10}}};
    for (const auto& [click, end] : corners) {
        Hero h;
        SetWalkTargetFromClick(h, click.x, click.y, open);
        for (int frame = 0; frame < 1000 && !HeroArrived(h); ++frame) StepHero(h, open);
        EXPECT_EQ(h.x, end.x) << click.x << ", " << click.y;
        EXPECT_EQ(h.y, end.y) << click.x << ", " << click.y;
        EXPECT_TRUE(HeroCanStandAt(h.x, h.y));
    }
    for (auto [x, y] : {std::pair{905, 300}, {450, 465}, {4, 300}, {450, 0}, {452, 300}, {450, 303}})
        EXPECT_FALSE(HeroCanStandAt(x, y)) << x << ", " << y;
}
