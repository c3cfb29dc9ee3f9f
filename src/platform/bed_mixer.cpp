// Crossfading looped beds: equal-power fades counted in sample frames, a smoothed volume, nothing
// decoded while nothing is heard.
#include "platform/bed_mixer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vz {

namespace {

constexpr int kChunkFrames = 1024;  // mixed at a time; the buffers never grow in the device's thread

}  // namespace

BedMixer::BedMixer(int crossfadeFrames)
    : fadeFrames_(std::max(1, crossfadeFrames)), mix_(kChunkFrames * 2), read_(kChunkFrames * 2) {
    // Room enough that handing a source back never allocates in the device's thread.
    finished_.reserve(16);
}

void BedMixer::Switch(Layer layer, std::unique_ptr<SampleSource> next) {
    std::lock_guard lock(mutex_);
    // At most one piece fades out per layer: one still leaving from a switch before goes at once
    // (switches come a scene apart, so it is all but silent by then).
    auto& voices = layers_[layer];
    for (auto it = voices.begin(); it != voices.end();) {
        if (it->direction < 0) {
            finished_.push_back(std::move(it->source));
            it = voices.erase(it);
        } else {
            it->direction = -1;
            ++it;
        }
    }
    if (next) layers_[layer].push_back(Voice{std::move(next), 0, 1});
}

void BedMixer::SetGain(float gain) {
    std::lock_guard lock(mutex_);
    gain_ = std::clamp(gain, 0.0f, 1.0f);
}

void BedMixer::SetPaused(bool paused) {
    std::lock_guard lock(mutex_);
    paused_ = paused;
}

void BedMixer::DropFinished() {
    std::vector<std::unique_ptr<SampleSource>> gone;
    {
        std::lock_guard lock(mutex_);
        gone.reserve(finished_.size());
        for (auto& source : finished_) gone.push_back(std::move(source));
        finished_.clear();  // keeps its room
    }
}

int BedMixer::Voices(Layer layer) const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(layers_[layer].size());
}

// Equal power: a piece fading in at one point of the fade and one fading out at the same point
// add up to the loudness of either, as two unrelated pieces do.
float BedMixer::Level(int position) const {
    return static_cast<float>(std::sin(0.5 * std::numbers::pi * position / fadeFrames_));
}

void BedMixer::MixVoice(Voice& voice, float* mix, int frames) {
    const int got = voice.source->Read(read_.data(), frames);
    if (got < frames) voice.direction = 0;  // failed: heard no more
    for (int i = 0; i < got; ++i) {
        float level = 1.0f;
        if (voice.position < fadeFrames_ || voice.direction < 0) {
            level = Level(voice.position);
            voice.position = std::clamp(voice.position + voice.direction, 0, fadeFrames_);
        }
        mix[2 * i] += level * read_[2 * i];
        mix[2 * i + 1] += level * read_[2 * i + 1];
    }
}

void BedMixer::Mix(int16_t* out, int frames) {
    std::lock_guard lock(mutex_);
    const float target = paused_ ? 0.0f : gain_;
    if (target == 0.0f && applied_ == 0.0f) {
        std::fill(out, out + 2 * frames, int16_t{0});
        return;
    }
    const float start = applied_;
    for (int done = 0; done < frames;) {
        const int n = std::min(kChunkFrames, frames - done);
        std::fill(mix_.begin(), mix_.begin() + 2 * n, 0.0f);
        for (auto& layer : layers_)
            for (Voice& v : layer)
                if (v.direction != 0) MixVoice(v, mix_.data(), n);
        // The volume moves evenly from where the last block left it to where it is asked to be.
        for (int i = 0; i < n; ++i) {
            const float g = start + (target - start) * static_cast<float>(done + i + 1) / static_cast<float>(frames);
            for (int c = 0; c < 2; ++c) {
                const float s = std::clamp(mix_[2 * i + c] * g, -32768.0f, 32767.0f);
                out[2 * (done + i) + c] = static_cast<int16_t>(std::lrint(s));
            }
        }
        done += n;
    }
    applied_ = target;
    // Pieces faded out, or failed, are handed to the game's thread to be freed.
    for (auto& layer : layers_) {
        for (auto it = layer.begin(); it != layer.end();) {
            if (it->direction == 0 || (it->direction < 0 && it->position == 0)) {
                finished_.push_back(std::move(it->source));
                it = layer.erase(it);
            } else {
                ++it;
            }
        }
    }
}

}  // namespace vz
