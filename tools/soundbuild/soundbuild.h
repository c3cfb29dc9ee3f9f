// The sound builder's whole way from a source under art/sound/ to an Ogg Vorbis file at its level.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio.h"

namespace vz::soundbuild {

constexpr double kPeakCeilingDb = -1.0;  // no decoded sample may reach higher

// What a built sound measures, decoded again from its own bytes.
struct Figures {
    double loudness = 0;   // LUFS, integrated
    double peakDb = 0;     // dBFS, the largest decoded sample
    double seconds = 0;
    int channels = 0;
    bool loops = false;
    double wrapJump = 0;   // how far the samples leap from the last frame to the first
    double wrapRatio = 0;   // that leap against the steps right beside it (over 1: sharper than they are)
    size_t bytes = 0;
};

struct Built {
    std::vector<uint8_t> ogg;
    Figures figures;
};

// A ".score" (music, or an effect played on the soundfont's instruments) or a ".synth" recipe, rendered,
// brought to the loudness it asks for, encoded, and decoded again to check its peak.
bool BuildSound(const std::string& sourcePath, const std::string& soundfont, Built& built, std::string& error);

// The figures of a decoded sound; `loops` says whether to look at its wrap.
Figures Measure(const Audio& audio, bool loops);

// Reads a whole file; false if it cannot.
bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes);

// "music_beach: -20.1 LUFS, peak -4.8 dBFS, 48.00 s mono, loops (wrap leap 0.0097, 0.8 of the steps beside it), 199 KB"
std::string Describe(const std::string& name, const Figures& figures);

}  // namespace vz::soundbuild
