// A new game's conversations and rules, and the life of a response on screen.
#include "logic/story.h"

#include <climits>

#include "logic/cues.h"
#include "logic/dialogue.h"
#include "logic/rules.h"
#include "logic/story_map.h"

namespace vz {

void InitStory(Story& story) {
    for (int i = 0; i < kPersonCount; ++i) story.trees[i] = kDialogueTable[i];
    for (int i = 0; i < kCombinationCount; ++i) story.combinations[i] = kCombinationTable[i];
    for (int i = 0; i < kMessageRuleCount; ++i) story.messageRules[i] = kMessageRuleTable[i];
    story.storyMap = std::make_shared<StoryMap>();
}

bool WalkOn(World& world) {
    DrawScene(world.location, world.objects, world.persons, world.backBuffer);
    if (HeroArrived(world.hero)) return false;
    WalkHero(world);
    return true;
}

void ClearResponse(Story& story) {
    story.messageKind = kNoMessage;
    story.messageSubject = -1;
    story.messageTimer = 0;
}

int HeldFrames(TextPace pace) {
    switch (pace) {
        case TextPace::Normal: return 0;
        case TextPace::Longer: return kResponseFrames / 2;
        case TextPace::Double: return kResponseFrames;
        case TextPace::UntilClick: return INT_MAX;
    }
    return 0;
}

void TickText(Story& story) {
    if (story.messageTimer == 1 && story.textHeld < HeldFrames(story.textPace)) {
        ++story.textHeld;
        return;
    }
    story.messageTimer -= 1;
    story.textHeld = 0;
}

void CountDown(Story& story) {
    TickText(story);
    if (story.messageTimer <= 0) {
        story.messageTimer = 0;
        story.messageKind = kNoMessage;
        story.messageSubject = -1;
    }
}

}  // namespace vz
