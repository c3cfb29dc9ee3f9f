// The web build's files: the pictures packaged with the page, and a store for what the game writes.
#pragma once

#include <string>

#include "platform/files.h"

namespace vz {

// Every file the game writes (the saved game) goes below the store's folder, which the page keeps
// in the browser between visits; the package of pictures is never written. A file the game has
// written is read back from the store, anything else from the package.
class StoreFiles : public Files {
public:
    explicit StoreFiles(std::string storeFolder) : store_(std::move(storeFolder)) {}

    // The one place that says where a file the game names lives.
    std::string Where(const std::string& path) const;
    const std::string& StoreFolder() const { return store_; }

    bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) override;
    bool ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head, const PlaceBody& place,
                     size_t& bodyBytes) override;
    // Makes the folders below the store first; the old file stays whole when anything fails.
    WriteResult ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes) override;
    bool DirectoryExists(const std::string& path) override;
    bool FileExists(const std::string& path) override;

private:
    std::string InStore(const std::string& path) const;

    std::string store_;
};

}  // namespace vz
