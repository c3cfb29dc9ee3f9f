// Whole-file reads and writes, behind an interface so tests can make the disk misbehave.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/paths.h"

namespace vz {

enum class WriteResult {
    Ok,
    CannotCreate,  // the file (or its temporary twin) could not be created
    WriteFailed,   // created, but the bytes did not all reach the disk; the old file is untouched
};

class Files {
public:
    virtual ~Files() = default;
    // Reads a whole file of at most maxBytes bytes. False when it cannot be opened or read, is larger,
    // or is not a regular file (a folder, a FIFO, a device); finding that out never blocks.
    virtual bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes);
    // Reads a file whose head says where the rest goes: the first head.size() bytes into `head`, then
    // as many of the following bytes as fit into the span `place(fileSize)` returns (it sees the head
    // filled). Pictures use it to read their pixels straight into place, with no copy of their own.
    // Tells how many bytes went into that span; false when the file cannot be opened or read, is
    // larger than maxBytes, is shorter than its head, or is not a regular file.
    using PlaceBody = std::function<std::span<uint8_t>(size_t fileSize)>;
    virtual bool ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head,
                             const PlaceBody& place, size_t& bodyBytes);
    // Replaces a file all at once: the bytes go to a new temporary file beside it, which is renamed
    // over the old one only after every byte was written and flushed; on failure it is removed.
    virtual WriteResult ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes);
    virtual bool DirectoryExists(const std::string& path);
    virtual bool FileExists(const std::string& path);

    // Where this run's pictures and saved game are; the readers of pictures and the saved game
    // look here, the reads and writes above take the paths as they are given.
    FilePlaces places;

protected:
    // ReadInPlace done through ReadWholeFile, for files kept anywhere but on the disk.
    bool ReadInPlaceFromWholeFile(const std::string& path, size_t maxBytes, std::span<uint8_t> head,
                                  const PlaceBody& place, size_t& bodyBytes);
};

// Why ReadWholeFile(path, ..., maxBytes) failed, in a few words for a message ("no such file",
// "a folder, not a file", ...). Only for messages: the file may have changed in between.
std::string WhyUnreadable(const std::string& path, size_t maxBytes);

// The folder below the working directory that holds the pictures.
inline constexpr const char* kPictureFolder = "images";

// The largest picture file the game will read (a 1024 x 768 picture is about 1.5 MB).
inline constexpr size_t kMaxPictureFileBytes = 16u * 1024u * 1024u;

}  // namespace vz
