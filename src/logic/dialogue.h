// Conversations: walking to the islander, the menu of choices, and the replies with talking pictures.
#pragma once

#include "logic/story.h"

namespace vz {

extern const DialogueTree kDialogueTable[kPersonCount];

// What choosing a line changes at once (Jim's spade question gives way to the treasure), and what a
// choice's action changes each time one of its lines begins.
void ChoiceChosen(Story& story, int person, int choice);
void RunChoiceAction(Story& story, DialogueChoice& choice, World& world);

// Talk on the location's person: the hero walks to the conversation's stand point.
void StartConversation(World& world, Story& story, int person);

FrameEnd WalkToPersonFrame(World& world, Story& story);
FrameEnd DialogueFrame(World& world, Story& story);

// The menu line of the k-th available choice.
inline int ChoiceLineY(int k) { return 610 + 30 * k; }

}  // namespace vz
