// Whole-file reads and writes, behind an interface so tests can make the disk misbehave.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vz {

enum class WriteResult {
    Ok,
    CannotCreate,  // the file (or its temporary twin) could not be created
    WriteFailed,   // created, but the bytes did not all reach the disk; the old file is untouched
};

class Files {
public:
    virtual ~Files() = default;
    // Reads a whole file of at most maxBytes bytes. False when it cannot be opened or read, or is larger.
    virtual bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes);
    // Replaces a file all at once: the bytes go to a temporary file beside it, which is renamed over
    // the old one only after every byte was written and flushed.
    virtual WriteResult ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes);
    virtual bool DirectoryExists(const std::string& path);
    virtual bool FileExists(const std::string& path);
};

// The largest picture file the game will read (a 1024 x 768 picture is about 1.5 MB).
inline constexpr size_t kMaxPictureFileBytes = 16u * 1024u * 1024u;

}  // namespace vz
