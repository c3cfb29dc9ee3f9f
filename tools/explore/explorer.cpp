// The search over story states: every action from every state reached, then which states can still
// reach the ending, which items were lost, and whether every state survives a save and a load.
#include "explorer.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

#include "driver.h"
#include "logic/dialogue.h"

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
        if (person < 0 || !drive_.SetVerb(kTalk) || !PointAt(game_.world, person, true, at)) return Rest::Stuck;
        drive_.MoveTo(at.x, at.y);
        drive_.Press();
        return drive_.Settle();
    }

    // The state an action led to: a known one, a new one, the ending (-2) or nowhere (-3).
    int Reach(Rest rest, int from, const Action& a) {
        ++report_.actions;
        if (rest == Rest::Ending) {
            endsHere_[from] = 1;
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
            queue_.push_back(id);
            CheckKeptBySave(id);
        }
        if (from >= 0 && id != from) {
            next_[from].push_back(id);
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
            if (!ExitPoint(exits[e], at)) continue;
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
                if (!PointAt(game_.world, t.index, t.person, at)) {
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
                if (!PointAt(game_.world, t.index, t.person, at)) continue;
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

    // Which states can still reach the ending; the others are dead ends.
    void Conclude() {
        std::vector<std::vector<int>> before(nodes_.size());
        for (size_t i = 0; i < nodes_.size(); ++i)
            for (int j : next_[i]) before[j].push_back(static_cast<int>(i));
        std::vector<char> live(nodes_.size(), 0);
        std::deque<int> work;
        for (size_t i = 0; i < nodes_.size(); ++i)
            if (endsHere_[i]) live[i] = 1, work.push_back(static_cast<int>(i));
        while (!work.empty()) {
            const int j = work.front();
            work.pop_front();
            for (int i : before[j])
                if (!live[i]) live[i] = 1, work.push_back(i);
        }
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
    }
    return "?";
}

Report Explore(const Game& title, ExplorePlatform& platform, const SaveRecord* from) {
    return Search(title, platform).Run(from);
}

}  // namespace vz::explore
