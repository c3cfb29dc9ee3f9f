// The adventure's running state: the pending response, the held item, conversations and rules.
#pragma once

#include <array>
#include <cstdint>

#include "platform/surface.h"
#include "world/world.h"

namespace vz {

// Response kinds: what the text on show is and where it is drawn.
enum MessageKind : int {
    kNoMessage = 0,
    kLookMessage = 1,     // lookText at the subject's text position
    kTalkMessage = 2,     // an object's talkText, or a person's takeText
    kTakeMessage = 3,     // an object's takeText (it cannot be taken)
    kRuleMessage = 4,     // a combination rule's message
    kUseMessage = 5,      // the held item's useText where nothing applies
    kGiveMessage = 6,     // a person's reaction to a handed item
    kMessageRuleText = 7  // a message rule's text
};

inline constexpr int kResponseFrames = 100;
inline constexpr int kTakeFrames = 14;

struct DialogueLine {
    const char* text;
    int32_t speaker;  // 0 the person, 1 the hero
};

enum ChoiceAction : int { kNoAction = -1, kOpenFavour = 1, kGiveCocktail = 2 };

struct DialogueChoice {
    const char* text;
    DialogueLine lines[3];
    int32_t lineCount;
    int32_t action;
    uint8_t endsTalk;
    uint8_t available;
};

struct DialogueTree {
    int32_t textX, textY;
    int32_t standX, standY;
    int32_t direction;  // the hero's facing while talking
    int32_t choiceCount;
    DialogueChoice choices[5];
};

struct CombinationRule {
    int32_t firstItem, secondItem, result;
    uint8_t keepFirst, keepSecond;
    const char* message;
};

struct MessageRule {
    int32_t firstItem, secondItem;
    const char* message;
};

inline constexpr int kCombinationCount = 8;
inline constexpr int kMessageRuleCount = 4;
inline constexpr int kRaftRule = 7;        // its first item is the raft once the native woman agrees
inline constexpr int kNoRaftMessage = 3;   // answers the engine until then

struct Story {
    int32_t heldItem = -1;
    int32_t messageKind = kNoMessage;
    int32_t messageSubject = -1;
    int32_t messageTimer = 0;
    int32_t personMessage = -1;
    int32_t textX = 0, textY = 0;  // where a kind 5 response is drawn in a scene
    int32_t pendingObject = -1;
    int32_t pendingScript = 0;
    int32_t selectedChoice = -1;
    int32_t lineIndex = -1;
    int32_t talkFrame = 0;
    std::array<DialogueTree, kPersonCount> trees{};
    std::array<CombinationRule, kCombinationCount> combinations{};
    std::array<MessageRule, kMessageRuleCount> messageRules{};
    Surface choicePanel;

    int32_t& raftComboItem() { return combinations[kRaftRule].firstItem; }
    int32_t raftComboItem() const { return combinations[kRaftRule].firstItem; }
    int32_t& noRaftMessageItem() { return messageRules[kNoRaftMessage].firstItem; }
    int32_t noRaftMessageItem() const { return messageRules[kNoRaftMessage].firstItem; }
};

// Fills the dialogue trees and the rule tables as a new game has them.
void InitStory(Story& story);

// How a state's frame ends: shown, not shown (a later block draws this frame), or cut short
// before the pacing step.
enum class FrameEnd { Flip, NoFlip, EndFrame };

// The first layers of a walk-then-act frame: the scene, and the hero's next step while he has not
// arrived. True while he is still on his way (the frame is then complete).
bool WalkOn(World& world);

// Clears the response on show.
void ClearResponse(Story& story);
// Counts a response down by one frame; at 0 it is over.
void CountDown(Story& story);

}  // namespace vz
