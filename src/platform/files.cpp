// POSIX file access: plain reads, and writes that never leave a half-written file behind.
#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

bool Files::ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) {
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

namespace {

// Creates a new temporary file beside `path` and tells its name. O_EXCL makes the open fail rather
// than reuse anything already there: a file left by an earlier crash, or a link planted to make
// the game write somewhere else (with O_EXCL a link is never followed, O_NOFOLLOW only says so
// twice). The name is new each time, so nothing under any one name can keep the game from saving,
// and two games saving at once never write into each other's file.
int CreateTemporaryBeside(const std::string& path, std::string& temp) {
    static std::mt19937 names(std::random_device{}());
    for (int attempt = 0; attempt < 16; ++attempt) {
        // The process number mixed in keeps a forked copy of the game from drawing the same names.
        const unsigned name = static_cast<unsigned>(names()) ^ (static_cast<unsigned>(::getpid()) * 2654435761u);
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".tmp-%08x", name);
        temp = path + suffix;
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

WriteResult Files::ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temp;
    const int fd = CreateTemporaryBeside(path, temp);
    if (fd < 0) return WriteResult::CannotCreate;
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    bool ok = done == bytes.size() && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return WriteResult::WriteFailed;
    }
    // Make the rename itself survive a crash.
    std::string dir = ".";
    if (auto slash = path.find_last_of('/'); slash != std::string::npos) dir = path.substr(0, slash);
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return WriteResult::Ok;
}

bool Files::DirectoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Files::FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::string WhyUnreadable(const std::string& path, size_t maxBytes) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return errno == ENOENT ? "no such file" : std::strerror(errno);
    if (S_ISDIR(st.st_mode)) return "a folder, not a file";
    if (!S_ISREG(st.st_mode)) return "not a regular file";
    if (static_cast<uint64_t>(st.st_size) > maxBytes) return "larger than " + std::to_string(maxBytes) + " bytes";
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::strerror(errno);
    ::close(fd);
    return "it could not be read";
}


}  // namespace vz
