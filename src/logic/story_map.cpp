// Playing every action of a story state on a copy of its fields, and the distances to the ending.
#include "logic/story_map.h"

#include <deque>

#include "logic/dialogue.h"
#include "logic/rules.h"
#include "logic/scenes.h"

namespace vz {

namespace {

// Where each part of a state lies in its key.
constexpr int kCarriedWord = 0, kInSceneWord = 1, kTakeableWord = 2, kScriptWord = 3;  // scripts: 2 words
constexpr int kFlagsWord = 5, kRaftComboWord = 6, kNoRaftWord = 7;
constexpr int kScriptsPerWord = 16;
constexpr int kChoiceBits = 5;  // room for the choices of one tree
constexpr int kAvailableShift = 3, kLocationShift = 20, kMenuShift = 24;
constexpr uint32_t kPlaceBits = 0xFFu << kLocationShift;  // the location and the open menu

bool Bit(uint32_t word, int i) { return (word >> i) & 1u; }
void SetBit(uint32_t& word, int i, bool on) { word = on ? word | (1u << i) : word & ~(1u << i); }

// A scene script takes two bits: none, the ship's search, the leaves, or some other number, which
// plays no scene and is kept as 2.
uint32_t ScriptCode(int32_t script) { return script == kNoScene ? 0 : script == kChainsawInShip ? 1 : script == kGetLeaves ? 2 : 3; }
int32_t ScriptValue(uint32_t code) {
    return code == 0 ? kNoScene : code == 1 ? kChainsawInShip : code == 2 ? kGetLeaves : 2;
}

int32_t ScriptOf(const StoryKey& k, int object) {
    return ScriptValue((k[kScriptWord + object / kScriptsPerWord] >> (2 * (object % kScriptsPerWord))) & 3u);
}

bool Available(const StoryKey& k, int person, int choice) {
    return Bit(k[kFlagsWord], kAvailableShift + person * kChoiceBits + choice);
}

void SetPlace(StoryKey& k, int location, int menu) {
    k[kFlagsWord] = (k[kFlagsWord] & ~kPlaceBits) | (static_cast<uint32_t>(location & 0xF) << kLocationShift) |
                    (static_cast<uint32_t>((menu + 1) & 0xF) << kMenuShift);
}

// FNV-1a over the rule tables' fixed parts; the two rule items that move with the story are left out.
uint64_t RulesStamp(const Story& s) {
    uint64_t h = 1469598103934665603ull;
    auto mix = [&](uint64_t v) {
        h ^= v;
        h *= 1099511628211ull;
    };
    for (int i = 0; i < kCombinationCount; ++i) {
        const CombinationRule& r = s.combinations[i];
        mix(i == kRaftRule ? 0 : static_cast<uint32_t>(r.firstItem));
        mix(static_cast<uint32_t>(r.secondItem)), mix(static_cast<uint32_t>(r.result));
        mix(r.keepFirst), mix(r.keepSecond), mix(reinterpret_cast<uintptr_t>(r.message));
    }
    for (int i = 0; i < kMessageRuleCount; ++i) {
        const MessageRule& r = s.messageRules[i];
        mix(i == kNoRaftMessage ? 0 : static_cast<uint32_t>(r.firstItem));
        mix(static_cast<uint32_t>(r.secondItem));
    }
    for (const DialogueTree& t : s.trees) {
        mix(static_cast<uint32_t>(t.choiceCount));
        for (int c = 0; c < t.choiceCount && c < 5; ++c) {
            const DialogueChoice& ch = t.choices[c];
            mix(static_cast<uint32_t>(ch.lineCount)), mix(static_cast<uint32_t>(ch.action)), mix(ch.endsTalk);
        }
    }
    return h;
}

}  // namespace

size_t StoryKeyHash::operator()(const StoryKey& k) const {
    uint64_t h = 0x9E3779B97F4A7C15ull;
    for (uint32_t w : k) {
        h ^= w;
        h *= 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
    }
    return static_cast<size_t>(h);
}

StoryKey KeyOf(const World& world, const Story& story, int menuPerson) {
    StoryKey k{};
    for (int i = 0; i < kObjectCount; ++i) {
        const WorldObject& o = world.objects[i];
        SetBit(k[kCarriedWord], i, world.carried[i] != 0);
        SetBit(k[kInSceneWord], i, o.inScene != 0);
        SetBit(k[kTakeableWord], i, o.takeable != 0);
        k[kScriptWord + i / kScriptsPerWord] |= ScriptCode(o.sceneScript) << (2 * (i % kScriptsPerWord));
    }
    for (int p = 0; p < kPersonCount; ++p) {
        SetBit(k[kFlagsWord], p, world.persons[p].present != 0);
        const DialogueTree& t = story.trees[p];
        for (int c = 0; c < t.choiceCount && c < kChoiceBits; ++c)
            SetBit(k[kFlagsWord], kAvailableShift + p * kChoiceBits + c, t.choices[c].available != 0);
    }
    SetPlace(k, world.locationIndex, menuPerson);
    k[kRaftComboWord] = static_cast<uint32_t>(story.raftComboItem());
    k[kNoRaftWord] = static_cast<uint32_t>(story.noRaftMessageItem());
    return k;
}

StoryKey StoryPart(StoryKey key) {
    key[kFlagsWord] &= ~kPlaceBits;
    return key;
}

int LocationOf(const StoryKey& key) { return static_cast<int>((key[kFlagsWord] >> kLocationShift) & 0xF); }
int MenuOf(const StoryKey& key) { return static_cast<int>((key[kFlagsWord] >> kMenuShift) & 0xF) - 1; }

StoryMap::StoryMap() = default;
StoryMap::~StoryMap() = default;

void StoryMap::UseRules(const Story& rules) {
    const uint64_t stamp = RulesStamp(rules);
    if (story_ && stamp == rulesStamp_) return;
    rulesStamp_ = stamp;
    nodes_.clear();
    index_.clear();
    if (!world_) {
        world_ = std::make_unique<World>();
        world_->backBuffer = Surface{};  // nothing is drawn here
    }
    story_ = std::make_unique<Story>(rules);
    story_->storyMap.reset();  // the copy must not keep its own map alive
    story_->choicePanel = Surface{};
}

void StoryMap::Put(const StoryKey& k) {
    World& w = *world_;
    for (int i = 0; i < kObjectCount; ++i) {
        WorldObject& o = w.objects[i];
        w.carried[i] = Bit(k[kCarriedWord], i);
        o.inScene = Bit(k[kInSceneWord], i);
        o.takeable = Bit(k[kTakeableWord], i);
        o.sceneScript = ScriptOf(k, i);
    }
    for (int p = 0; p < kPersonCount; ++p) {
        w.persons[p].present = Bit(k[kFlagsWord], p);
        DialogueTree& t = story_->trees[p];
        for (int c = 0; c < t.choiceCount && c < kChoiceBits; ++c) t.choices[c].available = Available(k, p, c);
    }
    w.locationIndex = LocationOf(k);
    story_->raftComboItem() = static_cast<int32_t>(k[kRaftComboWord]);
    story_->noRaftMessageItem() = static_cast<int32_t>(k[kNoRaftWord]);
    story_->heldItem = -1;
}

std::vector<StoryStep> StoryMap::Steps(const StoryKey& from, const Story& rules) {
    UseRules(rules);
    std::vector<StoryStep> steps;
    const int location = LocationOf(from);
    const int menu = MenuOf(from);
    // Plays one change on the state's fields; the step counts only when something changed.
    auto play = [&](StoryAction action, Purpose purpose, auto&& change, int menuAfter) {
        Put(from);
        change(*world_, *story_);
        StoryStep s{action, purpose, KeyOf(*world_, *story_, menuAfter), false};
        if (s.to == from) return;
        if (StoryPart(s.to) == StoryPart(from)) s.purpose = Purpose{};
        steps.push_back(s);
    };
    Put(from);

    if (menu >= 0 && menu < kPersonCount) {
        const DialogueTree& tree = story_->trees[menu];
        for (int c = 0; c < tree.choiceCount && c < kChoiceBits; ++c) {
            if (!Available(from, menu, c)) continue;
            // As the menu and the lines play it: chosen, its action at each line, the talk over or not.
            play(StoryAction{StoryAction::Say, c, false, menu}, Purpose{Purpose::Say, c, menu},
                 [&](World& w, Story& s) {
                     ChoiceChosen(s, menu, c);
                     DialogueChoice& choice = s.trees[menu].choices[c];
                     if (choice.lineCount > 0) RunChoiceAction(s, choice, w);
                 },
                 tree.choices[c].endsTalk ? -1 : menu);
        }
        return steps;
    }
    if (location < 0 || location >= kLocationCount) return steps;

    const LocationRow& row = kLocationTable[location];
    std::vector<int> visible;
    for (int slot : row.objectSlots) {
        if (slot == -1) break;
        if (IsValidObject(slot) && Bit(from[kInSceneWord], slot)) visible.push_back(slot);
    }
    const int person = row.personIndex >= 0 && row.personIndex < kPersonCount && Bit(from[kFlagsWord], row.personIndex)
                           ? row.personIndex
                           : -1;

    for (int o : visible) {
        const int32_t script = ScriptOf(from, o);
        if (Bit(from[kTakeableWord], o)) {
            // As the walk over to it ends: the leaves' scene, or the object into the pockets.
            if (script == kGetLeaves) {
                play(StoryAction{StoryAction::Take, o}, Purpose{Purpose::Find, kGetLeaves},
                     [](World& w, Story&) { ApplyFindEffects(w, kGetLeaves); }, -1);
            } else if (script == kNoScene) {
                play(StoryAction{StoryAction::Take, o}, Purpose{Purpose::Take, o},
                     [o](World& w, Story&) {
                         AddToInventory(w.carried, o);
                         w.objects[o].inScene = 0;
                     },
                     -1);
            }
        }
        if (o == kShip && script == kChainsawInShip) {
            play(StoryAction{StoryAction::Look, o}, Purpose{Purpose::Find, kChainsawInShip},
                 [](World& w, Story&) { ApplyFindEffects(w, kChainsawInShip); }, -1);
        }
    }

    for (int item = 0; item < kObjectCount; ++item) {
        if (!Bit(from[kCarriedWord], item)) continue;
        for (int o : visible) {
            const StoryAction use{StoryAction::Use, o, false, item};
            if (item == kMotorRaft && o == kOcean) {
                steps.push_back(StoryStep{use, Purpose{Purpose::End}, from, true});
                continue;
            }
            // A message rule that also fits answers instead, and the combination is not made.
            const int rule = FindCombination(*story_, item, o);
            if (rule >= 0 && FindMessageRule(*story_, item, o) < 0)
                play(use, Purpose{Purpose::Combine, rule},
                     [rule](World& w, Story& s) { ApplyCombination(w, s.combinations[rule]); }, -1);
        }
        if (person >= 0 && FindGiveRule(item, person) != nullptr) {
            play(StoryAction{StoryAction::Use, person, true, item}, Purpose{Purpose::Give, item},
                 [item](World& w, Story& s) { ApplyGiveEffects(w, s, item); }, -1);
        }
        for (int other = 0; other < kObjectCount; ++other) {
            if (!Bit(from[kCarriedWord], other)) continue;
            const int rule = FindCombination(*story_, item, other);
            if (rule >= 0)
                play(StoryAction{StoryAction::Combine, other, false, item}, Purpose{Purpose::Combine, rule},
                     [rule](World& w, Story& s) { ApplyCombination(w, s.combinations[rule]); }, -1);
        }
    }

    if (person >= 0) {
        StoryKey to = from;
        SetPlace(to, location, person);
        steps.push_back(StoryStep{StoryAction{StoryAction::Talk, person, true}, Purpose{}, to, false});
    }
    for (const ExitRow& e : kExitTable) {
        if (e.from != location) continue;
        StoryKey to = from;
        SetPlace(to, e.exit.targetLocation, -1);
        steps.push_back(StoryStep{StoryAction{StoryAction::Exit, e.exit.targetLocation}, Purpose{}, to, false});
    }
    return steps;
}

int StoryMap::Learn(const StoryKey& start) {
    if (auto it = index_.find(start); it != index_.end()) return it->second;
    auto intern = [&](const StoryKey& k) {
        auto [it, added] = index_.emplace(k, static_cast<int32_t>(nodes_.size()));
        if (added) {
            Node node;
            node.key = k;
            nodes_.push_back(std::move(node));
        }
        return it->second;
    };
    const size_t first = nodes_.size();
    const int id = intern(start);
    for (size_t n = first; n < nodes_.size() && n < kMostStates; ++n) {
        const StoryKey key = nodes_[n].key;
        for (const StoryStep& s : Steps(key, *story_)) {
            if (s.ends) {
                nodes_[n].ends = true;
                continue;
            }
            const int to = intern(s.to);
            nodes_[n].next.push_back(to);
        }
    }
    Measure();
    return id;
}

// Breadth first back from the states that can end the game.
void StoryMap::Measure() {
    std::vector<std::vector<int32_t>> before(nodes_.size());
    for (size_t i = 0; i < nodes_.size(); ++i)
        for (int32_t j : nodes_[i].next) before[j].push_back(static_cast<int32_t>(i));
    std::deque<int32_t> work;
    for (size_t i = 0; i < nodes_.size(); ++i) {
        nodes_[i].distance = nodes_[i].ends ? 1 : -1;
        if (nodes_[i].ends) work.push_back(static_cast<int32_t>(i));
    }
    while (!work.empty()) {
        const int32_t j = work.front();
        work.pop_front();
        for (int32_t i : before[j]) {
            if (nodes_[i].distance >= 0) continue;
            nodes_[i].distance = nodes_[j].distance + 1;
            work.push_back(i);
        }
    }
}

int StoryMap::Distance(const StoryKey& from, const Story& rules) {
    UseRules(rules);
    return nodes_[Learn(from)].distance;
}

std::vector<StoryStep> StoryMap::WayOn(const StoryKey& from, const Story& rules) {
    std::vector<StoryStep> way;
    int distance = Distance(from, rules);
    StoryKey at = from;
    while (distance > 0) {
        const StoryStep* chosen = nullptr;
        const std::vector<StoryStep> steps = Steps(at, *story_);
        for (const StoryStep& s : steps) {
            const bool closer = s.ends ? distance == 1 : nodes_[index_.at(s.to)].distance == distance - 1;
            if (closer) {
                chosen = &s;
                break;
            }
        }
        if (!chosen) break;  // cannot be: a distance is always one more than a next state's
        way.push_back(*chosen);
        if (chosen->ends || chosen->purpose.kind != Purpose::None) break;
        at = chosen->to;
        distance -= 1;
    }
    return way;
}

}  // namespace vz
