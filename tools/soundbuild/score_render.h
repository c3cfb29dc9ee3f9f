// Playing a score through the General MIDI soundfont with the fluidsynth library.
#pragma once

#include <string>

#include "audio.h"
#include "score.h"

namespace vz::soundbuild {

// Stereo at 44.1 kHz: a looping score comes out exactly its song's length with the ringing folded onto
// the start, its first beat a few milliseconds in (the end's last moment comes before it); a one-shot is
// cut where it has died away.
bool RenderScore(const Score& score, const std::string& soundfont, Audio& out, std::string& error);

}  // namespace vz::soundbuild
