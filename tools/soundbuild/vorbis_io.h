// Ogg Vorbis in and out of memory, the same bytes for the same samples on every build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio.h"

namespace vz::soundbuild {

// Encodes at a Vorbis quality (-0.1 .. 1.0) into one logical stream with the given serial number and no
// comments, so nothing but the samples and these two settings decides the bytes.
bool EncodeVorbis(const Audio& audio, float quality, uint32_t serial, std::vector<uint8_t>& out, std::string& error);

// Decodes a whole Ogg Vorbis file; a damaged or foreign file gives false and a reason.
bool DecodeVorbis(const std::vector<uint8_t>& bytes, Audio& out, std::string& error);

}  // namespace vz::soundbuild
