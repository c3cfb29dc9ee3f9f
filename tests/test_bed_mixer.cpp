// The looped beds: a true crossfade, a volume that never jumps, nothing decoded while nothing is
// heard and the place kept, damaged sources dropped, and the player's volume steps.
#include "platform/bed_mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "platform/sound_control.h"

namespace vz {
namespace {

// A source whose left channel counts the frames it has given and whose right holds a level,
// telling how much was read, where it stood, and whether it was freed.
struct Probe {
    int reads = 0;
    long given = 0;
    bool freed = false;
};

class ProbeSource : public SampleSource {
public:
    ProbeSource(Probe& probe, int16_t level, long failAfter = -1) : p_(probe), level_(level), failAfter_(failAfter) {}
    ~ProbeSource() override { p_.freed = true; }
    int Read(int16_t* out, int frames) override {
        ++p_.reads;
        int n = frames;
        if (failAfter_ >= 0) n = static_cast<int>(std::max<long>(0, std::min<long>(frames, failAfter_ - p_.given)));
        for (int i = 0; i < n; ++i) {
            out[2 * i] = static_cast<int16_t>((p_.given + i) % 30000);
            out[2 * i + 1] = level_;
        }
        p_.given += n;
        return n;
    }

private:
    Probe& p_;
    int16_t level_;
    long failAfter_;
};

// A source with one level on each channel, to tell two pieces apart in one mix.
class SideSource : public SampleSource {
public:
    SideSource(int16_t left, int16_t right, bool* freed = nullptr) : left_(left), right_(right), freed_(freed) {}
    ~SideSource() override {
        if (freed_) *freed_ = true;
    }
    int Read(int16_t* out, int frames) override {
        for (int i = 0; i < frames; ++i) {
            out[2 * i] = left_;
            out[2 * i + 1] = right_;
        }
        return frames;
    }

private:
    int16_t left_, right_;
    bool* freed_;
};

std::vector<int16_t> Mixed(BedMixer& mixer, int frames) {
    std::vector<int16_t> out(2 * static_cast<size_t>(frames), 12345);
    mixer.Mix(out.data(), frames);
    return out;
}

constexpr int kFade = 1000;  // frames of a crossfade in these tests

TEST(BedMixer, ACrossfadeHearsBothPiecesAtOnceAtAnEvenLoudnessThenFreesTheOldOne) {
    BedMixer mixer(kFade);
    Probe unheard;
    mixer.Switch(BedMixer::kMusic, std::make_unique<ProbeSource>(unheard, 0));
    mixer.Switch(BedMixer::kAmbience, std::make_unique<SideSource>(0, 0));
    mixer.Switch(BedMixer::kMusic, nullptr);  // music off: it fades out (from silence)
    Mixed(mixer, 10);
    EXPECT_EQ(mixer.Voices(BedMixer::kMusic), 0);

    bool oldFreed = false;
    mixer.Switch(BedMixer::kMusic, std::make_unique<SideSource>(10000, 0, &oldFreed));
    std::vector<int16_t> in = Mixed(mixer, kFade + 200);
    EXPECT_LT(std::abs(in[0]), 100) << "a piece starts from silence";
    EXPECT_EQ(in[2 * (kFade + 100)], 10000) << "and then plays at its full level";

    mixer.Switch(BedMixer::kMusic, std::make_unique<SideSource>(0, 10000));
    EXPECT_EQ(mixer.Voices(BedMixer::kMusic), 2);
    const std::vector<int16_t> fade = Mixed(mixer, kFade + 100);
    const int half = kFade / 2;
    EXPECT_GT(fade[2 * half], 6000) << "halfway the old piece is still heard";
    EXPECT_GT(fade[2 * half + 1], 6000) << "and the new one already";
    for (int i = 0; i < kFade; i += 50) {
        const double power = std::pow(fade[2 * i], 2) + std::pow(fade[2 * i + 1], 2);
        EXPECT_NEAR(std::sqrt(power), 10000, 150) << "frame " << i;
    }
    EXPECT_EQ(fade[2 * (kFade + 50)], 0);
    EXPECT_EQ(fade[2 * (kFade + 50) + 1], 10000);
    EXPECT_EQ(mixer.Voices(BedMixer::kMusic), 1);
    EXPECT_FALSE(oldFreed) << "sources are freed by the game's thread only";
    mixer.DropFinished();
    EXPECT_TRUE(oldFreed);
}

TEST(BedMixer, SilentItDecodesNothingAndGoesOnWhereItWas) {
    BedMixer mixer(1);
    Probe probe;
    mixer.Switch(BedMixer::kMusic, std::make_unique<ProbeSource>(probe, 100));
    Mixed(mixer, 500);
    const long before = probe.given;

    mixer.SetPaused(true);
    std::vector<int16_t> out = Mixed(mixer, 256);  // the way down to silence, over one block
    EXPECT_NE(out[0], 0);
    EXPECT_EQ(out[2 * 255], 0);
    const long paused = probe.given;
    const int reads = probe.reads;
    for (int i = 0; i < 20; ++i) {
        out = Mixed(mixer, 256);
        for (int16_t s : out) ASSERT_EQ(s, 0);
    }
    EXPECT_EQ(probe.reads, reads) << "nothing decoded while paused";

    mixer.SetPaused(false);
    out = Mixed(mixer, 256);
    EXPECT_EQ(probe.given, paused + 256);
    // The counter in the left channel goes on from where it stood, at the full level again.
    EXPECT_EQ(out[2 * 255], (paused + 255) % 30000);
    EXPECT_GT(paused, before);

    mixer.SetGain(0.0f);  // muted: the same
    Mixed(mixer, 256);
    const int mutedReads = probe.reads;
    Mixed(mixer, 4096);
    EXPECT_EQ(probe.reads, mutedReads);
}

TEST(BedMixer, AVolumeChangeIsSpreadOverTheNextBlock) {
    BedMixer mixer(1);
    mixer.Switch(BedMixer::kMusic, std::make_unique<SideSource>(16000, 16000));
    Mixed(mixer, 64);
    mixer.SetGain(0.25f);
    const std::vector<int16_t> out = Mixed(mixer, 2048);  // longer than the mixer's own chunks
    EXPECT_GT(out[0], 15900);
    for (size_t i = 2; i < out.size(); i += 2) {
        ASSERT_LE(out[i], out[i - 2]) << "frame " << i / 2;
        ASSERT_LE(out[i - 2] - out[i], 10) << "no step anywhere, frame " << i / 2;
    }
    EXPECT_EQ(out[out.size() - 2], 4000);
    EXPECT_EQ(Mixed(mixer, 16)[0], 4000);
}

TEST(BedMixer, ASourceThatFailsIsDroppedAndTheRestPlaysOn) {
    BedMixer mixer(1);
    Probe broken;
    mixer.Switch(BedMixer::kMusic, std::make_unique<ProbeSource>(broken, 500, 300));
    mixer.Switch(BedMixer::kAmbience, std::make_unique<SideSource>(0, 700));
    Mixed(mixer, 10);  // past the first block's rise from silence
    std::vector<int16_t> out = Mixed(mixer, 1000);
    EXPECT_EQ(out[2 * 289 + 1], 1200);
    EXPECT_EQ(out[2 * 290 + 1], 700) << "after the failure, silence for the music only";
    EXPECT_EQ(out[2 * 290], 0);
    const int reads = broken.reads;
    Mixed(mixer, 1000);
    EXPECT_EQ(broken.reads, reads) << "a failed source is not read again";
    EXPECT_EQ(mixer.Voices(BedMixer::kMusic), 0);
}

TEST(BedMixer, ManySwitchesWhileMutedKeepAtMostTwoPiecesPerLayer) {
    BedMixer mixer(kFade);
    mixer.SetGain(0.0f);
    std::vector<Probe> probes(30);
    for (Probe& p : probes) mixer.Switch(BedMixer::kMusic, std::make_unique<ProbeSource>(p, 1));
    EXPECT_EQ(mixer.Voices(BedMixer::kMusic), 2);
    mixer.DropFinished();
    for (size_t i = 0; i + 2 < probes.size(); ++i) EXPECT_TRUE(probes[i].freed) << i;
}

TEST(SoundControl, StepsFromTheFileAndKeysStayInRangeAndAVolumeKeyUnmutes) {
    EXPECT_EQ(SoundControl(73, false).Volume(), 70);
    EXPECT_EQ(SoundControl(75, false).Volume(), 80);
    EXPECT_EQ(SoundControl(-20, false).Volume(), 0);
    EXPECT_EQ(SoundControl(250, false).Volume(), 100);

    SoundControl c(100, false);
    c.Raise();
    EXPECT_EQ(c.Volume(), 100);
    EXPECT_FLOAT_EQ(c.Gain(), 1.0f);
    c.Lower();
    EXPECT_EQ(c.Note(), "Volume 9 of 10");
    EXPECT_LT(c.Gain(), 0.9f) << "each step down is more than a tenth of the level";
    for (int i = 0; i < 12; ++i) c.Lower();
    EXPECT_EQ(c.Volume(), 0);
    EXPECT_EQ(c.Gain(), 0.0f);

    c = SoundControl(60, true);
    EXPECT_EQ(c.Gain(), 0.0f);
    EXPECT_EQ(c.Note(), "Sound off - M brings it back");
    c.Raise();
    EXPECT_FALSE(c.Muted());
    EXPECT_EQ(c.Volume(), 70);
    c.ToggleMute();
    c.ToggleMute();
    EXPECT_FALSE(c.Muted());
    EXPECT_EQ(c.Volume(), 70);
}

}  // namespace
}  // namespace vz
