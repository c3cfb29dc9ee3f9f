// Conversations: walking to the islander, the menu of choices, and the replies with talking pictures.
#pragma once

#include "logic/story.h"

namespace vz {

extern const DialogueTree kDialogueTable[kPersonCount];

// Talk on the location's person: the hero walks to the conversation's stand point.
void StartConversation(World& world, Story& story, int person);

FrameEnd WalkToPersonFrame(World& world, Story& story);
FrameEnd DialogueFrame(World& world, Story& story);

// The menu line of the k-th available choice.
inline int ChoiceLineY(int k) { return 610 + 30 * k; }

}  // namespace vz
