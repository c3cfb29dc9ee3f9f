// Whole-buffer work of the sound builder: gain, mixing down, making loops, trimming, the wrap's leap.
#include "audio.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vz::soundbuild {

float Peak(const Audio& audio) {
    float peak = 0.0f;
    for (float s : audio.samples) peak = std::max(peak, std::fabs(s));
    return peak;
}

double PeakDb(const Audio& audio) {
    const float peak = Peak(audio);
    return peak > 0.0f ? 20.0 * std::log10(static_cast<double>(peak)) : -std::numeric_limits<double>::infinity();
}

void ApplyGain(Audio& audio, double db) {
    const float g = static_cast<float>(std::pow(10.0, db / 20.0));
    for (float& s : audio.samples) s *= g;
}

Audio ToMono(const Audio& stereo) {
    if (stereo.channels != 2) return stereo;
    Audio mono;
    mono.rate = stereo.rate;
    mono.channels = 1;
    mono.samples.resize(stereo.Frames());
    for (size_t i = 0; i < mono.samples.size(); ++i)
        mono.samples[i] = 0.5f * (stereo.samples[2 * i] + stereo.samples[2 * i + 1]);
    return mono;
}

void FoldTail(Audio& audio, size_t loopFrames) {
    const size_t ch = static_cast<size_t>(audio.channels);
    const size_t frames = audio.Frames();
    if (frames < loopFrames) {
        audio.samples.resize(loopFrames * ch, 0.0f);
        return;
    }
    // A tail longer than the loop goes round more than once.
    for (size_t i = loopFrames * ch; i < frames * ch; ++i) audio.samples[i % (loopFrames * ch)] += audio.samples[i];
    audio.samples.resize(loopFrames * ch);
}

void CrossfadeTail(std::vector<float>& mono, size_t loopFrames, size_t fadeFrames, bool equalPower) {
    fadeFrames = std::min({fadeFrames, loopFrames, mono.size() > loopFrames ? mono.size() - loopFrames : 0});
    for (size_t i = 0; i < fadeFrames; ++i) {
        // w rises from 0 at the loop's first frame (all run-on) to 1 at the end of the fade (all start).
        const double w = (static_cast<double>(i) + 0.5) / static_cast<double>(fadeFrames);
        double in = w, out = 1.0 - w;
        if (equalPower) {
            in = std::sin(w * M_PI / 2);
            out = std::cos(w * M_PI / 2);
        }
        mono[i] = static_cast<float>(mono[i] * in + mono[loopFrames + i] * out);
    }
    mono.resize(std::min(mono.size(), loopFrames));
}

void TrimTail(Audio& audio, double floorDb, size_t fadeFrames) {
    const size_t ch = static_cast<size_t>(audio.channels);
    const float floor = Peak(audio) * static_cast<float>(std::pow(10.0, floorDb / 20.0));
    size_t end = audio.Frames();
    while (end > 0) {
        bool loud = false;
        for (size_t c = 0; c < ch; ++c) loud = loud || std::fabs(audio.samples[(end - 1) * ch + c]) > floor;
        if (loud) break;
        --end;
    }
    end = std::min(audio.Frames(), end + fadeFrames);  // the fade runs over what is being cut
    audio.samples.resize(end * ch);
    fadeFrames = std::min(fadeFrames, end);
    for (size_t i = 0; i < fadeFrames; ++i) {
        const float w = static_cast<float>(i) / static_cast<float>(fadeFrames);  // 0 at the last frame
        for (size_t c = 0; c < ch; ++c) audio.samples[(end - 1 - i) * ch + c] *= w;
    }
}

double WrapJump(const Audio& audio) {
    const size_t ch = static_cast<size_t>(audio.channels);
    const size_t frames = audio.Frames();
    if (frames < 2) return 0.0;
    double jump = 0.0;
    for (size_t c = 0; c < ch; ++c)
        jump = std::max(jump, std::fabs(static_cast<double>(audio.samples[c]) - audio.samples[(frames - 1) * ch + c]));
    return jump;
}

double WrapJumpRatio(const Audio& audio) {
    const size_t ch = static_cast<size_t>(audio.channels);
    const size_t frames = audio.Frames();
    const size_t near = static_cast<size_t>(audio.rate) / 500;  // 2 ms
    if (frames < 2 * near + 2) return 0.0;
    // The steps into frames 1 .. near and into the last `near` frames (all but the wrap itself).
    double largest = 0.0;
    auto step = [&](size_t i) {  // from frame i - 1 to frame i
        double s = 0.0;
        for (size_t c = 0; c < ch; ++c)
            s = std::max(s, std::fabs(static_cast<double>(audio.samples[i * ch + c]) - audio.samples[(i - 1) * ch + c]));
        return s;
    };
    for (size_t i = 1; i <= near; ++i) largest = std::max({largest, step(i), step(frames - i)});
    const double jump = WrapJump(audio);
    return largest > 0 ? jump / largest : (jump > 0 ? HUGE_VAL : 0.0);
}

void Rotate(Audio& audio, size_t frames) {
    const size_t ch = static_cast<size_t>(audio.channels);
    if (audio.Frames() == 0) return;
    frames %= audio.Frames();
    std::rotate(audio.samples.begin(), audio.samples.begin() + static_cast<long>(frames * ch), audio.samples.end());
}

}  // namespace vz::soundbuild
