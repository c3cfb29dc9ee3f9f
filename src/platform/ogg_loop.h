// A sound file played in a loop, decoded from disk as it plays (never whole into memory).
#pragma once

#include <memory>
#include <string>

#include "platform/bed_mixer.h"

namespace vz {

// Opens an Ogg Vorbis file of one or two channels at kSoundRate for endless playing: after its
// last sample comes its first again. Null, with the reason in `problem`, for a file that is
// missing, empty, not Ogg Vorbis, of another rate or more channels, or without a single sample.
// With `remember`, a loop of up to kMostRemembered frames keeps what it decodes the first time
// round and plays it from memory after that: a bed heard for minutes is decoded only once.
inline constexpr long kMostRemembered = 60L * kSoundRate;
std::unique_ptr<SampleSource> OpenOggLoop(const std::string& path, std::string& problem, bool remember = false);

}  // namespace vz
