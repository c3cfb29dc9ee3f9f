// The saved game: one 420-byte record of 105 little-endian integers in the file outro.sbf.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "logic/story.h"
#include "platform/files.h"
#include "world/world.h"

namespace vz {

inline constexpr int kSaveSlots = 105;
inline constexpr size_t kSaveBytes = kSaveSlots * 4;

using SaveRecord = std::array<int32_t, kSaveSlots>;

SaveRecord GatherSaveRecord(const World& world, const Story& story);
std::vector<uint8_t> EncodeSaveRecord(const SaveRecord& record);

// Reads a record from a file's bytes; false unless they are exactly one record's 420 bytes.
bool DecodeSaveRecord(const std::vector<uint8_t>& bytes, SaveRecord& record);
// Where a saved hero may stand: from his start and the exits' entry points (all on this grid) he
// walks 5 pixels a step, and the clamps of his walk target stop him at 10..900 x 10..460; one step
// further out, at 5, his picture is still whole on the screen. Anywhere else it could stick out
// past the screen's edge and not be drawn.
inline constexpr int kHeroStep = 5;
inline constexpr int kHeroMinX = 5, kHeroMaxX = 900;
inline constexpr int kHeroMinY = 5, kHeroMaxY = 460;
bool HeroCanStandAt(int32_t x, int32_t y);
// False for a record holding a value the game could never have written where it would do harm.
bool SaveRecordIsSound(const SaveRecord& record);
// Writes a sound record back into the game (loads its location too).
void SpreadSaveRecord(const SaveRecord& record, World& world, Story& story, Files& files);

enum class SaveOutcome { Saved, CannotCreate, WriteFailed };
enum class LoadOutcome { Loaded, NoSave, Damaged, Unreadable };

// What became of a save, with the words for the player's terminal when anything went wrong.
struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Saved;
    std::string keptAside;  // where a saved game that could not be read was put before saving
    std::string detail;     // the file and the system's reason, for standard error; empty when all went well
};

struct LoadResult {
    LoadOutcome outcome = LoadOutcome::NoSave;
    std::string why;     // for Unreadable: why the file cannot be read, in the system's words
    std::string detail;  // the file and what is wrong with it, for standard error
};

// Notices the player sees when a save goes wrong.
inline constexpr const char* kCannotCreateNotice = "false file name";
inline constexpr const char* kWriteErrorNotice = "Write error";
inline constexpr const char* kDamagedNotice = "The saved game is damaged";
// A saved game the game may not read is not damaged: it is only out of reach, and it is kept.
std::string UnreadableNotice(const std::string& why);
std::string KeptAsideNotice(const std::string& keptAside);
// What a saved game that cannot be read is renamed to, beside it, before a new one takes its place.
inline constexpr const char* kUnreadableSuffix = ".unreadable";

// Writes the game's record to files.places.save; the previous saved game stays whole whatever goes
// wrong. Whatever stands there that cannot be read (a file of someone else's, a folder) is never
// replaced unseen: it is moved aside first, and when that cannot be done the game is not saved.
SaveResult SaveGameToFile(const World& world, const Story& story, Files& files);
// Reads and, when it is sound, restores the saved game: the one at files.places.save, or when there
// is none there, the one at files.places.oldSave. A damaged or unreadable file is left as it is.
LoadResult LoadGameFromFile(World& world, Story& story, Files& files);

}  // namespace vz
