// The five short scenes: two finds, and three items handed to an islander.
#pragma once

#include "logic/story.h"

namespace vz {

enum SceneScript : int { kNoScene = -1, kChainsawInShip = 0, kGetLeaves = 1 };

struct GiveRule {
    int32_t item;      // the handed item, also the event's number
    int32_t person;
    const char* text;
    int32_t textX, textY;
    bool multiLine;
};

struct FindScene {
    int32_t object;  // the object that holds the scene
    const char* text;
    int32_t textX, textY;
};

inline constexpr int kGiveRuleCount = 3;
extern const GiveRule kGiveRuleTable[kGiveRuleCount];
extern const FindScene kFindSceneTable[2];

// The hand-over that fits this item and person, or nullptr.
const GiveRule* FindGiveRule(int item, int person);

// What a hand-over (named by the handed item) and a find change in the world, as their scenes do.
void ApplyGiveEffects(World& world, Story& story, int event);
void ApplyFindEffects(World& world, int script);

// Take with an item held, clicked on the location's person.
void GiveToPerson(World& world, Story& story, int person);

FrameEnd FindItemFrame(World& world, Story& story);
FrameEnd GiveToPersonFrame(World& world, Story& story);

}  // namespace vz
