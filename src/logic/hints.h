// Hints: H names the next step towards the ending for the story state the player is in, and says
// more each time it is asked again in the same state, in three levels.
#pragma once

#include <string>

#include "logic/story.h"

namespace vz {

// What a hint says of a purpose before the exact action: a nudge (where to look, whom to ask) and the
// task (what to do, without every step). The third level names the exact next action.
struct HintWords {
    Purpose purpose;
    const char* nudge;
    const char* task;
};

const HintWords* FindHintWords(const Purpose& purpose);
// Every purpose's words, in the order of the story.
extern const HintWords kHintWordsTable[];
extern const size_t kHintWordsCount;

// The exact action in words, e.g. "Give the coconut to the native woman."
std::string ActionWords(const StoryAction& action, const Story& story);

// What a hint says when the ending can no longer be reached (only a damaged game gets there).
inline constexpr const char* kNoWayHint = "I don't see a way off this island from here.";

// H: the hint for the state the game is in (`menuPerson`: whose conversation menu is open, or -1),
// shown as an answer is and ended by a click. It never acts and changes no story field.
void AskHint(World& world, Story& story, int menuPerson);

// Draws the hint on show centred at height y and counts it down at the reader's pace.
void ShowHint(World& world, Story& story, int y);

// Where a hint stands: in a scene near the top, below the row of touch controls (a finger asks for
// hints there too), in the inventory where its answers stand, in a conversation just above the menu.
inline constexpr int kHintSceneY = 112;
inline constexpr int kHintPanelY = 520;
inline constexpr int kHintMenuY = 570;

}  // namespace vz
