// SBF picture files (12-byte header, then RGB565 pixels) and the 128 x 128 walk masks made from them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/surface.h"

namespace vz {

inline constexpr int kMaskCells = 128;
// 1 blocked, 0 walkable; cell (r, c) at r * 128 + c samples the picture at (4 + 8c, 2 + 6r).
using WalkMask = std::array<int32_t, kMaskCells * kMaskCells>;

// Fills the surface from an SBF file's bytes. The header's two dimensions are used only through
// their product; a size below 1, a product larger than any picture file can hold, or a file without
// a single pixel is refused and leaves the surface as it was. A file shorter than its header
// promises loads the pixels it has. Pixels beyond the surface's size are ignored; a smaller
// picture fills only the leading pixels.
bool DecodeSbf(const std::vector<uint8_t>& bytes, Surface& surface);
bool LoadSbfSurface(Files& files, const std::string& path, Surface& surface);
// A new surface of the picture's size filled from its file; a file that cannot be read gives an
// empty picture that is simply not seen.
Surface LoadPicture(Files& files, const std::string& path, int width, int height);

// Fills the mask from a 1024-pixel-wide mask picture; a file that does not hold every sample point
// is refused and leaves the mask as it was.
bool DecodeWalkMask(const std::vector<uint8_t>& bytes, WalkMask& mask);
bool LoadWalkMask(Files& files, const std::string& path, WalkMask& mask);

}  // namespace vz
