// Written files kept under the browser's store folder; everything else read from the page's package.
#include "platform/web/web_store.h"

#include <sys/stat.h>

#include <cerrno>

namespace vz {

std::string StoreFiles::InStore(const std::string& path) const {
    // Only the game's own relative names are redirected; a full path already says where it is.
    if (path.empty() || path.front() == '/') return path;
    return store_ + "/" + path;
}

std::string StoreFiles::Where(const std::string& path) const {
    const std::string stored = InStore(path);
    struct stat st {};
    return ::lstat(stored.c_str(), &st) == 0 ? stored : path;
}

bool StoreFiles::ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) {
    return Files::ReadWholeFile(Where(path), bytes, maxBytes);
}

bool StoreFiles::ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head, const PlaceBody& place,
                             size_t& bodyBytes) {
    return Files::ReadInPlace(Where(path), maxBytes, head, place, bodyBytes);
}

WriteResult StoreFiles::ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string stored = InStore(path);
    if (stored == path) return Files::ReplaceFile(path, bytes);
    // The folders on the way, one by one; one that cannot be made leaves the write to fail below.
    for (size_t slash = store_.size() + 1; (slash = stored.find('/', slash)) != std::string::npos; ++slash) {
        const std::string folder = stored.substr(0, slash);
        if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) break;
    }
    return Files::ReplaceFile(stored, bytes);
}

bool StoreFiles::DirectoryExists(const std::string& path) { return Files::DirectoryExists(Where(path)); }

bool StoreFiles::FileExists(const std::string& path) { return Files::FileExists(Where(path)); }

}  // namespace vz
