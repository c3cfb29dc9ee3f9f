// The hints' words, and choosing them: the purpose ahead on a shortest way to the ending, and how
// often the player has asked in this state.
#include "logic/hints.h"

#include <algorithm>

#include "logic/scenes.h"
#include "platform/glyphs.h"
#include "logic/story_map.h"
#include "world/location.h"

namespace vz {

// Level 1 and level 2 of every purpose a shortest way to the ending can lead through.
const HintWords kHintWordsTable[] = {
    {{Purpose::Find, kChainsawInShip}, "That old ship on the beach might still hold something useful.",
     "I should search the ship for something I can use."},  // the chainsaw in the ship
    {{Purpose::Take, kSugar}, "There is something sweet lying around in Kai's bar.",
     "Sugar is always nice to have. I should take it."},  // the sugar
    {{Purpose::Say, 1, kKai}, "Kai might treat a newcomer to something.",
     "I should tell Kai that I'm stranded here."},  // Kai's free drink
    {{Purpose::Combine, 0}, "Kai's cocktail could do with something sweet.",
     "I should put the sugar in Kai's cocktail."},  // the sweet cocktail
    {{Purpose::Find, kGetLeaves}, "The plant in the village has big, solid leaves.",
     "I should get some leaves from the plant in the village."},  // the leaves
    {{Purpose::Combine, 1}, "A chainsaw and some solid leaves. Together they could drive something.",
     "I should put the leaves on the chainsaw."},  // the engine
    {{Purpose::Give, kSweetCocktail}, "Jim wants a drink, but none from Kai.",
     "I should give Jim the sweetened cocktail."},  // Jim falls asleep
    {{Purpose::Take, kSpade}, "Jim's spade is lying around now that he sleeps.",
     "I should take the spade while Jim sleeps."},  // the spade
    {{Purpose::Combine, 2}, "The plant by the ship has a root that makes you sleepy.",
     "I should dig out the root with the spade."},  // the root
    {{Purpose::Combine, 3}, "Nobody would eat that root the way it tastes now.",
     "I should make the root sweet with the sugar."},  // the sleeping pill
    {{Purpose::Take, kLiane}, "Something long and strong hangs in the jungle.",
     "I should take the liane in the jungle."},  // the liane
    {{Purpose::Combine, 4}, "The monkey in the jungle looks like he needs a nap.",
     "I should feed the sleeping pill to the monkey."},  // the monkey asleep
    {{Purpose::Combine, 5}, "A sleeping monkey is easy to catch.",
     "I should tie up the sleeping monkey with the liane."},  // the monkey on a leash
    {{Purpose::Take, kLeashedMonkey}, "A monkey on a leash can come along with me.",
     "I should take the leashed monkey with me."},  // the monkey taken along
    {{Purpose::Combine, 6}, "The coconut on the palm beach hangs too high for me.",
     "I should let the monkey fetch the coconut."},  // the coconut
    {{Purpose::Give, kCoconut}, "The native woman in the village wants a coconut.",
     "I should bring the coconut to the native woman."},  // the raft is ours
    {{Purpose::Take, kRaft}, "The raft in the village is mine now.",
     "I should take the raft with me."},  // the raft taken along, when the engine is still to be made
    {{Purpose::Combine, 7}, "A raft without an engine won't get me far.",
     "I should put the engine on the raft."},  // the motorized raft
    {{Purpose::End}, "Everything is ready. The ocean is waiting.",
     "I should take the motorized raft to the ocean by the ship."},  // off the island
};
const size_t kHintWordsCount = sizeof kHintWordsTable / sizeof kHintWordsTable[0];

namespace {

// How the hints name things; the game's own labels say "a plant" for three different plants.
const char* const kThingNames[kObjectCount] = {
    "the chainsaw", "the ship", "the sugar", "Kai's cocktail", "the sweet cocktail", "the coconut",
    "the liane", "the bottle", "the spade", "the leaf plant", "the root", "the root plant", "the leaves",
    "the slippery plant", "the raft", "the engine", "the motorized raft", "the monkey",
    "the sleeping monkey", "the leashed monkey", "the sleeping pill", "the ocean", "Jim"};
const char* const kPersonNames[kPersonCount] = {"Kai", "the native woman", "Jim"};
const char* const kPlaceNames[kLocationCount] = {"the shipwreck", "the bar", "the palm beach", "the empty beach",
                                                 "the village", "the jungle", "the field of holes"};

std::string Thing(int object) { return IsValidObject(object) ? kThingNames[object] : "it"; }
std::string PersonName(int person) { return person >= 0 && person < kPersonCount ? kPersonNames[person] : "him"; }
std::string Target(const StoryAction& a) { return a.person ? PersonName(a.target) : Thing(a.target); }

// Which story state and purpose a hint was asked in: asked again in the same, it says more.
uint64_t HintStamp(const StoryKey& key, const Purpose& p) {
    StoryKey k = StoryPart(key);
    k[7] ^= static_cast<uint32_t>(p.kind) << 24 ^ static_cast<uint32_t>(p.index) << 8 ^
            static_cast<uint32_t>(p.person);
    return StoryKeyHash{}(k);
}

}  // namespace

const HintWords* FindHintWords(const Purpose& purpose) {
    for (const HintWords& w : kHintWordsTable)
        if (w.purpose == purpose) return &w;
    return nullptr;
}

std::string ActionWords(const StoryAction& a, const Story& story) {
    switch (a.kind) {
        case StoryAction::Exit:
            return std::string("Go to ") +
                   (a.target >= 0 && a.target < kLocationCount ? kPlaceNames[a.target] : "the next place") + ".";
        case StoryAction::Take: return "Take " + Target(a) + ".";
        case StoryAction::Look: return "Look at " + Target(a) + ".";
        case StoryAction::Talk: return "Talk to " + Target(a) + ".";
        case StoryAction::Use:
            if (a.person) return "Give " + Thing(a.item) + " to " + Target(a) + ".";
            return "Use " + Thing(a.item) + " on " + Target(a) + ".";
        case StoryAction::Combine: return "In the inventory, use " + Thing(a.item) + " on " + Thing(a.target) + ".";
        case StoryAction::Say: {
            if (a.item < 0 || a.item >= kPersonCount || a.target < 0 || a.target >= story.trees[a.item].choiceCount)
                return "Say something.";
            std::string line = story.trees[a.item].choices[a.target].text;
            std::replace(line.begin(), line.end(), '#', ' ');
            return "Say '" + line + "'.";
        }
        case StoryAction::None: break;
    }
    return {};
}

void AskHint(World& world, Story& story, int menuPerson) {
    if (!story.storyMap) story.storyMap = std::make_shared<StoryMap>();
    const StoryKey key = KeyOf(world, story, menuPerson);
    const std::vector<StoryStep> way = story.storyMap->WayOn(key, story);
    // The way ends with the step that does something for the story; its purpose chooses the words.
    const Purpose purpose = way.empty() ? Purpose{} : way.back().purpose;
    const uint64_t stamp = HintStamp(key, purpose);
    const bool again = story.hintLevel > 0 && story.hintStamp == stamp;
    story.hintLevel = again ? std::min(story.hintLevel + 1, kHintLevels) : 1;
    story.hintStamp = stamp;
    story.hintPurpose = purpose;
    story.hintAction = way.empty() ? StoryAction{} : way.front().action;
    story.hintsAsked += 1;

    std::string text = kNoWayHint;
    if (!way.empty()) {
        const HintWords* words = FindHintWords(purpose);
        if (story.hintLevel == kHintLevels || words == nullptr)
            text = ActionWords(way.front().action, story);
        else
            text = story.hintLevel == 1 ? words->nudge : words->task;
    }
    CopyText(story.hintText, text.c_str());

    story.messageKind = kHintMessage;
    story.messageSubject = -1;
    story.personMessage = -1;
    story.messageTimer = kResponseFrames;
    story.textHeld = 0;
}

void ShowHint(World& world, Story& story, int y) {
    if (story.messageKind != kHintMessage) return;
    // Each line centred on its own.
    const char* text = story.hintText;
    for (int line = 0; *text != '\0'; ++line) {
        char part[kHintTextSize] = {};
        size_t n = 0;
        while (text[n] != '\0' && text[n] != '#' && n + 1 < sizeof part) part[n] = text[n], ++n;
        const int x = std::max(0, kScreenWidth / 2 - BitmapTextWidth(false, part) / 2);
        DrawBitmapText(x, y + line * kLineHeight, false, 0, world.backBuffer, part, world.fonts);
        text += n;
        if (*text == '#') ++text;
    }
    NoteText(world, story.hintText, TextKind::Answer);  // the page's captions read it too
    CountDown(story);
}

}  // namespace vz
