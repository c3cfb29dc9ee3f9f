// Gathering, checking and spreading the saved game's record.
#include "shell/savegame.h"

namespace vz {

namespace {

constexpr int kLocationSlot = 0;
constexpr int kHeroSlot = 1;  // x, y, facing
constexpr int kObjectSlots = 4;  // carried, inScene, sceneScript per object
constexpr int kDialogueSlots = 79;
constexpr int kLeafPlantTakeableSlot = 91;
constexpr int kRaftTakeableSlot = 92;
constexpr int kJimPresentSlot = 93;
constexpr int kRaftComboSlot = 94;
constexpr int kNoRaftMessageSlot = 95;

int32_t Flag(bool b) { return b ? 1 : 0; }

// The scene an object may hold: the ship its search, the leaf plant its leaves.
int32_t OwnScene(int object) {
    if (object == kShip) return 0;
    if (object == kLeafPlant) return 1;
    return -1;
}

}  // namespace

bool HeroCanStandAt(int32_t x, int32_t y) {
    return x >= kHeroMinX && x <= kHeroMaxX && y >= kHeroMinY && y <= kHeroMaxY && x % kHeroStep == 0 &&
           y % kHeroStep == 0;
}

SaveRecord GatherSaveRecord(const World& world, const Story& story) {
    SaveRecord r{};
    r[kLocationSlot] = world.locationIndex;
    r[kHeroSlot] = world.hero.x;
    r[kHeroSlot + 1] = world.hero.y;
    r[kHeroSlot + 2] = world.hero.facing;
    for (int i = 0; i < kObjectCount; ++i) {
        r[kObjectSlots + 3 * i] = world.carried[i];
        r[kObjectSlots + 3 * i + 1] = world.objects[i].inScene;
        r[kObjectSlots + 3 * i + 2] = world.objects[i].sceneScript;
    }
    int slot = kDialogueSlots;
    for (const DialogueTree& tree : story.trees) {
        for (int c = 0; c < tree.choiceCount; ++c) r[slot++] = tree.choices[c].available;
    }
    r[kLeafPlantTakeableSlot] = world.objects[kLeafPlant].takeable;
    r[kRaftTakeableSlot] = world.objects[kRaft].takeable;
    r[kJimPresentSlot] = world.persons[kJim].present;
    r[kRaftComboSlot] = story.raftComboItem();
    r[kNoRaftMessageSlot] = story.noRaftMessageItem();
    return r;
}

std::vector<uint8_t> EncodeSaveRecord(const SaveRecord& record) {
    std::vector<uint8_t> bytes(kSaveBytes);
    for (int i = 0; i < kSaveSlots; ++i) {
        const uint32_t v = static_cast<uint32_t>(record[i]);
        for (int b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<uint8_t>(v >> (8 * b));
    }
    return bytes;
}

bool DecodeSaveRecord(const std::vector<uint8_t>& bytes, SaveRecord& record) {
    if (bytes.size() != kSaveBytes) return false;
    for (int i = 0; i < kSaveSlots; ++i) {
        uint32_t v = 0;
        for (int b = 0; b < 4; ++b) v |= static_cast<uint32_t>(bytes[4 * i + b]) << (8 * b);
        record[i] = static_cast<int32_t>(v);
    }
    return true;
}

bool SaveRecordIsSound(const SaveRecord& r) {
    if (r[kLocationSlot] < 0 || r[kLocationSlot] >= kLocationCount) return false;
    if (!HeroCanStandAt(r[kHeroSlot], r[kHeroSlot + 1])) return false;
    if (r[kHeroSlot + 2] < 0 || r[kHeroSlot + 2] > 3) return false;
    for (int i = 0; i < kObjectCount; ++i) {
        const int32_t script = r[kObjectSlots + 3 * i + 2];
        if (script != -1 && script != OwnScene(i)) return false;
    }
    return true;
}

void SpreadSaveRecord(const SaveRecord& r, World& world, Story& story, Files& files) {
    world.locationIndex = r[kLocationSlot];
    LoadLocation(world.location, files, world.locationIndex);
    world.hero.x = world.hero.targetX = r[kHeroSlot];
    world.hero.y = world.hero.targetY = r[kHeroSlot + 1];
    world.hero.facing = r[kHeroSlot + 2];
    for (int i = 0; i < kObjectCount; ++i) {
        world.carried[i] = Flag(r[kObjectSlots + 3 * i] != 0);
        world.objects[i].inScene = Flag(r[kObjectSlots + 3 * i + 1] != 0);
        world.objects[i].sceneScript = r[kObjectSlots + 3 * i + 2];
    }
    int slot = kDialogueSlots;
    for (DialogueTree& tree : story.trees) {
        for (int c = 0; c < tree.choiceCount; ++c) tree.choices[c].available = Flag(r[slot++] != 0);
    }
    world.objects[kLeafPlant].takeable = Flag(r[kLeafPlantTakeableSlot] != 0);
    world.objects[kRaft].takeable = Flag(r[kRaftTakeableSlot] != 0);
    world.persons[kJim].present = Flag(r[kJimPresentSlot] != 0);
    story.raftComboItem() = r[kRaftComboSlot];
    story.noRaftMessageItem() = r[kNoRaftMessageSlot];
}

std::string UnreadableNotice(const std::string& why) {
    return "The saved game cannot be read (" + why + "). It is kept as it is; a new game starts.";
}

std::string KeptAsideNotice(const std::string& keptAside) {
    const size_t slash = keptAside.find_last_of('/');
    return "The old saved game could not be read; it was kept as " +
           (slash == std::string::npos ? keptAside : keptAside.substr(slash + 1));
}

SaveResult SaveGameToFile(const World& world, const Story& story, Files& files) {
    const std::string& path = files.places.save;
    SaveResult r;
    const FileCheck there = files.CheckFile(path);
    if (there.kind == FileCheck::Unreadable) {
        r.keptAside = files.MoveAside(path, kUnreadableSuffix);
        if (r.keptAside.empty()) {
            r.outcome = SaveOutcome::CannotCreate;
            r.detail = "the game was not saved: " + path + " cannot be read (" + there.why +
                       ") and cannot be moved aside (" + files.writeProblem + "), so it is left as it is";
            return r;
        }
        r.detail = "the saved game " + path + " could not be read (" + there.why + "); it was kept as " +
                   r.keptAside + " and the game saved in its place";
    }
    files.writeProblem.clear();
    const WriteResult written = files.ReplaceFile(path, EncodeSaveRecord(GatherSaveRecord(world, story)));
    const std::string reason = files.writeProblem.empty() ? "" : ": " + files.writeProblem;
    switch (written) {
        case WriteResult::Ok: r.outcome = SaveOutcome::Saved; break;
        case WriteResult::CannotCreate:
            r.outcome = SaveOutcome::CannotCreate;
            r.detail = "the game cannot be saved in " + path + reason;
            break;
        case WriteResult::WriteFailed:
            r.outcome = SaveOutcome::WriteFailed;
            r.detail = "the game could not be written whole to " + path + reason + "; the saved game before it is kept";
            break;
    }
    return r;
}

namespace {

// The save in its own place; when there is none, the one an older copy of the game left beside the
// pictures. That one is only read: the older copy may still be played.
std::string SaveToLoad(Files& files) {
    const FilePlaces& at = files.places;
    if (!files.FileExists(at.save) && !at.oldSave.empty() && files.FileExists(at.oldSave)) return at.oldSave;
    return at.save;
}

LoadResult Damaged(const std::string& path, const std::string& what) {
    return {LoadOutcome::Damaged, "", "the saved game " + path + " is damaged (" + what + "); it is left as it is"};
}

}  // namespace

LoadResult LoadGameFromFile(World& world, Story& story, Files& files) {
    const std::string path = SaveToLoad(files);
    std::vector<uint8_t> bytes;
    // A save is exactly 420 bytes; a larger file is not read at all, a shorter one is refused below.
    if (!files.ReadWholeFile(path, bytes, kSaveBytes)) {
        const FileCheck check = files.CheckFile(path);
        if (check.kind == FileCheck::Missing) return {LoadOutcome::NoSave, "", ""};
        if (check.kind == FileCheck::Unreadable)
            return {LoadOutcome::Unreadable, check.why,
                    "the saved game " + path + " cannot be read: " + check.why + "; it is left as it is"};
        return Damaged(path, "larger than a saved game's " + std::to_string(kSaveBytes) + " bytes");
    }
    SaveRecord record{};
    if (!DecodeSaveRecord(bytes, record))
        return Damaged(path, std::to_string(bytes.size()) + " bytes where a saved game has " + std::to_string(kSaveBytes));
    if (!SaveRecordIsSound(record)) return Damaged(path, "it holds values no saved game holds");
    SpreadSaveRecord(record, world, story, files);
    return {LoadOutcome::Loaded, "", ""};
}

}  // namespace vz
