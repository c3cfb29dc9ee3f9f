// Reading SBF pictures without ever trusting the header beyond the bytes actually there.
#include "platform/sbf.h"

#include <algorithm>

namespace vz {

namespace {

constexpr size_t kHeaderBytes = 12;

int32_t ReadI32(const std::vector<uint8_t>& b, size_t at) {
    uint32_t v = static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
                 (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
    return static_cast<int32_t>(v);
}

uint16_t PixelAt(const std::vector<uint8_t>& b, size_t index) {
    size_t at = kHeaderBytes + 2 * index;
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

// The number of pixels to read: those the header promises, as far as the file holds them; -1 when
// the header is unusable (too short, a size below 1, or more pixels than any picture file can hold).
// A file shorter than its header promises is not an error: the pixels it has are used.
int64_t PixelCount(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < kHeaderBytes) return -1;
    int64_t first = ReadI32(bytes, 4);
    int64_t second = ReadI32(bytes, 8);
    if (first <= 0 || second <= 0) return -1;
    int64_t promised = first * second;  // both below 2^31, so this cannot overflow 64 bits
    if (promised > static_cast<int64_t>(kMaxPictureFileBytes / 2)) return -1;
    int64_t present = static_cast<int64_t>((bytes.size() - kHeaderBytes) / 2);
    return std::min(promised, present);
}

}  // namespace

bool DecodeSbf(const std::vector<uint8_t>& bytes, Surface& surface) {
    const int64_t count = PixelCount(bytes);
    if (count <= 0 || surface.Empty()) return false;
    size_t n = std::min(static_cast<size_t>(count), surface.pixels.size());
    for (size_t i = 0; i < n; ++i) surface.pixels[i] = PixelAt(bytes, i);
    surface.filled = true;
    return true;
}

bool LoadSbfSurface(Files& files, const std::string& path, Surface& surface) {
    std::vector<uint8_t> bytes;
    if (!files.ReadWholeFile(path, bytes, kMaxPictureFileBytes)) return false;
    return DecodeSbf(bytes, surface);
}

Surface LoadPicture(Files& files, const std::string& path, int width, int height) {
    Surface s = CreateOffscreenSurface(width, height);
    LoadSbfSurface(files, path, s);
    return s;
}

bool DecodeWalkMask(const std::vector<uint8_t>& bytes, WalkMask& mask) {
    constexpr int64_t kLastSample = (2 + 6 * 127) * 1024 + (4 + 8 * 127);
    const int64_t count = PixelCount(bytes);
    if (count <= kLastSample) return false;
    for (int r = 0; r < kMaskCells; ++r) {
        for (int c = 0; c < kMaskCells; ++c) {
            size_t pixel = static_cast<size_t>(2 + 6 * r) * 1024 + static_cast<size_t>(4 + 8 * c);
            mask[static_cast<size_t>(r) * kMaskCells + c] = PixelAt(bytes, pixel) == 0x0000 ? 1 : 0;
        }
    }
    return true;
}

bool LoadWalkMask(Files& files, const std::string& path, WalkMask& mask) {
    std::vector<uint8_t> bytes;
    if (!files.ReadWholeFile(path, bytes, kMaxPictureFileBytes)) return false;
    return DecodeWalkMask(bytes, mask);
}

}  // namespace vz
