// Using a held item on the scenery or on another carried item: combination and message rules.
#pragma once

#include "logic/story.h"

namespace vz {

extern const CombinationRule kCombinationTable[kCombinationCount];
extern const MessageRule kMessageRuleTable[kMessageRuleCount];

// The first rule, in table order, that pairs the two items in either order; -1 for none.
int FindCombination(const Story& story, int a, int b);
int FindMessageRule(const Story& story, int a, int b);

// Take with an item held, clicked on a scene object.
void UseOnSceneObject(World& world, Story& story, int object);
// A click on a carried item while another is held, inside the inventory panel.
void UseOnCarriedItem(World& world, Story& story, int item);
// Uses up the two items as the rule's keep flags say and places its result.
void ApplyCombination(World& world, const CombinationRule& rule);

FrameEnd UseOnObjectFrame(World& world, Story& story);

}  // namespace vz
