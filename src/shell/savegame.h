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

// Reads a record from a file's bytes; false for a file too short to hold one.
bool DecodeSaveRecord(const std::vector<uint8_t>& bytes, SaveRecord& record);
// False for a record holding a value the game could never have written where it would do harm.
bool SaveRecordIsSound(const SaveRecord& record);
// Writes a sound record back into the game (loads its location too).
void SpreadSaveRecord(const SaveRecord& record, World& world, Story& story, Files& files);

enum class SaveOutcome { Saved, CannotCreate, WriteFailed };
enum class LoadOutcome { Loaded, NoSave, Damaged };

// Notices the player sees when a save goes wrong.
inline constexpr const char* kCannotCreateNotice = "false file name";
inline constexpr const char* kWriteErrorNotice = "Write error";
inline constexpr const char* kDamagedNotice = "The saved game is damaged";

// Writes the game's record to files.places.save; the previous saved game stays whole whatever goes wrong.
SaveOutcome SaveGameToFile(const World& world, const Story& story, Files& files);
// Reads and, when it is sound, restores the saved game: the one at files.places.save, or when there
// is none there, the one at files.places.oldSave. A damaged file is left as it is.
LoadOutcome LoadGameFromFile(World& world, Story& story, Files& files);

}  // namespace vz
