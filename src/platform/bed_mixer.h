// The looped beds under the game, music and ambience, each crossfading from one piece to the next,
// mixed block by block for the sound device. No device here: the backend hands its buffers in.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace vz {

// An endless sound, 16-bit stereo at kSoundRate: a looping file being decoded as it plays.
class SampleSource {
public:
    virtual ~SampleSource() = default;
    // Writes `frames` interleaved stereo frames into `out`; fewer only once the source has failed
    // for good (a file damaged past some point), after which it is not read again.
    virtual int Read(int16_t* out, int frames) = 0;
};

inline constexpr int kSoundRate = 44100;

class BedMixer {
public:
    enum Layer { kMusic, kAmbience, kLayerCount };
    static constexpr int kCrossfadeFrames = kSoundRate;  // one second

    explicit BedMixer(int crossfadeFrames = kCrossfadeFrames);

    // The game's side. `next` (null: nothing) takes over the layer: it fades in while whatever
    // played fades out, both at once, so the layer never goes quiet between two pieces.
    void Switch(Layer layer, std::unique_ptr<SampleSource> next);
    // The volume factor. A change is spread over the next block, so it never clicks.
    void SetGain(float gain);
    // Paused (the player is away), the beds stand still and go on where they were.
    void SetPaused(bool paused);
    // Frees the sources no longer heard; never done in the sound device's thread.
    void DropFinished();
    // Pieces being heard or fading out, on one layer (for tests).
    int Voices(Layer layer) const;

    // The sound device's side: writes `frames` stereo frames into `out`. At a gain of nothing (muted
    // or paused), nothing is decoded and the beds stand still.
    void Mix(int16_t* out, int frames);

private:
    struct Voice {
        std::unique_ptr<SampleSource> source;
        int position = 0;  // 0 silent .. fade frames full, along the fade's curve
        int direction = 1;  // +1 fading in (or full), -1 fading out
    };
    void MixVoice(Voice& voice, float* mix, int frames);
    float Level(int position) const;

    const int fadeFrames_;
    mutable std::mutex mutex_;
    std::vector<Voice> layers_[kLayerCount];
    std::vector<std::unique_ptr<SampleSource>> finished_;
    float gain_ = 1.0f;     // asked for
    float applied_ = 0.0f;  // where the last block ended; the next starts from it
    bool paused_ = false;
    std::vector<float> mix_;
    std::vector<int16_t> read_;
};

}  // namespace vz
