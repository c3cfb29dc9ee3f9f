// A new game's conversations and rules, and the life of a response on screen.
#include "logic/story.h"

#include "logic/cues.h"
#include "logic/dialogue.h"
#include "logic/rules.h"

namespace vz {

void InitStory(Story& story) {
    for (int i = 0; i < kPersonCount; ++i) story.trees[i] = kDialogueTable[i];
    for (int i = 0; i < kCombinationCount; ++i) story.combinations[i] = kCombinationTable[i];
    for (int i = 0; i < kMessageRuleCount; ++i) story.messageRules[i] = kMessageRuleTable[i];
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

void CountDown(Story& story) {
    story.messageTimer -= 1;
    if (story.messageTimer <= 0) {
        story.messageTimer = 0;
        story.messageKind = kNoMessage;
        story.messageSubject = -1;
    }
}

}  // namespace vz
