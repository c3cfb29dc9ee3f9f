// Fuzz target: the picture readers with arbitrary file contents, decoded in memory and read in place.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sbf.h"

namespace {

// One file held in memory, read the way the game reads pictures (straight into the surface).
class OneFile : public vz::Files {
public:
    explicit OneFile(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    bool ReadWholeFile(const std::string&, std::vector<uint8_t>& bytes, size_t maxBytes) override {
        if (bytes_.size() > maxBytes) return false;
        bytes = bytes_;
        return true;
    }
    bool ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head, const PlaceBody& place,
                     size_t& bodyBytes) override {
        return ReadInPlaceFromWholeFile(path, maxBytes, head, place, bodyBytes);
    }

private:
    const std::vector<uint8_t>& bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    static vz::Surface cursor = vz::CreateOffscreenSurface(32, 32);
    static vz::Surface button = vz::CreateOffscreenSurface(300, 60);
    static vz::WalkMask mask{};
    vz::DecodeSbf(bytes, cursor);
    vz::DecodeSbf(bytes, button);
    vz::DecodeWalkMask(bytes, mask);

    // Reading in place must give exactly what decoding the same bytes gives.
    OneFile file(bytes);
    vz::Surface decoded = vz::CreateOffscreenSurface(7, 5), read = vz::CreateOffscreenSurface(7, 5);
    const bool decodedOk = vz::DecodeSbf(bytes, decoded);
    const bool readOk = vz::LoadSbfSurface(file, "picture.sbf", read);
    if (decodedOk != readOk || decoded.pixels != read.pixels || decoded.filled != read.filled) __builtin_trap();
    vz::WalkMask fromMemory{}, fromFile{};
    if (vz::DecodeWalkMask(bytes, fromMemory) != vz::LoadWalkMask(file, "mask_i.sbf", fromFile) ||
        fromMemory != fromFile)
        __builtin_trap();
    return 0;
}
