// The real walk masks: from every way into a scene the hero reaches every point the game sends him to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "logic/dialogue.h"
#include "logic/rules.h"
#include "platform/sbf.h"
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
