// Frames written as PNG files: the replay tool's shots and the game's screenshot key.
#pragma once

#include <cstdio>
#include <string>

#include "platform/surface.h"

namespace vz {

// Writes a frame as an 8-bit RGB PNG file. False when the file cannot be written.
bool WritePng(const Surface& frame, const std::string& path);
// The same into a file already open for writing, which stays open; false when a write failed.
bool WritePng(const Surface& frame, std::FILE* file);

}  // namespace vz
