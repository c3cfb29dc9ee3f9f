// The three conversations and the two states that play them.
#include "logic/dialogue.h"

#include "logic/cues.h"
#include "logic/hints.h"

namespace vz {

// textX, textY, standX, standY, direction, choiceCount, then each choice:
// {text, {{line, speaker} x 3}, lineCount, action, endsTalk, available}
const DialogueTree kDialogueTable[kPersonCount] = {
    {300, 200, 350, 300, kRight, 3,
     {
         {"Hello", {{"Hello stranger.", 0}, {"What brings you to my little bar?", 0}, {nullptr, 0}}, 2, kNoAction, 0, 1},  // 0
         {"I'm stranded on the island", {{"You are a lucky person!", 0}, {"Every new guy on the island gets one drink for free.", 0}, {nullptr, 0}}, 2, kGiveCocktail, 0, 1},  // 1
         {"See you later", {{"Don't forget!", 0}, {"It's always the right time for a drink at Kai's.", 0}, {nullptr, 0}}, 2, kNoAction, 1, 1},  // 2
     }},  // 0 Kai the barkeeper
    {500, 200, 620, 230, kRight, 4,
     {
         {"Hi Baby!", {{"Oh no, a macho again.", 0}, {"Ah shit", 1}, {nullptr, 0}}, 2, kNoAction, 0, 1},  // 0
         {"I'm stranded on this island and want#to get away.", {{"I'll give you the raft, if you do me a favour.", 0}, {nullptr, 0}, {nullptr, 0}}, 1, kOpenFavour, 0, 1},  // 1
         {"What favour?", {{"Our coconut picker is ill.", 0}, {"Bring me a coconut and i'll give you the raft.", 0}, {nullptr, 0}}, 2, kNoAction, 0, 0},  // 2
         {"Goodbye", {{"Bye Bye", 0}, {nullptr, 0}, {nullptr, 0}}, 1, kNoAction, 1, 1},  // 3
     }},  // 1 the native woman
    {60, 200, 350, 250, kLeft, 5,
     {
         {"Hello", {{"What do you want? I'm busy.", 0}, {nullptr, 0}, {nullptr, 0}}, 1, kNoAction, 0, 1},  // 0
         {"Can I borrow the spade?", {{"You only want to steal my treasure.", 0}, {nullptr, 0}, {nullptr, 0}}, 1, kNoAction, 0, 1},  // 1
         {"What treasure?", {{"I won't tell you.", 0}, {"Perhabs if you bring me a drink.", 0}, {"But no drink from Kai - the drinks#there are terrible.", 0}}, 3, kNoAction, 0, 0},  // 2
         {"Why don't you dig at the X?", {{"It's only the X for the helicopter#landing place.", 0}, {"Alright...", 1}, {nullptr, 0}}, 2, kNoAction, 0, 1},  // 3
         {"I'll leave you alone.", {{"At last.", 0}, {nullptr, 0}, {nullptr, 0}}, 1, kNoAction, 1, 1},  // 4
     }},  // 2 Jim
};
static_assert(sizeof(kDialogueTable) / sizeof(kDialogueTable[0]) == kPersonCount);

namespace {

constexpr int kJimSpadeChoice = 1;
constexpr int kJimTreasureChoice = 2;
constexpr int kNativeFavourChoice = 2;
constexpr int kChoiceX = 20;           // where the menu's lines start
constexpr int kChoiceLineHeight = 20;  // the pointer chooses a line strictly inside its band

int TalkingPerson(const World& world) {
    int p = world.location.personIndex;
    return (p >= 0 && p < kPersonCount) ? p : -1;
}

const Surface& HeroTalkFrame(const World& world, const DialogueTree& tree, int talkFrame) {
    const auto& frames = tree.direction == kLeft ? world.hero.talkLeftFrames : world.hero.talkRightFrames;
    return frames[talkFrame % 3];
}

void DrawMenu(World& world, Story& story, int person) {
    DialogueTree& tree = story.trees[person];
    DrawSprite(1024, 168, 0, 600, story.choicePanel, world.backBuffer);
    int k = 0;
    for (int i = 0; i < tree.choiceCount; ++i) {
        DialogueChoice& choice = tree.choices[i];
        if (!choice.available) continue;
        const int y = ChoiceLineY(k);
        const bool hovered = y < world.input.mouseY && world.input.mouseY < y + kChoiceLineHeight;
        DrawBitmapText(kChoiceX, y, false, hovered ? 1 : 0, world.backBuffer, choice.text, world.fonts);
        // A click in the middle of the line's words chooses it, as a click anywhere along it does.
        NoteText(world, choice.text, TextKind::Choice, kChoiceX + BitmapTextWidth(false, choice.text) / 2,
                 y + kChoiceLineHeight / 2);
        if (hovered && world.input.leftClick) {
            story.selectedChoice = i;
            story.messageTimer = kResponseFrames;
            story.talkFrame = 0;
            story.lineIndex = -1;
            ChoiceChosen(story, person, i);
        }
        ++k;
    }
    if (story.messageTimer == 0)
        DrawCursor(world.cursor, world.backBuffer, world.input, story.heldItem, world.objects);
}

}  // namespace

void ChoiceChosen(Story& story, int person, int choice) {
    if (person == kJim && choice == kJimSpadeChoice) {
        story.trees[kJim].choices[kJimSpadeChoice].available = 0;
        story.trees[kJim].choices[kJimTreasureChoice].available = 1;
    }
}

void RunChoiceAction(Story& story, DialogueChoice& choice, World& world) {
    switch (choice.action) {
        case kGiveCocktail:
            world.carried[kCocktail] = 1;
            world.sound.Add(Cue::Find);
            choice.available = 0;
            break;
        case kOpenFavour:
            choice.available = 0;
            story.trees[kNative].choices[kNativeFavourChoice].available = 1;
            break;
        default:
            break;
    }
}

void StartConversation(World& world, Story& story, int person) {
    world.state = GameState::WalkToPerson;
    world.cursor.verb = kWalk;
    world.cursor.shownImage = kWalk;
    world.hero.targetX = story.trees[person].standX;
    world.hero.targetY = story.trees[person].standY;
    story.selectedChoice = -1;
    story.lineIndex = -1;
}

FrameEnd WalkToPersonFrame(World& world, Story& story) {
    if (WalkOn(world)) return FrameEnd::Flip;
    const int person = TalkingPerson(world);
    if (person < 0) {
        world.state = GameState::Play;  // no one to talk to here
        return FrameEnd::Flip;
    }
    world.hero.facing = story.trees[person].direction;
    world.state = GameState::Dialogue;
    return FrameEnd::NoFlip;
}

FrameEnd DialogueFrame(World& world, Story& story) {
    DrawScene(world.location, world.objects, world.persons, world.backBuffer, true);
    WalkHero(world);
    const int person = TalkingPerson(world);
    if (person < 0) {
        world.state = GameState::Play;
        return FrameEnd::Flip;
    }
    if (story.selectedChoice < 0 || story.selectedChoice >= story.trees[person].choiceCount) {
        story.selectedChoice = -1;
        if (world.input.hintPressed) AskHint(world, story, person);
        if (story.messageKind == kHintMessage) {
            // A click ends the hint, and does nothing else.
            if (world.input.leftClick) {
                world.input.leftClick = false;
                ClearResponse(story);
            } else {
                ShowHint(world, story, kHintMenuY);
            }
        }
        DrawMenu(world, story, person);
        return FrameEnd::Flip;
    }

    DialogueTree& tree = story.trees[person];
    DialogueChoice& choice = tree.choices[story.selectedChoice];
    const int32_t before = story.messageTimer;
    TickText(story);
    if (story.messageTimer == kResponseFrames - 1) world.sound.Add(Cue::Line);  // a line's first frame
    // The mouth moves while the line is spoken; a line held on for the reader stands still.
    if (story.messageTimer != before && story.messageTimer % 5 == 0) story.talkFrame = (story.talkFrame + 1) % 3;

    if (story.lineIndex < 0 || story.lineIndex >= choice.lineCount) {
        DrawBitmapText(tree.textX, tree.textY, true, 0, world.backBuffer, choice.text, world.fonts);
        NoteText(world, choice.text, TextKind::Line);
        DrawHeroPose(world.hero, HeroTalkFrame(world, tree, story.talkFrame), world.backBuffer);
    } else {
        const DialogueLine& line = choice.lines[story.lineIndex];
        DrawBitmapText(tree.textX, tree.textY, true, 0, world.backBuffer, line.text, world.fonts);
        NoteText(world, line.text, TextKind::Line);
        if (line.speaker == 0) {
            DrawPersonTalking(world.persons[person], story.talkFrame, world.backBuffer);
            DrawHeroStanding(world.hero, world.backBuffer);
        } else {
            DrawHeroPose(world.hero, HeroTalkFrame(world, tree, story.talkFrame), world.backBuffer);
        }
    }

    if (story.messageTimer > 0 && !world.input.leftClick) return FrameEnd::Flip;

    story.lineIndex += 1;
    if (story.lineIndex >= choice.lineCount) {
        if (choice.endsTalk) world.state = GameState::Play;
        story.lineIndex = -1;
        story.selectedChoice = -1;
        story.messageTimer = 0;
        DrawCursor(world.cursor, world.backBuffer, world.input, story.heldItem, world.objects);
        return FrameEnd::Flip;
    }
    story.messageTimer = kResponseFrames;
    RunChoiceAction(story, choice, world);
    return FrameEnd::Flip;
}

}  // namespace vz
