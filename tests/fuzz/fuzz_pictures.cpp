// Fuzz target: the picture readers with arbitrary file contents.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/sbf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    static vz::Surface cursor = vz::CreateOffscreenSurface(32, 32);
    static vz::Surface button = vz::CreateOffscreenSurface(300, 60);
    static vz::WalkMask mask{};
    vz::DecodeSbf(bytes, cursor);
    vz::DecodeSbf(bytes, button);
    vz::DecodeWalkMask(bytes, mask);
    return 0;
}
