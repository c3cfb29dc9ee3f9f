// The adventure's running state: the pending response, the held item, conversations and rules.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "platform/settings.h"
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
    kMessageRuleText = 7,  // a message rule's text
    kHintMessage = 8       // the hint asked for with H
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

class StoryMap;

// One thing the player does, as the hints name it and the story map plays it.
struct StoryAction {
    enum Kind : uint8_t { None, Exit, Take, Look, Talk, Use, Combine, Say };
    Kind kind = None;
    int32_t target = -1;  // Exit: the place; Take, Look, Use: an object, or the person; Talk: the person;
                          // Combine: the carried item clicked in the inventory; Say: the choice
    bool person = false;  // the target is the location's person
    int32_t item = -1;    // Use, Combine: the item held; Say: the person talked to

    bool operator==(const StoryAction&) const = default;
};

// What an action of the story does for it, by which the hints choose their words.
struct Purpose {
    enum Kind : uint8_t { None, Take, Find, Combine, Give, Say, End };
    Kind kind = None;
    int32_t index = -1;  // Take: the object; Find: the scene; Combine: the rule; Give: the item; Say: the choice
    int32_t person = -1; // Say: the person

    bool operator==(const Purpose&) const = default;
};

inline constexpr int kHintLevels = 3;
inline constexpr size_t kHintTextSize = 128;

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

    // Text pace: how long texts stay; the last frame of a text held so far.
    TextPace textPace = TextPace::Normal;
    int32_t textHeld = 0;

    // The hint last asked for: its level (0 none yet), the story state and purpose it was asked in,
    // the exact next action it names, and its words while on show.
    int32_t hintLevel = 0;
    uint64_t hintStamp = 0;
    Purpose hintPurpose;
    StoryAction hintAction;
    char hintText[kHintTextSize] = {};
    int32_t hintsAsked = 0;
    // The ways to the ending, worked out the first time a hint is asked. Every copy of a story shares
    // it: it only ever learns what the rules already say.
    std::shared_ptr<StoryMap> storyMap;

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
// One frame of a text's life at the reader's pace: counted down as always, its last frame held on as
// long as the pace asks (at the slowest until a click ends it). Answers, lines and scene texts all
// count down through it; nothing else does.
void TickText(Story& story);
// Frames a text's last frame is held at a pace.
int HeldFrames(TextPace pace);

}  // namespace vz
