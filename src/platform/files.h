// Whole-file reads and writes, behind an interface so tests can make the disk misbehave.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
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

// What stands at a path, as a reader of it would find it.
struct FileCheck {
    enum Kind {
        Missing,     // nothing there
        Readable,    // a regular file that can be read (it may still be too large)
        Unreadable,  // something is there, but it cannot be read: no permission, a folder, a FIFO...
    } kind = Missing;
    std::string why;  // for Unreadable, in the system's words: "Permission denied", "a folder, not a file"
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
    // over the old one only after every byte was written and flushed; on failure it is removed. The
    // new file keeps the old one's permissions. Temporary files that an earlier run of the game
    // left beside it (killed in the middle of a write) are cleaned away first. On failure
    // `writeProblem` names the system's reason.
    virtual WriteResult ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes);
    virtual bool DirectoryExists(const std::string& path);
    // True when anything is there, or when something may be there that cannot be looked at (a
    // folder on the way that cannot be entered); false only when nothing is.
    virtual bool FileExists(const std::string& path);
    // Looks at what stands at `path` without reading it, never waiting. Files kept anywhere but on
    // this disk need only answer FileExists: this then takes them as readable.
    virtual FileCheck CheckFile(const std::string& path);
    // Renames whatever stands at `path` to `path + suffix`, or with " 2", " 3"... after that when
    // the name is taken, never replacing anything. The new path, or empty with `writeProblem` set.
    virtual std::string MoveAside(const std::string& path, const std::string& suffix);
    // Tells the player's terminal about a problem with a file; standard error by default.
    virtual void Report(const std::string& text);
    // The same, once per run for each `key` (a picture's path, say), however often it happens.
    void ReportOnce(const std::string& key, const std::string& text);

    // Where this run's pictures and saved game are; the readers of pictures and the saved game
    // look here, the reads and writes above take the paths as they are given.
    FilePlaces places;
    // Why the last ReplaceFile or MoveAside failed, in the system's words; empty where not known.
    std::string writeProblem;

protected:
    // ReadInPlace done through ReadWholeFile, for files kept anywhere but on the disk.
    bool ReadInPlaceFromWholeFile(const std::string& path, size_t maxBytes, std::span<uint8_t> head,
                                  const PlaceBody& place, size_t& bodyBytes);

private:
    std::set<std::string> reported_;
};

// Reads a whole regular file of at most maxBytes bytes from the disk, never waiting on a FIFO or a
// device: the one way every file of the game is read.
bool ReadRegularFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes);

// Why ReadWholeFile(path, ..., maxBytes) failed, in a few words for a message ("no such file",
// "a folder, not a file", ...). Only for messages: the file may have changed in between.
std::string WhyUnreadable(const std::string& path, size_t maxBytes);

// Creates a new file for writing, never following a link and never opening anything already
// there (a file, a link, a FIFO): the descriptor, or -1 with errno set (EEXIST when the name is
// taken by anything at all).
int CreateNewFile(const std::string& path, mode_t mode);

// Creates a new temporary file "<path>.tmp-<8 hex digits>" beside `path` (as CreateNewFile does) and
// locks it for as long as a descriptor of it stays open; such files nobody holds, left by a run
// that was killed while writing, are removed first. The descriptor, or -1 with errno set.
int CreateTemporaryFile(const std::string& path, std::string& temp);

// Renames `from` to `to` only when nothing is at `to`: else -1 with errno EEXIST, and nothing moves.
int RenameWithoutReplacing(const std::string& from, const std::string& to);

// The folder below the working directory that holds the pictures.
inline constexpr const char* kPictureFolder = "images";

// The largest picture file the game will read (a 1024 x 768 picture is about 1.5 MB).
inline constexpr size_t kMaxPictureFileBytes = 16u * 1024u * 1024u;

}  // namespace vz
