// The loudness meter: K-weighting, 400 ms blocks, and the two gates.
#include "loudness.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vz::soundbuild {

namespace {

// The K-weighting's analogue prototypes (the 48 kHz coefficients of BS.1770 come from these).
constexpr double kShelfHz = 1681.974450955533;
constexpr double kShelfGainDb = 3.999843853973347;
constexpr double kShelfQ = 0.7071752369554196;
constexpr double kHighPassHz = 38.13547087602444;
constexpr double kHighPassQ = 0.5003270373238773;

constexpr double kAbsoluteGate = -70.0;  // LUFS
constexpr double kRelativeGate = -10.0;  // LU under the loudness of the blocks above the absolute gate

double ToLufs(double meanSquare) {
    return meanSquare > 0 ? -0.691 + 10.0 * std::log10(meanSquare) : -std::numeric_limits<double>::infinity();
}

// Mean squares of the K-weighted signal (summed over the speakers) in 100 ms steps.
std::vector<double> StepEnergies(const Audio& audio) {
    const size_t ch = static_cast<size_t>(audio.channels);
    const size_t step = static_cast<size_t>(audio.rate) / 10;
    size_t frames = audio.Frames();
    const size_t blockFrames = 4 * step;
    if (frames == 0 || ch == 0 || step == 0) return {};
    if (frames < blockFrames) frames = blockFrames;
    const double speakers = ch == 1 ? 2.0 : 1.0;  // mono as both speakers

    const Biquad k1 = KWeightingShelf(audio.rate), k2 = KWeightingHighPass(audio.rate);
    std::vector<double> steps(frames / step, 0.0);
    for (size_t c = 0; c < ch; ++c) {
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0, z1 = 0, z2 = 0;
        for (size_t i = 0; i < steps.size() * step; ++i) {
            const double x = i < audio.Frames() ? audio.samples[i * ch + c] : 0.0;
            const double y = k1.b0 * x + k1.b1 * x1 + k1.b2 * x2 - k1.a1 * y1 - k1.a2 * y2;
            x2 = x1, x1 = x;
            const double z = k2.b0 * y + k2.b1 * y1 + k2.b2 * y2 - k2.a1 * z1 - k2.a2 * z2;
            y2 = y1, y1 = y;
            z2 = z1, z1 = z;
            steps[i / step] += speakers * z * z;
        }
    }
    for (double& e : steps) e /= static_cast<double>(step);
    return steps;
}

// Mean squares of the 400 ms blocks, each four steps, one block per step.
std::vector<double> BlockEnergies(const Audio& audio) {
    const std::vector<double> steps = StepEnergies(audio);
    std::vector<double> blocks;
    for (size_t i = 3; i < steps.size(); ++i) blocks.push_back((steps[i - 3] + steps[i - 2] + steps[i - 1] + steps[i]) / 4);
    return blocks;
}

// The mean energy of the blocks above a gate in LUFS; 0 blocks -> 0.
double GatedMean(const std::vector<double>& blocks, double gate, size_t& count) {
    double sum = 0;
    count = 0;
    for (double e : blocks)
        if (ToLufs(e) > gate) sum += e, ++count;
    return count > 0 ? sum / static_cast<double>(count) : 0.0;
}

}  // namespace

Biquad KWeightingShelf(double rate) {
    const double k = std::tan(M_PI * kShelfHz / rate);
    const double vh = std::pow(10.0, kShelfGainDb / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / kShelfQ + k * k;
    return {(vh + vb * k / kShelfQ + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / kShelfQ + k * k) / a0,
            2.0 * (k * k - 1.0) / a0, (1.0 - k / kShelfQ + k * k) / a0};
}

Biquad KWeightingHighPass(double rate) {
    const double k = std::tan(M_PI * kHighPassHz / rate);
    const double a0 = 1.0 + k / kHighPassQ + k * k;
    // The standard leaves the numerator as 1, -2, 1 (unity gain far above the corner).
    return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / kHighPassQ + k * k) / a0};
}

double IntegratedLoudness(const Audio& audio) {
    const std::vector<double> blocks = BlockEnergies(audio);
    size_t count = 0;
    const double ungated = GatedMean(blocks, kAbsoluteGate, count);
    if (count == 0) return -std::numeric_limits<double>::infinity();
    const double mean = GatedMean(blocks, std::max(kAbsoluteGate, ToLufs(ungated) + kRelativeGate), count);
    return ToLufs(mean);
}

double MaxMomentaryLoudness(const Audio& audio) {
    const std::vector<double> blocks = BlockEnergies(audio);
    double loudest = 0;
    for (double e : blocks) loudest = std::max(loudest, e);
    return ToLufs(loudest);
}

}  // namespace vz::soundbuild
