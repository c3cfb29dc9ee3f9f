// The built sounds as the game will play them: every named file there, decodable, at its level, looping
// cleanly, small enough for the page, and the same bytes whenever they are built again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

#include "audio.h"
#include "platform/sound.h"
#include "soundbuild.h"
#include "vorbis_io.h"

namespace fs = std::filesystem;
namespace sb = vz::soundbuild;

namespace {

enum class Kind { Music, Bed, Effect };

struct Sound {
    Kind kind;
    sb::Audio audio;
    sb::Figures figures;
    size_t bytes = 0;
};

const fs::path kSounds = fs::path(VZ_BUILD_DIR) / "sounds";

std::vector<std::pair<std::string, Kind>> Names() {
    std::vector<std::pair<std::string, Kind>> names;
    for (int i = 1; i < int(vz::Music::Count); ++i) names.push_back({vz::MusicName(vz::Music(i)), Kind::Music});
    for (int i = 1; i < int(vz::Ambience::Count); ++i) names.push_back({vz::AmbienceName(vz::Ambience(i)), Kind::Bed});
    for (int i = 0; i < int(vz::Cue::Count); ++i) names.push_back({vz::CueName(vz::Cue(i)), Kind::Effect});
    return names;
}

// Every built sound decoded once for all the tests; a file that is missing or does not decode is absent.
const std::map<std::string, Sound>& Built() {
    static const std::map<std::string, Sound> sounds = [] {
        std::map<std::string, Sound> out;
        for (const auto& [name, kind] : Names()) {
            std::vector<uint8_t> bytes;
            Sound s{kind, {}, {}, 0};
            std::string error;
            if (!sb::ReadBytes((kSounds / (name + ".ogg")).string(), bytes) || !sb::DecodeVorbis(bytes, s.audio, error))
                continue;
            s.figures = sb::Measure(s.audio, kind != Kind::Effect);
            s.bytes = bytes.size();
            out[name] = std::move(s);
        }
        return out;
    }();
    return sounds;
}

class SoundFiles : public testing::Test {
protected:
    void SetUp() override {
        if (!VZ_SOUNDS_BUILT) GTEST_SKIP() << "this build does not make the sounds (VZ_BUILD_SOUNDS=OFF)";
    }
    static double LoudnessRange(Kind kind, bool loudest) {
        double v = loudest ? -1e9 : 1e9;
        for (const auto& [name, s] : Built())
            if (s.kind == kind) v = loudest ? std::max(v, s.figures.loudness) : std::min(v, s.figures.loudness);
        return v;
    }
};

}  // namespace

// Each sound the game names is there and decodes as 44.1 kHz mono or stereo with headroom under full
// scale; nothing else lies in the folder to be shipped by mistake.
TEST_F(SoundFiles, EveryNamedSoundIsBuiltWithHeadroom) {
    for (const auto& [name, kind] : Names()) {
        SCOPED_TRACE(name);
        auto it = Built().find(name);
        ASSERT_NE(it, Built().end()) << "missing or not decodable";
        EXPECT_EQ(it->second.audio.rate, 44100);
        EXPECT_TRUE(it->second.audio.channels == 1 || it->second.audio.channels == 2);
        EXPECT_LE(it->second.figures.peakDb, -1.0);
    }
    for (const auto& entry : fs::directory_iterator(kSounds)) {
        if (entry.path().extension() != ".ogg") continue;
        EXPECT_EQ(Built().count(entry.path().stem().string()), 1u) << entry.path();
    }
}

// The pieces sit at about -20 LUFS, within 2 LU of one another, last at least 45 s, and wrap from
// their last sample to their first with no leap sharper than the steps right beside it.
TEST_F(SoundFiles, MusicIsLevelLongAndLoopsCleanly) {
    for (const auto& [name, s] : Built()) {
        if (s.kind != Kind::Music) continue;
        SCOPED_TRACE(name);
        EXPECT_NEAR(s.figures.loudness, -20.0, 1.0);
        EXPECT_GE(s.figures.seconds, 45.0);
        EXPECT_LT(s.figures.wrapJump, 0.02);
        EXPECT_LT(s.figures.wrapRatio, 2.0);
    }
    EXPECT_LE(LoudnessRange(Kind::Music, true) - LoudnessRange(Kind::Music, false), 2.0);
}

// The beds lie clearly under the quietest piece and loop as cleanly.
TEST_F(SoundFiles, AmbienceStaysUnderTheMusicAndLoops) {
    const double quietestMusic = LoudnessRange(Kind::Music, false);
    for (const auto& [name, s] : Built()) {
        if (s.kind != Kind::Bed) continue;
        SCOPED_TRACE(name);
        EXPECT_LE(s.figures.loudness, quietestMusic - 6.0);
        EXPECT_GE(s.figures.seconds, 10.0);
        EXPECT_LT(s.figures.wrapJump, 0.02);
        EXPECT_LT(s.figures.wrapRatio, 2.0);
    }
}

// Effects are short, audible but never louder than the music, and soft at both edges (no click as one
// starts or stops).
TEST_F(SoundFiles, EffectsAreShortBalancedAndSoftAtTheEdges) {
    const double loudestMusic = LoudnessRange(Kind::Music, true);
    for (const auto& [name, s] : Built()) {
        if (s.kind != Kind::Effect) continue;
        SCOPED_TRACE(name);
        EXPECT_LE(s.figures.seconds, 4.0);
        EXPECT_LE(s.figures.loudness, loudestMusic + 0.5);
        EXPECT_GE(s.figures.loudness, -36.0);
        const auto& x = s.audio.samples;
        EXPECT_LT(std::fabs(x.front()), 0.01f);
        EXPECT_LT(std::fabs(x.back()), 0.01f);
    }
}

// The page downloads the sounds with everything else; together they stay under 1.8 MB.
TEST_F(SoundFiles, AllTogetherFitThePage) {
    size_t total = 0;
    for (const auto& [name, s] : Built()) total += s.bytes;
    EXPECT_LE(total, 1800u * 1000u);
}

// The same sources make the same bytes: one sound of each kind (a looping score, a bed, a score played
// once, a synthesised effect) built again here and compared with what the build made.
TEST_F(SoundFiles, SameSourcesMakeTheSameBytes) {
    for (const char* source : {"music_holes.score", "amb_raft.synth", "sfx_find.score", "sfx_take.synth"}) {
        SCOPED_TRACE(source);
        sb::Built again;
        std::string error;
        ASSERT_TRUE(sb::BuildSound(VZ_SOURCE_DIR "/art/sound/" + std::string(source), VZ_SOUNDFONT, again, error)) << error;
        std::vector<uint8_t> built;
        ASSERT_TRUE(sb::ReadBytes((kSounds / fs::path(source).replace_extension(".ogg")).string(), built));
        EXPECT_TRUE(again.ogg == built);
    }
}
