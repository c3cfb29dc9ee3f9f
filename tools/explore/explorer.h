// The story explorer: plays every action a player has in every story state the game can reach,
// through the game's own frames, and finds the states from which the ending can no longer be reached.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "shell/game.h"
#include "shell/savegame.h"

namespace vz::explore {

// A headless machine without pictures (every picture is simply not seen, which keeps a game small
// enough to copy) whose saved game lives in memory, so exploring never touches a player's save.
class ExplorePlatform : public HeadlessPlatform {
public:
    ExplorePlatform() { keepFrames = false; }
    bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) override;
    bool ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head, const PlaceBody& place,
                     size_t& bodyBytes) override;
    WriteResult ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes) override;
    bool DirectoryExists(const std::string&) override { return true; }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }

    std::map<std::string, std::vector<uint8_t>> files;  // only what the game itself wrote
};

// A started game at its title screen, as the explorer needs it: no pictures, nothing drawn.
Game StartedGame(ExplorePlatform& platform);

// One thing the player does.
struct Action {
    enum Kind : uint8_t { NewGame, LoadSaved, Exit, Verb, UseInScene, UseInPanel, Choice, SaveAndLoad, Hint } kind = NewGame;
    int verb = 0;      // Verb: kTake, kLook or kTalk
    int target = -1;   // an object, an exit's target location, a choice
    bool person = false;  // the target is the location's person
    int item = -1;     // the item held on the cursor

    bool operator==(const Action&) const = default;
};

// The action in words, e.g. `Take "sugar"` or `use "the coconut" on "a native"`.
std::string Describe(const Action& action, const Game& game);

// Something the explorer found wrong, with the shortest list of actions that leads to it.
struct Finding {
    std::string what;
    std::vector<Action> path;
};

struct Report {
    size_t storyStates = 0;   // different saved-game contents (the hero's place left out), location included
    size_t menuStates = 0;    // of those, how many were also seen with a conversation's menu open
    size_t actions = 0;       // actions tried
    int64_t frames = 0;       // game frames run
    bool endingReached = false;
    std::vector<Finding> deadEnds;  // states from which the ending cannot be reached, or that hang
    std::vector<Finding> losses;    // items that left the game with nothing given for them
    std::vector<Finding> faults;    // a save that does not bring back what was saved, and the like
    // Hints: every state's level-3 action must be on a shortest way to the ending.
    std::vector<Finding> badHints;
    size_t hintStates = 0;  // story states from which following the hints alone ends the game
    int hintMost = 0;       // the most actions that takes from any of them
};

// Explores from the title screen of `title` (a started game, as StartedGame gives it): from a new
// game, or from the saved game `from` loaded with the title's load button.
Report Explore(const Game& title, ExplorePlatform& platform, const SaveRecord* from = nullptr);

}  // namespace vz::explore
