// The sound builder's parts: making loops, reading scores and recipes, the synthesiser, Vorbis, levels.
#include <gtest/gtest.h>

#include <cmath>

#include "audio.h"
#include "loudness.h"
#include "score.h"
#include "soundbuild.h"
#include "support.h"
#include "synth.h"
#include "vorbis_io.h"

namespace sb = vz::soundbuild;

namespace {

double Rms(const std::vector<float>& x, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += double(x[i]) * x[i];
    return std::sqrt(sum / double(to - from));
}

sb::Score Parsed(const std::string& text) {
    sb::Score score;
    std::string error;
    EXPECT_TRUE(sb::ParseScore(text, score, error)) << error;
    return score;
}

std::string ScoreError(const std::string& text) {
    sb::Score score;
    std::string error;
    EXPECT_FALSE(sb::ParseScore(text, score, error));
    return error;
}

std::string RecipeError(const std::string& text) {
    sb::Recipe recipe;
    std::string error;
    EXPECT_FALSE(sb::ParseRecipe(text, recipe, error));
    return error;
}

sb::Audio Rendered(const std::string& text) {
    sb::Recipe recipe;
    std::string error;
    EXPECT_TRUE(sb::ParseRecipe(text, recipe, error)) << error;
    return sb::RenderRecipe(recipe);
}

const char* kHeader = "tempo 120\nsteps 2\nmeter 4\ninstrument lead program=0:12\ninstrument kit program=128:0\n";

}  // namespace

// A looped piece must sound as the piece played over and over sounds: the notes of the end still ringing
// over the start. Plucks near the end ring on past it in the single rendering, longer than the loop.
TEST(SoundLoops, FoldedTailSoundsLikeThePiecePlayedAgain) {
    const size_t loop = 22050, tail = 40000;
    const double starts[] = {0.0, 0.21, 0.37, 0.45};  // seconds, the last close to the loop's end (0.5 s)
    auto pluck = [](double start, double t) {
        return t < start ? 0.0 : std::sin(2 * M_PI * 440 * (t - start)) * std::exp(-(t - start) / 0.08);
    };
    sb::Audio once;
    once.samples.resize(loop + tail);
    for (size_t i = 0; i < once.samples.size(); ++i)
        for (double s : starts) once.samples[i] += float(pluck(s, double(i) / sb::kRate));
    // The third time round, what the first two plays still ring into it included.
    std::vector<double> thrice(3 * loop);
    for (size_t i = 0; i < thrice.size(); ++i)
        for (int play = 0; play < 3; ++play)
            for (double s : starts) thrice[i] += pluck(s + 0.5 * play, double(i) / sb::kRate);
    sb::FoldTail(once, loop);
    ASSERT_EQ(once.Frames(), loop);
    for (size_t i = 0; i < loop; i += 97) ASSERT_NEAR(once.samples[i], thrice[2 * loop + i], 1e-4) << i;
    EXPECT_LT(sb::WrapJumpRatio(once), 2.0);
}

// Noise crossfaded into its own start keeps its level through the fade (equal power); a tone that already
// repeats is left as it was (a linear fade of a signal with itself).
TEST(SoundLoops, CrossfadeKeepsTheLevelAndLeavesARepeatingToneAlone) {
    const size_t loop = 44100, fade = 11025;
    std::vector<float> noise(loop + fade);
    uint32_t state = 12345;
    for (float& s : noise) {
        state = state * 1664525u + 1013904223u;
        s = float(state >> 8) / float(1 << 24) - 0.5f;
    }
    const double before = Rms(noise, fade, loop);
    sb::CrossfadeTail(noise, loop, fade, true);
    ASSERT_EQ(noise.size(), loop);
    EXPECT_NEAR(20 * std::log10(Rms(noise, fade / 3, 2 * fade / 3) / before), 0.0, 0.5);

    std::vector<float> tone(loop + fade);
    for (size_t i = 0; i < tone.size(); ++i) tone[i] = float(std::sin(2 * M_PI * 10 * double(i) / loop));
    std::vector<float> kept(tone.begin(), tone.begin() + loop);
    sb::CrossfadeTail(tone, loop, fade, false);
    for (size_t i = 0; i < loop; i += 101) ASSERT_NEAR(tone[i], kept[i], 1e-5);
}

// Steps, swing, chords, ties and accents become notes at the frames and strengths the score means.
TEST(Scores, NotesLandOnTheirStepsWithSwingTiesAndAccents) {
    sb::Score s = Parsed(std::string(kHeader) +
                         "swing 0.6\npart A\n  lead | c4:2 e4 g4 c5+e5:3~ c5+e5 | .:8 |\n"
                         "  kit.bongo_hi | x.X.o... | ........ |\nend\nsong A\n");
    auto ons = [&](int key) {
        std::vector<sb::NoteEvent> found;
        for (const auto& e : s.events)
            if (e.on && e.key == key && e.channel == 0) found.push_back(e);
        return found;
    };
    // At 120 a beat is 0.5 s; swung 0.6, its first eighth lasts 0.3 s and its second 0.2 s.
    ASSERT_EQ(ons(60).size(), 1u);
    EXPECT_EQ(ons(60)[0].frame, 0u);
    EXPECT_EQ(ons(64)[0].frame, size_t(0.5 * 44100));
    EXPECT_EQ(ons(67)[0].frame, size_t(0.8 * 44100));
    // The tied chord sounds once, from its first step to the end of the last, gated 0.9 in that last step.
    ASSERT_EQ(ons(72).size(), 1u);
    EXPECT_EQ(ons(72)[0].frame, size_t(1.0 * 44100));
    for (const auto& e : s.events) {
        if (e.on || e.key != 76) continue;
        EXPECT_EQ(e.frame, size_t(std::llround((1.8 + 0.9 * 0.2) * 44100)));
    }
    // Drum accents and soft hits (the kit is the second instrument, on the second channel).
    std::vector<int> strengths;
    for (const auto& e : s.events)
        if (e.on && e.channel == 1) strengths.push_back(e.velocity);
    ASSERT_EQ(strengths.size(), 3u);
    EXPECT_LT(strengths[0], strengths[1]);
    EXPECT_GT(strengths[0], strengths[2]);
    // Two bars of 2 s.
    EXPECT_EQ(s.endFrame, 4u * 44100);
}

// A part's tempo glide slows it: eight steps from 120 down to 60 take longer than at 120 and less than at 60.
TEST(Scores, TempoGlidesAndPartsFollowOneAnother) {
    sb::Score s = Parsed(std::string(kHeader) +
                         "part fast\n  lead | c4:8 |\nend\npart slow\n  tempo 120 60\n  lead | d4:8 |\nend\nsong fast slow fast\n");
    std::vector<size_t> ons;
    for (const auto& e : s.events)
        if (e.on) ons.push_back(e.frame);
    ASSERT_EQ(ons.size(), 3u);
    EXPECT_EQ(ons[1], 2u * 44100);
    const double slow = double(ons[2] - ons[1]) / 44100;
    EXPECT_GT(slow, 2.0);
    EXPECT_LT(slow, 4.0);
    EXPECT_EQ(s.endFrame, ons[2] + 2 * 44100);
}

// Faults in a score name their line; a '#' inside a word is a sharp, not a comment.
TEST(Scores, FaultsNameTheirLine) {
    EXPECT_NE(ScoreError(std::string(kHeader) + "part A\n  lead | c4 d4 |\nend\nsong A\n").find("line 7: a bar of 2 steps"),
              std::string::npos);
    EXPECT_NE(ScoreError(std::string(kHeader) + "part A\n  horn | c4:8 |\nend\nsong A\n").find("no instrument 'horn'"),
              std::string::npos);
    EXPECT_NE(ScoreError(std::string(kHeader) + "part A\n  lead | c4:4~ d4:4 |\nend\nsong A\n").find("tie"), std::string::npos);
    EXPECT_NE(ScoreError(std::string(kHeader) + "part A\n  lead | c4:8 |\nend\nsong B\n").find("unknown part 'B'"),
              std::string::npos);
    EXPECT_NE(ScoreError(std::string(kHeader) + "part A\n  lead | c4:8 |\n").find("without its end"), std::string::npos);
    EXPECT_NE(ScoreError(std::string(kHeader) + "part A\n  lead | h4:8 |\nend\nsong A\n").find("pitch"), std::string::npos);
    EXPECT_NE(ScoreError(std::string(kHeader) + "part A\n  kit | c4:8 |\nend\nsong A\n").find("names its drum"),
              std::string::npos);
    sb::Score s = Parsed(std::string(kHeader) + "part A  # a comment\n  lead | f#4:4 bb3:4 | # another\nend\nsong A\n");
    ASSERT_EQ(s.events.size(), 4u);
    EXPECT_EQ(s.events[0].key, 66);
    EXPECT_EQ(s.events[2].key, 58);
}

// A bed comes out exactly its loop long and meets itself: a held tone (its pitch moved to fit the loop)
// and an event running over the end, which sounds on at the start.
TEST(Synth, BedsAreExactlyTheirLoopAndWrapAround) {
    sb::Audio bed = Rendered("loop 0.5\nfade 0.1\nseed 3\ntone 0 all freq=441.3 gain=-12\n"
                             "noise 0 all colour=pink lp=800 swell=0.7:0.5 gain=-20\n"
                             "tone 0.45 0.1 freq=2000 attack=0.001 release=0.001\n");
    ASSERT_EQ(bed.Frames(), 22050u);
    EXPECT_LT(sb::WrapJumpRatio(bed), 2.0);
    // The late tone's second half is in the first 50 ms, not lost.
    std::vector<float> start(bed.samples.begin(), bed.samples.begin() + 2000);
    std::vector<float> later(bed.samples.begin() + 6000, bed.samples.begin() + 8000);
    EXPECT_GT(Rms(start, 0, start.size()), 2 * Rms(later, 0, later.size()));

    // The held tone keeps its level through the crossfade at the seam too (no two phases cancelling).
    sb::Audio tone = Rendered("loop 0.5\nfade 0.2\ntone 0 all freq=441.3\n");
    for (size_t at = 0; at + 441 <= tone.Frames(); at += 441)
        ASSERT_NEAR(20 * std::log10(Rms(tone.samples, at, at + 441) / std::sqrt(0.5)), 0.0, 0.5) << at;
}

// A one-shot is its length; its scattered events follow the seed, so the same recipe sounds the same and
// another seed differently; it starts and ends at silence.
TEST(Synth, OneShotsFollowTheirSeedAndEdgesAreSoft) {
    const std::string recipe = "length 0.3\nnoise 0 0.3 rate=40 len=0.01 bp=3000 pj=6 gj=6 decay=0.003\n"
                               "tone 0 0.3 freq=300>600 wave=saw lp=2000 attack=0.01 release=0.05\n";
    sb::Audio a = Rendered(recipe + "seed 1\n"), b = Rendered(recipe + "seed 1\n"), c = Rendered(recipe + "seed 2\n");
    ASSERT_EQ(a.Frames(), 13230u);
    EXPECT_EQ(a.samples, b.samples);
    EXPECT_NE(a.samples, c.samples);
    EXPECT_NEAR(a.samples.front(), 0.0f, 1e-3);
    EXPECT_NEAR(a.samples.back(), 0.0f, 1e-3);
}

TEST(Synth, FaultsNameTheirLine) {
    EXPECT_NE(RecipeError("length 1\ntone 0 1 freq=300 wobble=3\n").find("line 2: unknown setting 'wobble'"), std::string::npos);
    EXPECT_NE(RecipeError("length 1\ntone 0 1 freq=30000\n").find("frequency out of"), std::string::npos);
    EXPECT_NE(RecipeError("length 1\nnoise 0 1 rate=3\n").find("len="), std::string::npos);
    EXPECT_NE(RecipeError("loop 4\ntone 0 all freq=300>400\n").find("glide"), std::string::npos);
    EXPECT_NE(RecipeError("length 1\nloop 2\ntone 0 1\n").find("either a length or a loop"), std::string::npos);
    EXPECT_NE(RecipeError("length 1\n").find("no layers"), std::string::npos);
    EXPECT_NE(RecipeError("loop 10\nnoise 0 all every=0.0000001 len=0.01\n").find("every="), std::string::npos);
}

// Vorbis keeps the exact length (a loop stays a loop), makes the same bytes twice, and refuses what is not Vorbis.
TEST(Vorbis, RoundTripKeepsLengthAndBytesAreRepeatable) {
    sb::Audio a = Rendered("length 1.2345\ntone 0 1.2345 freq=440 gain=-12\n");
    std::vector<uint8_t> first, second;
    std::string error;
    ASSERT_TRUE(sb::EncodeVorbis(a, 0.0f, 7, first, error)) << error;
    ASSERT_TRUE(sb::EncodeVorbis(a, 0.0f, 7, second, error));
    EXPECT_EQ(first, second);
    sb::Audio back;
    ASSERT_TRUE(sb::DecodeVorbis(first, back, error)) << error;
    EXPECT_EQ(back.Frames(), a.Frames());
    EXPECT_EQ(back.rate, 44100);
    EXPECT_NEAR(sb::IntegratedLoudness(back), sb::IntegratedLoudness(a), 0.2);

    std::vector<uint8_t> damaged = first;
    damaged.resize(200);
    EXPECT_FALSE(sb::DecodeVorbis(damaged, back, error));
    EXPECT_FALSE(sb::DecodeVorbis(std::vector<uint8_t>(5000, 0x4f), back, error));
    EXPECT_FALSE(error.empty());
}

// The builder brings a sound to the loudness it asks for; one that would reach full scale there is held
// under the ceiling instead, and a source it cannot read or make sense of is an error, not a file.
TEST(SoundBuild, LoudnessTargetAndPeakCeiling) {
    vz::test::TempFolder folder;
    sb::Built built;
    std::string error;
    const std::string soft = "length 1\nloudness -24\ntone 0 1 freq=500 attack=0.05 release=0.05\n";
    ASSERT_TRUE(sb::BuildSound(folder.Write("soft.synth", {soft.begin(), soft.end()}), "", built, error)) << error;
    EXPECT_NEAR(built.figures.loudness, -24.0, 0.2);
    EXPECT_LE(built.figures.peakDb, -1.0);

    const std::string spiky = "length 1\nloudness -6\nnoise 0 1 every=0.5 len=0.002 decay=0.0005\n";
    ASSERT_TRUE(sb::BuildSound(folder.Write("spiky.synth", {spiky.begin(), spiky.end()}), "", built, error)) << error;
    EXPECT_LE(built.figures.peakDb, -1.0);
    EXPECT_LT(built.figures.loudness, -10.0);

    const std::string bad = "length 1\ntone 0 1 freq=abc\n";
    EXPECT_FALSE(sb::BuildSound(folder.Write("bad.synth", {bad.begin(), bad.end()}), "", built, error));
    EXPECT_NE(error.find("line 2"), std::string::npos);
    EXPECT_FALSE(sb::BuildSound(folder.Path("missing.synth"), "", built, error));
    EXPECT_FALSE(sb::BuildSound(folder.Write("notes.txt", {'x'}), "", built, error));
}
