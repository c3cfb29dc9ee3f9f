// From source to Ogg Vorbis: render, loop or trim, bring to loudness, encode, and check what decodes.
#include "soundbuild.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "loudness.h"
#include "score.h"
#include "score_render.h"
#include "synth.h"
#include "vorbis_io.h"

namespace vz::soundbuild {

namespace {

constexpr double kLoudnessTolerance = 0.15;  // LU a built sound may be off what it asks for
constexpr int kBedStarts = 6;                // starting points tried for a bed's loop

// A stream serial number of the sound's name (FNV-1a), never the clock.
uint32_t Serial(const std::string& name) {
    uint32_t h = 2166136261u;
    for (unsigned char c : name) h = (h ^ c) * 16777619u;
    return h;
}

bool Render(const std::string& path, const std::string& text, const std::string& soundfont, Audio& audio,
            FileSettings& file, bool& loops, std::string& error) {
    const std::string ext = std::filesystem::path(path).extension().string();
    if (ext == ".score") {
        Score score;
        if (!ParseScore(text, score, error) || !RenderScore(score, soundfont, audio, error)) return false;
        file = score.file;
        loops = score.loop;
    } else if (ext == ".synth") {
        Recipe recipe;
        if (!ParseRecipe(text, recipe, error)) return false;
        audio = RenderRecipe(recipe);
        file = recipe.file;
        loops = recipe.loop > 0;
    } else {
        error = "a sound source is a .score or a .synth";
        return false;
    }
    if (file.channels == 1) audio = ToMono(audio);
    return true;
}

}  // namespace

bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

Figures Measure(const Audio& audio, bool loops) {
    Figures f;
    f.loudness = IntegratedLoudness(audio);
    f.peakDb = PeakDb(audio);
    f.seconds = audio.Seconds();
    f.channels = audio.channels;
    f.loops = loops;
    if (loops) {
        f.wrapJump = WrapJump(audio);
        f.wrapRatio = WrapJumpRatio(audio);
    }
    return f;
}

bool BuildSound(const std::string& sourcePath, const std::string& soundfont, Built& built, std::string& error) {
    std::vector<uint8_t> source;
    if (!ReadBytes(sourcePath, source)) {
        error = "cannot read the source";
        return false;
    }
    Audio audio;
    FileSettings file;
    bool loops = false;
    if (!Render(sourcePath, std::string(source.begin(), source.end()), soundfont, audio, file, loops, error)) return false;
    const double loudness = IntegratedLoudness(audio);
    if (!std::isfinite(loudness)) {
        error = "the sound is silent";
        return false;
    }
    const uint32_t serial = Serial(std::filesystem::path(sourcePath).stem().string());
    auto encode = [&](const Audio& sound, double gain, Built& out) {
        Audio scaled = sound;
        ApplyGain(scaled, gain);
        Audio decoded;
        if (!EncodeVorbis(scaled, file.quality, serial, out.ogg, error) || !DecodeVorbis(out.ogg, decoded, error))
            return false;
        out.figures = Measure(decoded, loops);
        out.figures.bytes = out.ogg.size();
        return true;
    };

    // Encoding moves the loudness and the peaks a little (most in noisy, bright sounds), so the sound is
    // measured again as it decodes and encoded once more where that is off: nearer the loudness it asks
    // for, or quieter if a peak came too close to full scale (its loudness then falls short, as shown).
    double gain = file.loudness - loudness;
    for (int attempt = 0;; ++attempt) {
        if (!encode(audio, gain, built)) return false;
        const double headroom = kPeakCeilingDb - 0.05 - built.figures.peakDb;
        const double shortfall = file.loudness - built.figures.loudness;
        if (headroom >= 0 && (std::fabs(shortfall) <= kLoudnessTolerance || (shortfall > 0 && headroom < 0.5))) break;
        if (attempt == 3) {
            if (built.figures.peakDb < kPeakCeilingDb) break;
            error = "its peak stays above " + std::to_string(kPeakCeilingDb) + " dBFS";
            return false;
        }
        gain += std::min(shortfall, headroom - 0.05);
    }

    // The coder treats a file's two ends apart, so a bed's wrap gets a small leap of coding noise. Where a
    // bed's loop begins is free, so a few starting points are tried and the one that wraps most smoothly kept.
    // (A piece of music keeps its start, on its first beat.)
    if (loops && std::filesystem::path(sourcePath).extension() == ".synth") {
        for (int k = 1; k < kBedStarts; ++k) {
            Audio turned = audio;
            Rotate(turned, audio.Frames() * static_cast<size_t>(k) / kBedStarts);
            Built other;
            if (!encode(turned, gain, other)) return false;
            if (other.figures.wrapJump < built.figures.wrapJump && other.figures.peakDb < kPeakCeilingDb)
                built = std::move(other);
        }
    }
    return true;
}

std::string Describe(const std::string& name, const Figures& f) {
    char line[256];
    char wrap[96] = "";
    if (f.loops)
        std::snprintf(wrap, sizeof wrap, ", loops (wrap leap %.4f, %.2f of the steps beside it)", f.wrapJump, f.wrapRatio);
    std::snprintf(line, sizeof line, "%s: %.1f LUFS, peak %.1f dBFS, %.2f s %s%s, %zu KB", name.c_str(), f.loudness,
                  f.peakDb, f.seconds, f.channels == 2 ? "stereo" : "mono", wrap, (f.bytes + 512) / 1024);
    return line;
}

}  // namespace vz::soundbuild
