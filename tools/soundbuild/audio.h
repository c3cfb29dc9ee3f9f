// Sound in the builder's hands: float samples, interleaved by channel, and what is done to a whole buffer.
#pragma once

#include <cstddef>
#include <vector>

namespace vz::soundbuild {

constexpr int kRate = 44100;  // every sound of the game

struct Audio {
    int rate = kRate;
    int channels = 1;
    std::vector<float> samples;  // frame after frame, each frame one sample per channel

    size_t Frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
    double Seconds() const { return rate > 0 ? static_cast<double>(Frames()) / rate : 0.0; }
};

// The largest magnitude of any sample, and the same in dBFS (-inf for silence).
float Peak(const Audio& audio);
double PeakDb(const Audio& audio);

void ApplyGain(Audio& audio, double db);

// Both channels of a stereo buffer mixed into one (half each, so a centred sound keeps its level).
Audio ToMono(const Audio& stereo);

// A loop of `loopFrames` from a rendering that runs on past it: what still rings after the end (the
// last notes, the reverb) is added onto the start, as it would sound when the loop comes round again.
void FoldTail(Audio& audio, size_t loopFrames);

// A loop of `loopFrames` from a source that simply goes on (noise, a held tone): the run-on part is
// crossfaded into the start over `fadeFrames`, so the last sample leads on into the first. `equalPower`
// suits unrelated signals (noise); a linear fade suits a signal that repeats itself.
void CrossfadeTail(std::vector<float>& mono, size_t loopFrames, size_t fadeFrames, bool equalPower);

// A one-shot sound cut where it has died away (below `floorDb` under its peak), ending in a short fade.
void TrimTail(Audio& audio, double floorDb, size_t fadeFrames);

// How far the samples leap when a looping sound wraps from its last frame to its first (largest over
// the channels), and that leap against the largest step the sound makes within 2 ms either side of the
// wrap: a click stands far above its neighbours (a ratio well over 1), a clean wrap is one of them.
double WrapJump(const Audio& audio);
double WrapJumpRatio(const Audio& audio);

// A loop started `frames` later: its first `frames` frames moved to its end.
void Rotate(Audio& audio, size_t frames);

}  // namespace vz::soundbuild
