// A loudness meter: ITU-R BS.1770 K-weighted loudness with the EBU R128 gates, in LUFS.
#pragma once

#include "audio.h"

namespace vz::soundbuild {

// One second-order filter section, a0 normalised to 1.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
};

// The two stages of the K-weighting at a sample rate: a high shelf (+4 dB above about 1.7 kHz, the
// head's effect) and a high-pass (below about 38 Hz, where the ear hears little).
Biquad KWeightingShelf(double rate);
Biquad KWeightingHighPass(double rate);

// Integrated loudness in LUFS: 400 ms blocks every 100 ms, the absolute gate at -70 LUFS, then the
// relative gate 10 LU under the loudness of what passed the first. A mono sound counts as both speakers
// playing it (the game plays a mono file on both). A sound shorter than one block is measured as one
// block with silence after it. -inf for silence.
double IntegratedLoudness(const Audio& audio);

// The loudest 400 ms block (momentary loudness), in LUFS; -inf for silence.
double MaxMomentaryLoudness(const Audio& audio);

}  // namespace vz::soundbuild
