// The story explorer: it finds every way into a dead end and every lost item, with the shortest
// list of actions, and finds none where the story can always be finished.
#include <gtest/gtest.h>

#include <memory>

#include "explorer.h"
#include "logic/story_map.h"

namespace vz::explore {
namespace {

// Late in the story, in the palm beach: the leashed monkey and the engine are carried, the coconut
// still hangs in the palm, and Jim sleeps. Three hand-overs and combinations are left to the end.
SaveRecord LateInTheStory(const Game& title) {
    Game g = title;
    World& w = g.world;
    w.locationIndex = kPalmScene;
    w.hero.x = 300, w.hero.y = 400;
    for (int item : {kLeashedMonkey, kEngine, kSugar, kSpade}) w.carried[item] = 1;
    for (int gone : {kMonkey, kSleepingMonkey, kLeashedMonkey, kRootPlant, kLiane, kSugar, kSpade})
        w.objects[gone].inScene = 0;
    w.objects[kSleepingJim].inScene = 1;
    w.persons[kJim].present = 0;
    w.objects[kShip].sceneScript = -1;
    w.objects[kLeafPlant].sceneScript = -1;
    w.objects[kLeafPlant].takeable = 0;
    g.story.trees[kKai].choices[1].available = 0;
    return GatherSaveRecord(w, g.story);
}

struct ExploreTest : ::testing::Test {
    ExplorePlatform platform;
    std::unique_ptr<Game> title = std::make_unique<Game>(StartedGame(platform));
};

TEST_F(ExploreTest, ALateStoryCanBeFinishedFromEveryStateItReaches) {
    const SaveRecord start = LateInTheStory(*title);
    const Report r = Explore(*title, platform, &start);
    EXPECT_TRUE(r.endingReached);
    EXPECT_TRUE(r.deadEnds.empty());
    EXPECT_TRUE(r.losses.empty());
    EXPECT_TRUE(r.faults.empty());
    // Seven places, the coconut fetched or not, given or not, the raft and its engine... but far
    // fewer states than a whole game.
    EXPECT_GT(r.storyStates, 7u * 3u);
    EXPECT_LT(r.storyStates, 2000u);
    EXPECT_GT(r.actions, r.storyStates * 10);

    // Every state's hint takes a shortest way, and following the hints alone ends the game.
    EXPECT_TRUE(r.badHints.empty());
    EXPECT_EQ(r.hintStates, r.storyStates);
    EXPECT_GT(r.hintMost, 3);
    // The hints' map of the story knows exactly the states the explorer played its way to.
    Game loaded = *title;
    SpreadSaveRecord(start, loaded.world, loaded.story, platform);
    StoryMap map;
    EXPECT_GT(map.Distance(KeyOf(loaded.world, loaded.story, -1), loaded.story), 0);
    EXPECT_EQ(map.Size(), r.storyStates + r.menuStates);
}

TEST_F(ExploreTest, AnItemUsedUpForNothingIsNamedWithTheShortestWayToLoseIt) {
    // The monkey fetches the coconut and is used up by it: nothing needs him any more, so this is
    // no dead end, but he leaves the game with nothing in exchange.
    title->story.combinations[6].keepFirst = 0;
    const SaveRecord start = LateInTheStory(*title);
    const Report r = Explore(*title, platform, &start);
    EXPECT_TRUE(r.endingReached);
    EXPECT_TRUE(r.deadEnds.empty());
    ASSERT_EQ(r.losses.size(), 1u);
    EXPECT_NE(r.losses[0].what.find("\"a leashed monkey\" (object 19)"), std::string::npos) << r.losses[0].what;
    const std::vector<Action>& path = r.losses[0].path;
    ASSERT_EQ(path.size(), 2u);  // loaded below the palm, the monkey climbs at once
    EXPECT_EQ(path[0].kind, Action::LoadSaved);
    EXPECT_EQ(path[1].kind, Action::UseInScene);
    EXPECT_EQ(path[1].item, kLeashedMonkey);
    EXPECT_EQ(path[1].target, kCoconut);
    EXPECT_EQ(Describe(path[1], *title), "use \"a leashed monkey\" (19) on \"a coconut\" (5)");
}

TEST_F(ExploreTest, ABranchThatSpoilsTheStoryIsADeadEndWhileTheOthersStillEndTheGame) {
    // Sugar on the engine makes a pill of it: something is given in exchange, so nothing counts as
    // lost, but without the engine the raft never sails.
    title->story.combinations[3].secondItem = kEngine;
    title->story.combinations[3].keepSecond = 0;
    const SaveRecord start = LateInTheStory(*title);
    const Report r = Explore(*title, platform, &start);
    EXPECT_TRUE(r.endingReached);
    EXPECT_TRUE(r.losses.empty());
    ASSERT_FALSE(r.deadEnds.empty());
    // The ways into the dead end come first, each the shortest; the states behind them follow.
    const Finding& way = r.deadEnds[0];
    EXPECT_EQ(way.what, "the ending can no longer be reached");
    ASSERT_EQ(way.path.size(), 2u);
    EXPECT_EQ(way.path[1].kind, Action::UseInPanel);
    EXPECT_EQ(way.path[1].item, kSugar);
    EXPECT_EQ(way.path[1].target, kEngine);
    for (const Finding& f : r.deadEnds) EXPECT_GE(f.path.size(), 2u);
    EXPECT_GT(r.deadEnds.size(), 7u);  // the spoilt story can still be walked through every place
}

}  // namespace
}  // namespace vz::explore
