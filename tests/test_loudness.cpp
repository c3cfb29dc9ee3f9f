// The loudness meter against signals whose loudness is known (the EBU's own test signals among them).
#include <gtest/gtest.h>

#include <cmath>

#include "loudness.h"

namespace sb = vz::soundbuild;

namespace {

// Seconds of a sine at a peak level in dBFS, appended to `audio` in every channel.
void AddSine(sb::Audio& audio, double hz, double dbfs, double seconds) {
    const double amplitude = std::pow(10.0, dbfs / 20.0);
    const auto frames = static_cast<size_t>(seconds * audio.rate);
    const size_t start = audio.Frames();
    for (size_t i = 0; i < frames; ++i) {
        const auto s = static_cast<float>(amplitude * std::sin(2 * M_PI * hz * static_cast<double>(start + i) / audio.rate));
        for (int c = 0; c < audio.channels; ++c) audio.samples.push_back(s);
    }
}

sb::Audio Empty(int channels, int rate = sb::kRate) {
    sb::Audio a;
    a.channels = channels;
    a.rate = rate;
    return a;
}

}  // namespace

// The filters the meter derives from the analogue prototypes give, at 48 kHz, the coefficients BS.1770 lists.
TEST(Loudness, KWeightingMatchesThePublishedCoefficientsAt48kHz) {
    const sb::Biquad shelf = sb::KWeightingShelf(48000);
    EXPECT_NEAR(shelf.b0, 1.53512485958697, 1e-9);
    EXPECT_NEAR(shelf.b1, -2.69169618940638, 1e-9);
    EXPECT_NEAR(shelf.b2, 1.19839281085285, 1e-9);
    EXPECT_NEAR(shelf.a1, -1.69065929318241, 1e-9);
    EXPECT_NEAR(shelf.a2, 0.73248077421585, 1e-9);
    const sb::Biquad hp = sb::KWeightingHighPass(48000);
    EXPECT_EQ(hp.b0, 1.0);
    EXPECT_EQ(hp.b1, -2.0);
    EXPECT_EQ(hp.b2, 1.0);
    EXPECT_NEAR(hp.a1, -1.99004745483398, 1e-9);
    EXPECT_NEAR(hp.a2, 0.99007225036621, 1e-9);
}

// A 1 kHz sine at -23 dBFS in both channels reads -23 LUFS at either sample rate; a mono file is heard on
// both speakers, so the same sine in mono reads the same.
TEST(Loudness, SineAtAKnownLevel) {
    for (int rate : {44100, 48000}) {
        sb::Audio stereo = Empty(2, rate);
        AddSine(stereo, 1000, -23, 20);
        EXPECT_NEAR(sb::IntegratedLoudness(stereo), -23.0, 0.05) << rate;
        sb::Audio mono = Empty(1, rate);
        AddSine(mono, 1000, -23, 20);
        EXPECT_NEAR(sb::IntegratedLoudness(mono), -23.0, 0.05) << rate;
    }
    // 6 dB quieter is 6 LU quieter.
    sb::Audio quieter = Empty(2);
    AddSine(quieter, 1000, -29, 10);
    EXPECT_NEAR(sb::IntegratedLoudness(quieter), -29.0, 0.05);
}

// The weighting: bright sounds count more (the shelf: about +4 dB at 10 kHz against +0.7 dB at 1 kHz),
// deep rumble less.
TEST(Loudness, WeightsHighFrequenciesUpAndTheDeepestDown) {
    sb::Audio mid = Empty(1), high = Empty(1), low = Empty(1);
    AddSine(mid, 1000, -20, 5);
    AddSine(high, 10000, -20, 5);
    AddSine(low, 20, -20, 5);
    const double m = sb::IntegratedLoudness(mid);
    EXPECT_NEAR(sb::IntegratedLoudness(high) - m, 3.3, 0.2);
    EXPECT_LT(sb::IntegratedLoudness(low) - m, -10.0);
}

// The gates: quiet stretches 10 LU under the rest do not pull the figure down (EBU Tech 3341, case 3),
// and neither does near-silence under -70 LUFS (case 4); all silence measures nothing at all.
TEST(Loudness, GatesLeaveOutQuietStretchesAndSilence) {
    sb::Audio relative = Empty(2);
    AddSine(relative, 1000, -36, 10);
    AddSine(relative, 1000, -23, 60);
    AddSine(relative, 1000, -36, 10);
    EXPECT_NEAR(sb::IntegratedLoudness(relative), -23.0, 0.1);
    EXPECT_NEAR(sb::MaxMomentaryLoudness(relative), -23.0, 0.1);

    sb::Audio absolute = Empty(2);
    AddSine(absolute, 1000, -72, 10);
    AddSine(absolute, 1000, -36, 10);
    AddSine(absolute, 1000, -23, 60);
    AddSine(absolute, 1000, -36, 10);
    AddSine(absolute, 1000, -72, 10);
    EXPECT_NEAR(sb::IntegratedLoudness(absolute), -23.0, 0.1);

    // Without the relative gate two equal halves 20 LU apart would read 3 LU under the louder.
    sb::Audio halves = Empty(1);
    AddSine(halves, 1000, -20, 10);
    AddSine(halves, 1000, -40, 10);
    EXPECT_NEAR(sb::IntegratedLoudness(halves), -20.0, 0.1);

    sb::Audio silence = Empty(2);
    silence.samples.assign(2 * 44100, 0.0f);
    EXPECT_TRUE(std::isinf(sb::IntegratedLoudness(silence)));
    EXPECT_TRUE(std::isinf(sb::IntegratedLoudness(Empty(1))));
}

// An effect shorter than one 400 ms block is measured as that block: a tenth of a second of a -23 LUFS
// sine carries a quarter of the block's energy, 6 dB less.
TEST(Loudness, ShortSoundsFillOneBlock) {
    sb::Audio click = Empty(2);
    AddSine(click, 1000, -23, 0.1);
    EXPECT_NEAR(sb::IntegratedLoudness(click), -23.0 - 10 * std::log10(4.0), 0.1);
}
