// Reading SBF pictures without ever trusting the header beyond the bytes actually there.
#include "platform/sbf.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

namespace vz {

namespace {

constexpr size_t kHeaderBytes = 12;
using Header = std::array<uint8_t, kHeaderBytes>;

// The last pixel a walk mask samples, counted from the picture's first.
constexpr int64_t kLastSample = (2 + 6 * 127) * 1024 + (4 + 8 * 127);

int32_t ReadI32(const uint8_t* b) {
    uint32_t v = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                 (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return static_cast<int32_t>(v);
}

// The number of pixels to read: those the header promises, as far as a file of this size holds
// them; -1 when the header is unusable (a size below 1, or more pixels than any picture file can
// hold). A file shorter than its header promises is not an error: the pixels it has are used.
int64_t PixelCount(const uint8_t* header, size_t fileSize) {
    if (fileSize < kHeaderBytes) return -1;
    int64_t first = ReadI32(header + 4);
    int64_t second = ReadI32(header + 8);
    if (first <= 0 || second <= 0) return -1;
    int64_t promised = first * second;  // both below 2^31, so this cannot overflow 64 bits
    if (promised > static_cast<int64_t>(kMaxPictureFileBytes / 2)) return -1;
    int64_t present = static_cast<int64_t>((fileSize - kHeaderBytes) / 2);
    return std::min(promised, present);
}

// The files store pixels little-endian, as they lie in memory on most machines.
void PixelsFromFileOrder(uint16_t* pixels, size_t count) {
    if constexpr (std::endian::native == std::endian::big)
        for (size_t i = 0; i < count; ++i) pixels[i] = static_cast<uint16_t>((pixels[i] >> 8) | (pixels[i] << 8));
}

// Reads a picture file's pixels straight into the span `where(count)` gives for the number of
// pixels the file holds (an empty span reads none); tells how many arrived, or -1 when the file is
// missing, unreadable or damaged beyond use.
template <typename Where>
int64_t ReadPixels(Files& files, const std::string& path, Where where) {
    Header header{};
    int64_t count = -1;
    std::span<uint16_t> pixels;
    auto place = [&](size_t fileSize) -> std::span<uint8_t> {
        count = PixelCount(header.data(), fileSize);
        if (count <= 0) return {};
        pixels = where(static_cast<size_t>(count));
        const size_t n = std::min(static_cast<size_t>(count), pixels.size());
        return {reinterpret_cast<uint8_t*>(pixels.data()), n * 2};
    };
    size_t bytes = 0;
    const std::string file = files.places.Picture(path);
    if (!files.ReadInPlace(file, kMaxPictureFileBytes, header, place, bytes) || count <= 0) return -1;
    PixelsFromFileOrder(pixels.data(), bytes / 2);
    return static_cast<int64_t>(bytes / 2);
}

template <typename PixelAt>
void SampleMask(WalkMask& mask, PixelAt pixelAt) {
    for (int r = 0; r < kMaskCells; ++r) {
        for (int c = 0; c < kMaskCells; ++c) {
            size_t pixel = static_cast<size_t>(2 + 6 * r) * 1024 + static_cast<size_t>(4 + 8 * c);
            mask[static_cast<size_t>(r) * kMaskCells + c] = pixelAt(pixel) == 0x0000 ? 1 : 0;
        }
    }
}

}  // namespace

bool DecodeSbf(const std::vector<uint8_t>& bytes, Surface& surface) {
    const int64_t count = PixelCount(bytes.data(), bytes.size());
    if (count <= 0 || surface.Empty()) return false;
    size_t n = std::min(static_cast<size_t>(count), surface.pixels.size());
    std::memcpy(surface.pixels.data(), bytes.data() + kHeaderBytes, n * 2);
    PixelsFromFileOrder(surface.pixels.data(), n);
    surface.filled = true;
    return true;
}

namespace {

// Names a picture that could not be shown (missing, unreadable, damaged or cut short) on the
// player's terminal, once a run for each file: a black scene or a missing figure gets its reason.
void ReportPicture(Files& files, const std::string& path, const std::string& problem) {
    const std::string file = files.places.Picture(path);
    files.ReportOnce(file, "the picture " + file + " " + problem);
}

// Why a picture file gave no pixels.
std::string WhyNoPixels(Files& files, const std::string& path) {
    const FileCheck check = files.CheckFile(files.places.Picture(path));
    if (check.kind == FileCheck::Missing) return "is missing";
    if (check.kind == FileCheck::Unreadable) return "cannot be read (" + check.why + ")";
    return "is damaged";
}

}  // namespace

bool LoadSbfSurface(Files& files, const std::string& path, Surface& surface) {
    if (surface.Empty()) return false;
    const int64_t read = ReadPixels(files, path, [&](size_t) { return std::span<uint16_t>(surface.pixels); });
    if (read < 0) {
        ReportPicture(files, path, WhyNoPixels(files, path) + "; it is not shown");
        return false;
    }
    if (static_cast<uint64_t>(read) < surface.pixels.size())
        ReportPicture(files, path,
                      "is cut short: it holds " + std::to_string(read) + " of its " +
                          std::to_string(surface.pixels.size()) + " pixels");
    surface.filled = true;
    return true;
}

Surface LoadPicture(Files& files, const std::string& path, int width, int height) {
    Surface s = CreateOffscreenSurface(width, height);
    if (LoadSbfSurface(files, path, s)) return s;
    // A picture that cannot be read is not seen, and needs no memory either.
    Surface unseen;
    unseen.filled = false;
    return unseen;
}

bool DecodeWalkMask(const std::vector<uint8_t>& bytes, WalkMask& mask) {
    const int64_t count = PixelCount(bytes.data(), bytes.size());
    if (count <= kLastSample) return false;
    SampleMask(mask, [&](size_t i) {
        const uint8_t* p = bytes.data() + kHeaderBytes + 2 * i;
        return static_cast<uint16_t>(p[0] | (p[1] << 8));
    });
    return true;
}

bool LoadWalkMask(Files& files, const std::string& path, WalkMask& mask) {
    // Only the pixels up to the last sample point are read, into memory taken only for a file
    // that holds them all.
    constexpr size_t kNeeded = kLastSample + 1;
    std::unique_ptr<uint16_t[]> pixels;
    auto where = [&](size_t count) -> std::span<uint16_t> {
        if (count < kNeeded) return {};
        pixels.reset(new uint16_t[kNeeded]);
        return {pixels.get(), kNeeded};
    };
    const int64_t read = ReadPixels(files, path, where);
    if (read < static_cast<int64_t>(kNeeded)) {
        ReportPicture(files, path,
                      (read < 0 ? WhyNoPixels(files, path) : "is too short for a walk mask") +
                          "; the walk mask before it stays in force");
        return false;
    }
    SampleMask(mask, [&](size_t i) { return pixels[i]; });
    return true;
}

}  // namespace vz
