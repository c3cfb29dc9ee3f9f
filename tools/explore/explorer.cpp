// The search over story states: every action from every state reached, then which states can still
// reach the ending, which items were lost, and whether every state survives a save and a load.
#include "explorer.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

#include "driver.h"
#include "logic/dialogue.h"
#include "logic/hints.h"
#include "logic/stops.h"

namespace vz::explore {

bool ExplorePlatform::ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) {
    auto it = files.find(path);
    if (it == files.end() || it->second.size() > maxBytes) return false;
    bytes = it->second;
    return true;
}

bool ExplorePlatform::ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head,
                                  const PlaceBody& place, size_t& bodyBytes) {
    return ReadInPlaceFromWholeFile(path, maxBytes, head, place, bodyBytes);
}

WriteResult ExplorePlatform::ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    files[path] = bytes;
    return WriteResult::Ok;
}

Game StartedGame(ExplorePlatform& platform) {
    Game game;
    StartUp(game, platform);
    // Nothing is looked at, so nothing needs drawing: every blit into an empty screen is refused.
    game.world.backBuffer = Surface{};
    return game;
}

namespace {

const char* const kPlaceNames[kLocationCount] = {"the ship", "the bar", "the palm beach", "nowhere",
                                                 "the village", "the jungle", "the holes"};
const char* const kVerbNames[] = {"Walk", "Take", "Look", "Talk"};

constexpr int kHeroSlots[] = {1, 2, 3};  // where the hero stands is not part of the story
constexpr int kEnding = -2;  // where an action that ends the game leads

// A hint's exact action as the explorer plays it.
Action ActionOf(const StoryAction& h) {
    switch (h.kind) {
        case StoryAction::Exit: return Action{Action::Exit, 0, h.target};
        case StoryAction::Take: return Action{Action::Verb, kTake, h.target, h.person};
        case StoryAction::Look: return Action{Action::Verb, kLook, h.target, h.person};
        case StoryAction::Talk: return Action{Action::Verb, kTalk, h.target, h.person};
        case StoryAction::Use: return Action{Action::UseInScene, kTake, h.target, h.person, h.item};
        case StoryAction::Combine: return Action{Action::UseInPanel, kTake, h.target, false, h.item};
        case StoryAction::Say: return Action{Action::Choice, 0, h.target, false, h.item};
        case StoryAction::None: break;
    }
    return Action{Action::Hint};
}

enum class Mode : uint8_t { Play, Menu };

struct Node {
    SaveRecord record;
    Mode mode;
    int parent;
    Action via;
};

std::string Key(SaveRecord record, Mode mode) {
    for (int s : kHeroSlots) record[s] = 0;
    std::string key(reinterpret_cast<const char*>(record.data()), sizeof record);
    key.push_back(static_cast<char>(mode));
    return key;
}

// Every field through which the story advances, saved or not.
std::vector<int> StoryFields(const Game& g) {
    const World& w = g.world;
    std::vector<int> f{w.locationIndex, g.story.raftComboItem(), g.story.noRaftMessageItem()};
    for (int i = 0; i < kObjectCount; ++i) {
        const WorldObject& o = w.objects[i];
        f.insert(f.end(), {w.carried[i], o.inScene, o.takeable, o.sceneScript});
    }
    for (const Person& p : w.persons) f.push_back(p.present);
    for (const DialogueTree& t : g.story.trees)
        for (int c = 0; c < t.choiceCount; ++c) f.push_back(t.choices[c].available);
    return f;
}

// An item is in the game while it is carried or lies in a scene that can show it.
bool InGame(const SaveRecord& r, int item) {
    if (r[4 + 3 * item] != 0) return true;
    if (r[5 + 3 * item] == 0) return false;
    for (const LocationRow& row : kLocationTable)
        for (int slot : row.objectSlots)
            if (slot == item) return true;
    return false;
}

class Search {
public:
    Search(const Game& title, ExplorePlatform& platform)
        : title_(title), platform_(platform), game_(title), drive_(platform, game_) {}

    Report Run(const SaveRecord* from) {
        Begin(from);
        while (!queue_.empty()) {
            const int id = queue_.front();
            queue_.pop_front();
            if (nodes_[id].mode == Mode::Play)
                ExpandScene(id);
            else
                ExpandMenu(id);
        }
        Conclude();
        report_.frames = drive_.frames;
        return std::move(report_);
    }

private:
    const Game& title_;
    ExplorePlatform& platform_;
    Game game_;
    Driver drive_;
    Report report_;
    std::vector<Node> nodes_;
    std::vector<std::vector<int>> next_;  // the states each state's actions lead to
    std::vector<char> endsHere_;          // an action of this state starts the ending
    std::vector<std::vector<std::pair<Action, int>>> led_;  // each action tried and where it led (kEnding)
    std::vector<StoryAction> hints_;      // the exact action of each state's level-3 hint
    std::unordered_map<std::string, int> index_;
    std::deque<int> queue_;
    std::vector<char> lostItems_ = std::vector<char>(kObjectCount, 0);
    std::vector<int> unclickable_;

    std::vector<Action> PathTo(int id, const Action* last = nullptr) const {
        std::vector<Action> path;
        if (last) path.push_back(*last);
        for (; id >= 0; id = nodes_[id].parent) path.push_back(nodes_[id].via);
        std::reverse(path.begin(), path.end());
        return path;
    }

    // Something shown in a scene that no click can reach; said once for each thing.
    void Unclickable(int from, const Action& a) {
        const int what = a.person ? kObjectCount + a.target : a.target;
        if (std::find(unclickable_.begin(), unclickable_.end(), what) != unclickable_.end()) return;
        unclickable_.push_back(what);
        Fault(from, a, "no click can reach it");
    }

    void Fault(int from, const Action& a, std::string what) { report_.faults.push_back({std::move(what), PathTo(from, &a)}); }

    // Puts the game into a state as loading its saved game does, then opens the conversation if
    // the state is a conversation's menu.
    bool Restore(int id) {
        game_ = title_;
        SpreadSaveRecord(nodes_[id].record, game_.world, game_.story, platform_);
        game_.world.state = GameState::Play;
        game_.world.input.leftClick = false;
        if (nodes_[id].mode == Mode::Menu) return Converse(VisiblePerson(game_.world)) == Rest::Menu;
        return true;
    }

    Rest Converse(int person) {
        Point at;
        if (person < 0 || !drive_.SetVerb(kTalk) || !ClickPoint(game_.world, person, true, at)) return Rest::Stuck;
        drive_.MoveTo(at.x, at.y);
        drive_.Press();
        return drive_.Settle();
    }

    // The state an action led to: a known one, a new one, the ending (-2) or nowhere (-3).
    int Reach(Rest rest, int from, const Action& a) {
        ++report_.actions;
        if (rest == Rest::Ending) {
            endsHere_[from] = 1;
            led_[from].push_back({a, kEnding});
            report_.endingReached = true;
            return -2;
        }
        if (rest == Rest::Panel) {  // leave it as the player would, by its Back button
            drive_.LeavePanel();
            rest = drive_.Settle();
        }
        if (rest != Rest::Play && rest != Rest::Menu) {
            report_.deadEnds.push_back({"the game no longer waits for the player", PathTo(from, &a)});
            return -3;
        }
        const Mode mode = rest == Rest::Menu ? Mode::Menu : Mode::Play;
        const SaveRecord record = GatherSaveRecord(game_.world, game_.story);
        auto [it, added] = index_.emplace(Key(record, mode), static_cast<int>(nodes_.size()));
        const int id = it->second;
        if (added) {
            nodes_.push_back({record, mode, from, a});
            next_.emplace_back();
            endsHere_.push_back(0);
            led_.emplace_back();
            hints_.emplace_back();
            queue_.push_back(id);
            CheckKeptBySave(id);
        }
        if (from >= 0 && id != from) {
            next_[from].push_back(id);
            led_[from].push_back({a, id});
            CheckLosses(from, id, a);
        }
        return id;
    }

    // A state the game reached must be one its saved game can hold: the same story after a load.
    void CheckKeptBySave(int id) {
        Game loaded = title_;
        SpreadSaveRecord(nodes_[id].record, loaded.world, loaded.story, platform_);
        if (StoryFields(loaded) != StoryFields(game_))
            report_.faults.push_back({"the saved game does not keep all of this state", PathTo(id)});
    }

    // An item may leave the game only in exchange for something: another item, or a step of the story.
    void CheckLosses(int from, int to, const Action& a) {
        const SaveRecord& before = nodes_[from].record;
        const SaveRecord& after = nodes_[to].record;
        bool gained = false;
        for (int i = 0; i < kObjectCount; ++i) gained |= !InGame(before, i) && InGame(after, i);
        // Or any switch of the story: a scene used, a choice, a takeable raft, Jim asleep, a rule.
        for (int s = 4; s < kSaveSlots; ++s) {
            const bool itemSlot = s < 73 && (s - 4) % 3 != 2;  // carried and inScene
            if (!itemSlot) gained |= before[s] != after[s];
        }
        if (gained) return;
        for (int i = 0; i < kObjectCount; ++i) {
            if (!InGame(before, i) || InGame(after, i) || lostItems_[i]) continue;
            lostItems_[i] = 1;
            report_.losses.push_back({std::string("\"") + game_.world.objects[i].name + "\" (object " +
                                          std::to_string(i) + ") left the game with nothing in exchange",
                                      PathTo(from, &a)});
        }
    }

    void Begin(const SaveRecord* from) {
        game_ = title_;
        if (from) platform_.files[kSavePath] = EncodeSaveRecord(*from);
        drive_.MoveTo(512, from ? 530 : 430);  // the load button, or the start button
        drive_.Press();
        Reach(drive_.Settle(), -1, Action{from ? Action::LoadSaved : Action::NewGame});
    }

    void ExpandScene(int id) {
        if (!Restore(id)) return Fault(id, Action{}, "the state could not be entered again");
        // A hint ended by its click leaves the game as it found it: idle, the Walk verb, nothing held.
        if (!CheckHint(id)) Restore(id);
        const std::vector<int> objects = VisibleObjects(game_.world);
        const int person = VisiblePerson(game_.world);
        const std::vector<int> carried = CarriedItems(game_.world);
        const int exitCount = game_.world.location.exitCount;
        const std::array<Exit, 4> exits = game_.world.location.exits;
        bool fresh = true;  // the game is in this state, idle, with the Walk verb and nothing held
        auto again = [&] {
            if (!fresh) Restore(id);
            fresh = false;
        };

        for (int e = 0; e < exitCount; ++e) {
            Point at;
            if (!ExitClickPoint(game_.world, exits[e], at)) continue;
            again();
            drive_.MoveTo(at.x, at.y);
            drive_.Press();
            Reach(drive_.Settle(), id, Action{Action::Exit, 0, exits[e].targetLocation});
        }

        struct Target {
            int index;
            bool person;
        };
        std::vector<Target> targets;
        for (int o : objects) targets.push_back({o, false});
        if (person >= 0) targets.push_back({person, true});

        // The verbs with nothing held; an answer that changed nothing leaves the game ready for the next.
        for (int verb : {kTake, kLook, kTalk}) {
            bool ready = false;
            for (const Target& t : targets) {
                const Action a{Action::Verb, verb, t.index, t.person};
                if (!ready) {
                    again();
                    if (!drive_.SetVerb(verb)) return Fault(id, a, "the verb could not be chosen");
                }
                Point at;
                if (!ClickPoint(game_.world, t.index, t.person, at)) {
                    Unclickable(id, a);
                    ready = true;
                    continue;
                }
                drive_.MoveTo(at.x, at.y);
                drive_.Press();
                const Rest rest = drive_.Settle();
                ready = Reach(rest, id, a) == id && rest == Rest::Play && game_.world.cursor.verb == verb &&
                        game_.story.heldItem == -1;
            }
        }

        for (int item : carried) {
            // On each carried item in the panel, itself included.
            bool ready = false;
            for (int other : carried) {
                const Action a{Action::UseInPanel, kTake, other, false, item};
                if (!ready) {
                    again();
                    if (!drive_.PickUp(item)) return Fault(id, a, "the item could not be put on the cursor");
                }
                const Point c = CellOf(game_.world, other);
                drive_.MoveTo(c.x, c.y);
                drive_.Press();
                const Rest rest = drive_.Settle();
                ready = rest == Rest::Panel && game_.story.heldItem == item &&
                        GatherSaveRecord(game_.world, game_.story) == nodes_[id].record;
                if (ready)
                    ++report_.actions;
                else
                    Reach(rest, id, a);
            }
            // On each object and person of the scene.
            ready = false;
            for (const Target& t : targets) {
                const Action a{Action::UseInScene, kTake, t.index, t.person, item};
                if (!ready) {
                    again();
                    if (!drive_.PickUp(item)) return Fault(id, a, "the item could not be put on the cursor");
                    drive_.LeavePanel();
                }
                Point at;
                if (!ClickPoint(game_.world, t.index, t.person, at)) continue;
                drive_.MoveTo(at.x, at.y);
                drive_.Press();
                const Rest rest = drive_.Settle();
                ready = Reach(rest, id, a) == id && rest == Rest::Play && game_.story.heldItem == item;
            }
        }

        SaveAndLoad(id, fresh);
    }

    // The panel's save button, then a new start of the game and its load button.
    void SaveAndLoad(int id, bool fresh) {
        const Action a{Action::SaveAndLoad};
        if (!fresh) Restore(id);
        const size_t notices = platform_.notices.size();
        drive_.OpenPanel();
        drive_.MoveTo(290, 605);  // the save button
        drive_.Press();
        const Rest saved = drive_.Settle();
        if (saved != Rest::Play || platform_.notices.size() != notices)
            return Fault(id, a, "saving did not go back to the scene quietly");
        const SaveRecord before = GatherSaveRecord(game_.world, game_.story);
        game_ = title_;
        drive_.MoveTo(512, 530);  // the load button
        drive_.Press();
        const Rest loaded = drive_.Settle();
        if (platform_.notices.size() != notices)
            return Fault(id, a, "loading said \"" + platform_.notices.back() + "\"");
        if (loaded != Rest::Play || GatherSaveRecord(game_.world, game_.story) != before)
            return Fault(id, a, "loading did not bring back the saved game");
        Reach(loaded, id, a);
    }

    void ExpandMenu(int id) {
        if (!Restore(id)) return Fault(id, Action{}, "the conversation could not be opened again");
        if (!CheckHint(id)) Restore(id);  // it leaves the menu open as it was
        const DialogueTree& tree = game_.story.trees[game_.world.location.personIndex];
        std::vector<int> offered;
        for (int c = 0; c < tree.choiceCount; ++c)
            if (tree.choices[c].available) offered.push_back(c);
        bool ready = true;
        for (size_t k = 0; k < offered.size(); ++k) {
            if (!ready) Restore(id);
            drive_.MoveTo(100, ChoiceLineY(static_cast<int>(k)) + 10);
            drive_.Press();
            const Rest rest = drive_.Settle();
            const Action a{Action::Choice, 0, offered[k], false, game_.world.location.personIndex};
            ready = Reach(rest, id, a) == id && rest == Rest::Menu;
        }
    }

    // H asked three times over: a hint at each level, each time more, none changing the story or
    // leaving the screen the player is on; then a click ends it and does nothing else. False (with
    // a fault) when the game was not left as it was found.
    bool CheckHint(int id) {
        const std::vector<int> story = StoryFields(game_);
        const GameState state = game_.world.state;
        const Story& s = game_.story;
        const Action asked{Action::Hint};
        for (int level = 1; level <= kHintLevels; ++level) {
            drive_.Key(RawInput{.hint = true});
            if (s.hintLevel != level || s.messageKind != kHintMessage || s.hintText[0] == '\0')
                return Fault(id, asked, "H gave no hint at level " + std::to_string(level)), false;
            if (StoryFields(game_) != story || game_.world.state != state)
                return Fault(id, asked, "asking for a hint changed the story"), false;
        }
        hints_[id] = s.hintAction;
        if (s.hintAction.kind != StoryAction::None && FindHintWords(s.hintPurpose) == nullptr)
            Fault(id, asked, "the hint has no words of its own before \"" + std::string(s.hintText) + "\"");
        drive_.Press();
        const bool menu = nodes_[id].mode == Mode::Menu;
        if (StoryFields(game_) != story || game_.world.state != state || s.messageKind != kNoMessage ||
            (menu && s.selectedChoice != -1))
            return Fault(id, asked, "the click that ended the hint did something more"), false;
        return true;
    }

    // Every state's level-3 hint must take a shortest way to the ending, and following them alone
    // must end the game: counted by following them, not taken on trust.
    void CheckHintsLead(const std::vector<int>& distance) {
        auto live = [&](size_t i) { return distance[i] >= 0; };
        std::vector<int> follow(nodes_.size(), -1);  // where each state's hint leads
        for (size_t i = 0; i < nodes_.size(); ++i) {
            if (!live(i)) continue;
            const Action hinted = ActionOf(hints_[i]);
            const auto& tried = led_[i];
            auto it = std::find_if(tried.begin(), tried.end(), [&](const auto& t) { return t.first == hinted; });
            if (it == tried.end()) {
                report_.badHints.push_back({"the hint names an action that does nothing here", PathTo(static_cast<int>(i), &hinted)});
                continue;
            }
            const bool closer = it->second == kEnding ? distance[i] == 1 : distance[it->second] == distance[i] - 1;
            if (!closer) {
                report_.badHints.push_back({"the hint's action is not on a shortest way to the ending",
                                            PathTo(static_cast<int>(i), &hinted)});
                continue;
            }
            follow[i] = it->second;
        }
        // Following the hints alone from every state.
        std::vector<int> steps(nodes_.size(), -1);
        std::unordered_map<std::string, char> led;
        for (size_t start = 0; start < nodes_.size(); ++start) {
            if (!live(start)) continue;
            std::vector<int> way;
            int at = static_cast<int>(start);
            while (at != kEnding && at >= 0 && steps[at] < 0 && way.size() <= nodes_.size()) {
                way.push_back(at);
                at = follow[at];
            }
            if (at != kEnding && (at < 0 || steps[at] < 0)) continue;  // a wrong hint, named above
            int count = at == kEnding ? 0 : steps[at];
            for (auto w = way.rbegin(); w != way.rend(); ++w) steps[*w] = ++count;
            report_.hintMost = std::max(report_.hintMost, steps[start]);
        }
        for (size_t i = 0; i < nodes_.size(); ++i) led[Key(nodes_[i].record, Mode::Play)] = 1;
        for (size_t i = 0; i < nodes_.size(); ++i)
            if (steps[i] < 0) led.erase(Key(nodes_[i].record, Mode::Play));
        report_.hintStates = led.size();
    }

    // Actions from each state to the ending by the shortest way (the one that ends it counted);
    // -1 where the ending cannot be reached.
    std::vector<int> DistancesToEnding() const {
        std::vector<std::vector<int>> before(nodes_.size());
        for (size_t i = 0; i < nodes_.size(); ++i)
            for (int j : next_[i]) before[j].push_back(static_cast<int>(i));
        std::vector<int> distance(nodes_.size(), -1);
        std::deque<int> work;
        for (size_t i = 0; i < nodes_.size(); ++i)
            if (endsHere_[i]) distance[i] = 1, work.push_back(static_cast<int>(i));
        while (!work.empty()) {
            const int j = work.front();
            work.pop_front();
            for (int i : before[j])
                if (distance[i] < 0) distance[i] = distance[j] + 1, work.push_back(i);
        }
        return distance;
    }

    // Which states can still reach the ending; the others are dead ends.
    void Conclude() {
        const std::vector<int> distance = DistancesToEnding();
        std::vector<char> live(nodes_.size(), 0);
        for (size_t i = 0; i < nodes_.size(); ++i) live[i] = distance[i] >= 0;
        std::unordered_map<std::string, char> stories, menus;
        std::vector<Finding> inside;  // dead ends reached only through another dead end
        for (size_t i = 0; i < nodes_.size(); ++i) {
            const std::string story = Key(nodes_[i].record, Mode::Play);
            stories[story] = 1;
            if (nodes_[i].mode == Mode::Menu) menus[story] = 1;
            if (live[i]) continue;
            const int parent = nodes_[i].parent;
            if (parent < 0 || live[parent])
                report_.deadEnds.push_back({"the ending can no longer be reached", PathTo(static_cast<int>(i))});
            else
                inside.push_back({"a state inside that dead end", PathTo(static_cast<int>(i))});
        }
        // The ways into dead ends come first: the shortest of each is what a fix needs.
        report_.deadEnds.insert(report_.deadEnds.end(), inside.begin(), inside.end());
        report_.storyStates = stories.size();
        report_.menuStates = menus.size();
        CheckHintsLead(distance);
    }
};

}  // namespace

std::string Describe(const Action& a, const Game& game) {
    const World& w = game.world;
    // Objects are numbered too: two cocktails, three plants and a sleeping Jim share names.
    auto name = [&](int index, bool person) {
        if (person) return "\"" + std::string(w.persons[index].name) + "\"";
        return "\"" + std::string(w.objects[index].name) + "\" (" + std::to_string(index) + ")";
    };
    switch (a.kind) {
        case Action::NewGame: return "Start";
        case Action::LoadSaved: return "Load";
        case Action::Exit: return std::string("go to ") + kPlaceNames[a.target];
        case Action::Verb: return std::string(kVerbNames[a.verb]) + " " + name(a.target, a.person);
        case Action::UseInScene: return "use " + name(a.item, false) + " on " + name(a.target, a.person);
        case Action::UseInPanel: return "use " + name(a.item, false) + " on " + name(a.target, false) + " in the inventory";
        case Action::Choice: {
            std::string line = game.story.trees[a.item].choices[a.target].text;
            std::replace(line.begin(), line.end(), '#', ' ');
            return "say \"" + line + "\"";
        }
        case Action::SaveAndLoad: return "save, start the game again and load";
        case Action::Hint: return "ask for a hint";
    }
    return "?";
}

Report Explore(const Game& title, ExplorePlatform& platform, const SaveRecord* from) {
    return Search(title, platform).Run(from);
}

}  // namespace vz::explore
