// POSIX file access: plain reads, and writes that never leave a half-written file behind.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace vz {

namespace {

// Opens a file for reading only when it is a regular file of at most maxBytes; -1 otherwise.
// O_NONBLOCK keeps the open itself from waiting: a FIFO would otherwise block until someone writes
// to it, and a device may wait for its hardware. Reads from a regular file ignore the flag.
int OpenRegularFile(const std::string& path, size_t maxBytes, struct stat& st) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads up to `size` bytes, going on after short reads and interruptions; -1 on an error.
ssize_t ReadFully(int fd, uint8_t* to, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, to + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

}  // namespace

bool ReadRegularFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) {
    struct stat st {};
    const int fd = OpenRegularFile(path, maxBytes, st);
    if (fd < 0) return false;
    std::vector<uint8_t> data;
    data.reserve(static_cast<size_t>(st.st_size));
    uint8_t chunk[65536];
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (n == 0) break;
        if (data.size() + static_cast<size_t>(n) > maxBytes) {  // it grew while being read
            ok = false;
            break;
        }
        data.insert(data.end(), chunk, chunk + n);
    }
    ::close(fd);
    if (ok) bytes.swap(data);
    return ok;
}

bool Files::ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) {
    return ReadRegularFile(path, bytes, maxBytes);
}

bool Files::ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head, const PlaceBody& place,
                        size_t& bodyBytes) {
    bodyBytes = 0;
    struct stat st {};
    const int fd = OpenRegularFile(path, maxBytes, st);
    if (fd < 0) return false;
    bool ok = ReadFully(fd, head.data(), head.size()) == static_cast<ssize_t>(head.size());
    if (ok) {
        const size_t size = static_cast<size_t>(st.st_size);
        const std::span<uint8_t> body = place(size);
        const ssize_t n = ReadFully(fd, body.data(), std::min(body.size(), size - std::min(size, head.size())));
        ok = n >= 0;
        bodyBytes = ok ? static_cast<size_t>(n) : 0;
    }
    ::close(fd);
    return ok;
}

bool Files::ReadInPlaceFromWholeFile(const std::string& path, size_t maxBytes, std::span<uint8_t> head,
                                     const PlaceBody& place, size_t& bodyBytes) {
    bodyBytes = 0;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, maxBytes) || bytes.size() < head.size()) return false;
    std::memcpy(head.data(), bytes.data(), head.size());
    const std::span<uint8_t> body = place(bytes.size());
    bodyBytes = std::min(body.size(), bytes.size() - head.size());
    if (bodyBytes > 0) std::memcpy(body.data(), bytes.data() + head.size(), bodyBytes);
    return true;
}

int CreateNewFile(const std::string& path, mode_t mode) {
    // With O_EXCL a link is never followed, not even a dangling one; O_NOFOLLOW only says so twice.
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

namespace {

constexpr const char* kTemporaryMark = ".tmp-";
constexpr size_t kTemporaryDigits = 8;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void SyncFolder(const std::string& folder) {
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

// Creates a new temporary file beside `path` and tells its name. Creating it exclusively means
// nothing already there is ever reused: a file left by an earlier crash, or a link planted to make
// the game write somewhere else. The name is new each time, so nothing under any one name can keep
// the game from saving, and two games saving at once never write into each other's file. The file
// is locked while it is written: a temporary file nobody holds a lock on is a left-over.
int CreateTemporaryBeside(const std::string& path, std::string& temp) {
    static std::mt19937 names(std::random_device{}());
    for (int attempt = 0; attempt < 16; ++attempt) {
        // The process number mixed in keeps a forked copy of the game from drawing the same names.
        const unsigned name = static_cast<unsigned>(names()) ^ (static_cast<unsigned>(::getpid()) * 2654435761u);
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, "%s%08x", kTemporaryMark, name);
        temp = path + suffix;
        const int fd = CreateNewFile(temp, 0644);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return -1;
        }
        // Another game cleaning up may have taken the file away before the lock: then a new name.
        struct stat held {}, there {};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &held) == 0 && ::lstat(temp.c_str(), &there) == 0 &&
            held.st_ino == there.st_ino && held.st_dev == there.st_dev)
            return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

// True for "<name>.tmp-" and eight hexadecimal digits: a temporary file of ours for `name`.
bool IsTemporaryOf(const std::string& entry, const std::string& name) {
    const std::string stem = name + kTemporaryMark;
    if (entry.size() != stem.size() + kTemporaryDigits || entry.compare(0, stem.size(), stem) != 0) return false;
    return std::all_of(entry.begin() + static_cast<ptrdiff_t>(stem.size()), entry.end(),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// Removes the temporary files an earlier run left beside `path` when it was killed in the middle
// of a write. One being written now is locked by its writer and stays; links and anything but
// regular files are never touched.
void CleanStaleTemporaries(const std::string& path) {
    const std::string name = NameOf(path);
    DIR* dir = ::opendir(FolderOf(path).c_str());
    if (!dir) return;
    const int dfd = ::dirfd(dir);
    while (const dirent* e = ::readdir(dir)) {
        if (!IsTemporaryOf(e->d_name, name)) continue;
        const int fd = ::openat(dfd, e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat held {}, there {};
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dfd, e->d_name, &there, AT_SYMLINK_NOFOLLOW) == 0 && held.st_ino == there.st_ino &&
            held.st_dev == there.st_dev)
            ::unlinkat(dfd, e->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

}  // namespace

int RenameWithoutReplacing(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
#endif
    // A system or file system that cannot rename without replacing: look first.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.c_str(), to.c_str());
}

int CreateTemporaryFile(const std::string& path, std::string& temp) {
    CleanStaleTemporaries(path);
    return CreateTemporaryBeside(path, temp);
}

WriteResult Files::ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    writeProblem.clear();
    // The file replaced keeps its permissions: a save or a settings file kept at 600 stays so.
    struct stat old {};
    const bool keepMode = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    std::string temp;
    const int fd = CreateTemporaryFile(path, temp);
    if (fd < 0) {
        writeProblem = std::strerror(errno);
        return WriteResult::CannotCreate;
    }
    size_t done = 0;
    int error = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (error == 0 && keepMode && ::fchmod(fd, old.st_mode & 0777) != 0) error = errno;
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        writeProblem = std::strerror(error);
        return WriteResult::WriteFailed;
    }
    // Make the rename itself survive a crash.
    SyncFolder(FolderOf(path));
    return WriteResult::Ok;
}

bool Files::DirectoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Files::FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

FileCheck Files::CheckFile(const std::string& path) {
    if (!FileExists(path)) return {FileCheck::Missing, ""};
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        // Not on this disk although FileExists says it is there: kept elsewhere, in memory say.
        if (errno == ENOENT) return {FileCheck::Readable, ""};
        return {FileCheck::Unreadable, std::strerror(errno)};
    }
    if (S_ISDIR(st.st_mode)) return {FileCheck::Unreadable, "a folder, not a file"};
    if (!S_ISREG(st.st_mode)) return {FileCheck::Unreadable, "not a regular file"};
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {FileCheck::Unreadable, std::strerror(errno)};
    ::close(fd);
    return {FileCheck::Readable, ""};
}

std::string Files::MoveAside(const std::string& path, const std::string& suffix) {
    writeProblem.clear();
    for (int n = 1; n < 100; ++n) {
        const std::string aside = path + suffix + (n > 1 ? "-" + std::to_string(n) : "");
        if (RenameWithoutReplacing(path, aside) == 0) {
            SyncFolder(FolderOf(path));
            return aside;
        }
        if (errno != EEXIST) {
            writeProblem = std::strerror(errno);
            return {};
        }
    }
    writeProblem = "every name for it is taken";
    return {};
}

void Files::Report(const std::string& text) { std::fprintf(stderr, "vudizid: %s\n", text.c_str()); }

void Files::ReportOnce(const std::string& key, const std::string& text) {
    if (reported_.insert(key).second) Report(text);
}

std::string WhyUnreadable(const std::string& path, size_t maxBytes) {
    Files disk;
    const FileCheck check = disk.CheckFile(path);
    if (check.kind == FileCheck::Missing) return "no such file";
    if (check.kind == FileCheck::Unreadable) return check.why;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && static_cast<uint64_t>(st.st_size) > maxBytes)
        return "larger than " + std::to_string(maxBytes) + " bytes";
    return "it could not be read";
}

}  // namespace vz
