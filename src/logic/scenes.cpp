// Finding the chainsaw and the leaves, and the islanders' reactions to what the hero hands them.
#include "logic/scenes.h"

#include "logic/cues.h"

namespace vz {

// item, person, text, text position, multi-line
const GiveRule kGiveRuleTable[kGiveRuleCount] = {
    {kCoconut, kNative, "Thanks - You can have the raft", 500, 200, false},                          // 5 coconut
    {kSweetCocktail, kJim, "Oh that works fast.", 170, 230, false},                                  // 4 sweet drink
    {kCocktail, kJim, "He will sure notice that the drink is from Kai.", 170, 210, true},             // 3 Kai's drink
};
static_assert(sizeof(kGiveRuleTable) / sizeof(kGiveRuleTable[0]) == kGiveRuleCount);

// object, text, text position (always multi-line)
const FindScene kFindSceneTable[2] = {
    {kShip, "There is a chainsaw in it.#I'll take it with me.", 420, 340},  // 0 the chainsaw in the ship
    {kLeafPlant, "I'll get some leaves.", 550, 425},                        // 1 leaves from the plant
};

namespace {

constexpr int kBendFramesEnd = 86;  // the find scenes show him bending while the timer is at least this

}  // namespace

void ApplyGiveEffects(World& world, Story& story, int event) {
    switch (event) {
        case kCoconut:
            world.objects[kRaft].takeable = 1;
            story.raftComboItem() = kRaft;
            story.noRaftMessageItem() = kNoObject;
            story.trees[kNative].choices[1].available = 0;
            story.trees[kNative].choices[2].available = 0;
            world.carried[kCoconut] = 0;
            break;
        case kSweetCocktail:
            world.persons[kJim].present = 0;
            world.objects[kSpade].inScene = 1;
            world.objects[kSleepingJim].inScene = 1;
            world.carried[kSweetCocktail] = 0;
            break;
        default:
            break;
    }
    story.heldItem = -1;
}

void ApplyFindEffects(World& world, int script) {
    if (script == kChainsawInShip) {
        world.carried[kChainsaw] = 1;
        world.objects[kShip].sceneScript = kNoScene;
    } else {
        world.carried[kLeaves] = 1;
        world.objects[kLeafPlant].sceneScript = kNoScene;
        world.objects[kLeafPlant].takeable = 0;
    }
}

const GiveRule* FindGiveRule(int item, int person) {
    for (const GiveRule& g : kGiveRuleTable) {
        if (g.item == item && g.person == person) return &g;
    }
    return nullptr;
}

void GiveToPerson(World& world, Story& story, int person) {
    if (FindGiveRule(story.heldItem, person) != nullptr) {
        world.hero.targetX = story.trees[person].standX;
        world.hero.targetY = story.trees[person].standY;
        story.messageKind = kGiveMessage;
        world.state = GameState::GiveToPerson;
    } else {
        story.messageKind = kUseMessage;
        story.textX = world.persons[person].textX;
        story.textY = world.persons[person].textY;
        world.sound.Add(Cue::CombineFail);
    }
    story.messageSubject = story.heldItem;
    story.messageTimer = kResponseFrames;
}

FrameEnd FindItemFrame(World& world, Story& story) {
    int script = kNoScene;
    if (story.pendingScript == kChainsawInShip && story.messageKind == kLookMessage) script = kChainsawInShip;
    if (story.pendingScript == kGetLeaves && story.messageKind == kNoMessage) script = kGetLeaves;
    if (script == kNoScene) {
        // No scene fits what was started: leave rather than wait for ever.
        story.pendingScript = 0;
        world.state = GameState::Play;
        return FrameEnd::NoFlip;
    }
    const FindScene& scene = kFindSceneTable[script];
    if (story.messageTimer == kResponseFrames) world.sound.Add(Cue::Take);  // he starts to bend
    TickText(story);
    DrawScene(world.location, world.objects, world.persons, world.backBuffer);
    if (story.messageTimer >= kBendFramesEnd)
        DrawHeroPose(world.hero, world.hero.bendLeftImage, world.backBuffer);
    else
        WalkHero(world);
    DrawBitmapText(scene.textX, scene.textY, true, 0, world.backBuffer, scene.text, world.fonts);
    NoteText(world, scene.text, TextKind::Answer);
    if (world.input.leftClick || story.messageTimer <= 0) {
        ApplyFindEffects(world, script);
        world.sound.Add(Cue::Find);
        story.messageTimer = 0;
        story.messageSubject = -1;
        story.pendingScript = 0;
        world.state = GameState::Play;
    }
    return FrameEnd::Flip;
}

FrameEnd GiveToPersonFrame(World& world, Story& story) {
    if (WalkOn(world)) return FrameEnd::Flip;
    const int person = world.location.personIndex;
    const GiveRule* rule =
        person >= 0 && person < kPersonCount ? FindGiveRule(story.messageSubject, person) : nullptr;
    if (story.messageKind != kGiveMessage || rule == nullptr) {
        ClearResponse(story);
        world.state = GameState::Play;
        return FrameEnd::EndFrame;
    }
    ApplyGiveEffects(world, story, rule->item);
    if (story.messageTimer == kResponseFrames) world.sound.Add(Cue::Give);  // the first frame after arriving
    const int32_t before = story.messageTimer;
    TickText(story);
    if (rule->item == kCoconut) {
        if (story.messageTimer != before && story.messageTimer % 5 == 0) story.talkFrame = (story.talkFrame + 1) % 3;
        DrawPersonTalking(world.persons[person], story.talkFrame, world.backBuffer);
    }
    DrawBitmapText(rule->textX, rule->textY, rule->multiLine, 0, world.backBuffer, rule->text, world.fonts);
    NoteText(world, rule->text, TextKind::Answer);
    if (world.input.leftClick || story.messageTimer <= 0) {
        if (story.messageTimer > 0) world.input.leftClick = false;
        story.messageTimer = 0;
        story.messageKind = kNoMessage;
        story.messageSubject = -1;
        world.state = GameState::Play;
        return FrameEnd::EndFrame;
    }
    world.hero.facing = story.trees[person].direction;
    WalkHero(world);
    return FrameEnd::Flip;
}

}  // namespace vz
