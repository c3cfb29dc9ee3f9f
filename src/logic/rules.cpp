// The puzzle rules and the state in which the hero walks over and applies one.
#include "logic/rules.h"

#include "logic/cues.h"

namespace vz {

// first, second, result, keepFirst, keepSecond, message
const CombinationRule kCombinationTable[kCombinationCount] = {
    {kSugar, kCocktail, kSweetCocktail, 1, 0, "The cocktail is sweet now"},           // 0 sweeten the cocktail
    {kChainsaw, kLeaves, kEngine, 0, 0, "It could be used as an engine"},              // 1 build the engine
    {kSpade, kRootPlant, kRoot, 1, 0, "There it is - the root"},                       // 2 dig out the root
    {kSugar, kRoot, kSleepingPill, 1, 0, "Now it tastes much better"},                 // 3 make the pill
    {kSleepingPill, kMonkey, kSleepingMonkey, 0, 0, "He fell asleep"},                 // 4 monkey to sleep
    {kLiane, kSleepingMonkey, kLeashedMonkey, 0, 0, "He can't get away any more"},     // 5 leash the monkey
    {kLeashedMonkey, kCoconut, kCoconut, 1, 0, "I've got the coconut"},                // 6 fetch the coconut
    {kNoObject, kEngine, kMotorRaft, 0, 0, "Much better - a motorized raft"},          // 7 motorise the raft
};
static_assert(sizeof(kCombinationTable) / sizeof(kCombinationTable[0]) == kCombinationCount);

// first, second, message
const MessageRule kMessageRuleTable[kMessageRuleCount] = {
    {kRaft, kOcean, "It's useless without an engine"},  // 0 raft on the ocean
    {kRoot, kMonkey, "He won't eat it that way"},       // 1 root on the monkey
    {kLiane, kMonkey, "I can't grab him"},              // 2 liane on the awake monkey
    {kRaft, kEngine, "I don't have the raft yet"},      // 3 engine before the raft is ours
};
static_assert(sizeof(kMessageRuleTable) / sizeof(kMessageRuleTable[0]) == kMessageRuleCount);

namespace {

bool Pairs(int first, int second, int a, int b) { return (a == first && b == second) || (a == second && b == first); }

void UseUp(World& world, int item, uint8_t keep) {
    if (!IsValidObject(item)) return;
    if (world.objects[item].inScene == 1) world.objects[item].inScene = keep;
    if (world.carried[item] == 1) world.carried[item] = keep;
}

// The text position of a rule's second object, where its message is drawn in a scene.
Point RuleTextPosition(const World& world, int secondItem) {
    if (!IsValidObject(secondItem)) return {0, 0};
    return {world.objects[secondItem].textX, world.objects[secondItem].textY};
}

}  // namespace

int FindCombination(const Story& story, int a, int b) {
    for (int i = 0; i < kCombinationCount; ++i) {
        if (Pairs(story.combinations[i].firstItem, story.combinations[i].secondItem, a, b)) return i;
    }
    return -1;
}

int FindMessageRule(const Story& story, int a, int b) {
    for (int i = 0; i < kMessageRuleCount; ++i) {
        if (Pairs(story.messageRules[i].firstItem, story.messageRules[i].secondItem, a, b)) return i;
    }
    return -1;
}

void ApplyCombination(World& world, const CombinationRule& rule) {
    UseUp(world, rule.firstItem, rule.keepFirst);
    UseUp(world, rule.secondItem, rule.keepSecond);
    if (rule.result == kSleepingMonkey || rule.result == kLeashedMonkey) {
        world.objects[rule.result].inScene = 1;  // these lie in the jungle
    } else if (IsValidObject(rule.result)) {
        world.carried[rule.result] = 1;
    }
}

void UseOnSceneObject(World& world, Story& story, int object) {
    bool matched = false;
    if (int rule = FindCombination(story, story.heldItem, object); rule >= 0) {
        world.hero.targetX = world.objects[object].walkX;
        world.hero.targetY = world.objects[object].walkY;
        story.heldItem = -1;
        story.messageKind = kRuleMessage;
        story.messageSubject = rule;
        world.state = GameState::UseOnObject;
        matched = true;
    }
    if (int rule = FindMessageRule(story, story.heldItem, object); rule >= 0) {
        story.messageSubject = rule;
        story.messageKind = kMessageRuleText;
        world.sound.Add(Cue::CombineFail);  // a rule that only says why not
        matched = true;
    }
    if (story.heldItem == kMotorRaft && object == kOcean) {
        world.state = GameState::Ending;
        world.sound.Add(Cue::Splash);  // the raft goes into the water
    } else if (!matched) {
        story.messageKind = kUseMessage;
        story.messageSubject = story.heldItem;
        world.sound.Add(Cue::CombineFail);
        story.textX = world.objects[object].textX;
        story.textY = world.objects[object].textY;
    }
    story.messageTimer = kResponseFrames;
}

void UseOnCarriedItem(World& world, Story& story, int item) {
    if (int rule = FindCombination(story, story.heldItem, item); rule >= 0) {
        // As in a scene: the keep flags first, then the result. The other way round, the leashed
        // monkey held over a coconut he has already fetched made the coconut and then used it up.
        ApplyCombination(world, story.combinations[rule]);
        CueCombination(world, story.combinations[rule]);
        story.heldItem = -1;
        story.messageKind = kRuleMessage;
        story.messageSubject = rule;
    } else {
        story.messageKind = kUseMessage;
        story.messageSubject = story.heldItem;
        world.sound.Add(Cue::CombineFail);
    }
    story.messageTimer = kResponseFrames;
}

FrameEnd UseOnObjectFrame(World& world, Story& story) {
    if (WalkOn(world)) return FrameEnd::Flip;
    const bool validRule = story.messageSubject >= 0 && story.messageSubject < kCombinationCount;
    if (story.messageTimer == kResponseFrames && story.messageKind == kRuleMessage && validRule) {
        ApplyCombination(world, story.combinations[story.messageSubject]);
        CueCombination(world, story.combinations[story.messageSubject]);
    }
    if (story.messageKind == kRuleMessage && validRule) {
        const CombinationRule& rule = story.combinations[story.messageSubject];
        world.hero.facing = kRight;
        WalkHero(world);
        TickText(story);
        const Point at = RuleTextPosition(world, rule.secondItem);
        DrawBitmapText(TextLeftInsideScreen(at.x, false, rule.message), at.y, false, 0, world.backBuffer, rule.message,
                       world.fonts);
        NoteText(world, rule.message, TextKind::Answer);
        if (story.messageTimer <= 0) {
            story.messageTimer = 0;
            story.messageSubject = -1;
            story.messageKind = kNoMessage;
            world.state = GameState::Play;
        }
    } else {
        // Nothing left to show: back to the scene rather than standing here for ever.
        world.state = GameState::Play;
    }
    if (world.input.leftClick && world.state == GameState::UseOnObject) {
        if (story.messageTimer > 0) world.input.leftClick = false;
        story.messageTimer = 0;
        story.messageKind = kNoMessage;
        world.state = GameState::Play;
    }
    return FrameEnd::Flip;
}

}  // namespace vz
