// The story's map: the story states a game can reach and how many actions each is from the ending,
// played with the game's own rules. The hints walk it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "logic/story.h"

namespace vz {

// A story state packed small: what the saved game keeps of the story (the hero's place left out),
// the location, and the person whose conversation menu is open.
using StoryKey = std::array<uint32_t, 8>;

// The state the game is in; `menuPerson` is the person whose menu is open, -1 in a scene or the panel.
StoryKey KeyOf(const World& world, const Story& story, int menuPerson);
// The same state without the place and the open conversation: it changes only when the story moves on.
StoryKey StoryPart(StoryKey key);
int LocationOf(const StoryKey& key);
int MenuOf(const StoryKey& key);  // -1 in a scene

struct StoryKeyHash {
    size_t operator()(const StoryKey& key) const;
};

// One thing the player can do in a state, and what it leads to.
struct StoryStep {
    StoryAction action;
    Purpose purpose;    // what it does for the story; None for a way there (an exit, a talk begun or left)
    StoryKey to{};
    bool ends = false;  // the game ends with it
};

class StoryMap {
public:
    StoryMap();
    ~StoryMap();
    StoryMap(const StoryMap&) = delete;
    StoryMap& operator=(const StoryMap&) = delete;

    // Every action from `from` that changes anything, in a fixed order: what can be done right here
    // first (verbs on the scene in slot order, items used, then talking), the exits last. In a
    // conversation's menu, its lines. `rules` is the story whose tables are played.
    std::vector<StoryStep> Steps(const StoryKey& from, const Story& rules);

    // Actions on the shortest way from `from` to the ending, the last one included; -1 when there is none.
    int Distance(const StoryKey& from, const Story& rules);

    // A shortest way from `from`, step by step, up to and with the first step that does something for
    // the story; empty when the ending cannot be reached.
    std::vector<StoryStep> WayOn(const StoryKey& from, const Story& rules);

    // States known so far.
    size_t Size() const { return nodes_.size(); }

    // More states than this are not looked at: a story of this game has some fifteen thousand.
    static constexpr size_t kMostStates = 1u << 18;

private:
    struct Node {
        StoryKey key;
        int32_t distance = -1;
        bool ends = false;
        std::vector<int32_t> next;
    };

    void UseRules(const Story& rules);
    int Learn(const StoryKey& from);
    void Measure();
    void Put(const StoryKey& key);

    std::vector<Node> nodes_;
    std::unordered_map<StoryKey, int32_t, StoryKeyHash> index_;
    uint64_t rulesStamp_ = 0;
    // A picture-less world and story the game's own rule functions play each action on.
    std::unique_ptr<World> world_;
    std::unique_ptr<Story> story_;
};

}  // namespace vz
