// Rendering a synthesiser recipe: each layer's events made one by one and mixed in, a bed wrapped round.
#include <algorithm>
#include <cmath>

#include "synth.h"

namespace vz::soundbuild {

namespace {

// A small random source of our own (SplitMix64), the same numbers on every machine and every build.
struct Random {
    uint64_t state;
    explicit Random(uint64_t seed) : state(seed) {}
    uint64_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }  // 0 .. 1
    double Signed() { return 2.0 * Unit() - 1.0; }                                             // -1 .. 1
};

// One sounding of a layer.
struct Event {
    double time = 0, length = 0;  // seconds
    double semitones = 0, gainDb = 0, pan = 0;
    uint64_t seed = 0;
};

// A point on a glide through evenly spaced values, each step exponential (pitch and cutoff alike).
double Glide(const std::vector<double>& points, double x) {
    if (points.size() == 1) return points[0];
    const double at = std::clamp(x, 0.0, 1.0) * static_cast<double>(points.size() - 1);
    const size_t i = std::min(static_cast<size_t>(at), points.size() - 2);
    return points[i] * std::pow(points[i + 1] / points[i], at - static_cast<double>(i));
}

// A state-variable filter (trapezoidal), stable while its cutoff moves.
struct StateVariableFilter {
    double ic1 = 0, ic2 = 0, a1 = 0, a2 = 0, a3 = 0, k = 1;
    void Tune(double cutoff, double q) {
        const double g = std::tan(M_PI * std::min(cutoff, 0.45 * kRate) / kRate);
        k = 1.0 / q;
        a1 = 1.0 / (1.0 + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
    }
    double Run(double v0, Filter kind) {
        const double v3 = v0 - ic2;
        const double v1 = a1 * ic1 + a2 * v3;
        const double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2 * v1 - ic1;
        ic2 = 2 * v2 - ic2;
        if (kind == Filter::LowPass) return v2;
        if (kind == Filter::BandPass) return k * v1;  // unity gain at the centre whatever the q
        return v0 - k * v1 - v2;
    }
};

// The step a naive saw or square makes each cycle, smoothed over one sample (PolyBLEP), against aliasing.
double Blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double Oscillator(Wave wave, double phase, double dt) {
    switch (wave) {
        case Wave::Sine: return std::sin(2 * M_PI * phase);
        case Wave::Triangle: return 4.0 * std::fabs(phase - 0.5) - 1.0;
        case Wave::Saw: return 2.0 * phase - 1.0 - Blep(phase, dt);
        case Wave::Square: return (phase < 0.5 ? 1.0 : -1.0) + Blep(phase, dt) - Blep(std::fmod(phase + 0.5, 1.0), dt);
    }
    return 0.0;
}

// Noise of a colour: white as it comes, pink (equal energy per octave), brown (deeper still).
struct Noise {
    Random random;
    Colour colour;
    double b[7] = {0, 0, 0, 0, 0, 0, 0};
    Noise(uint64_t seed, Colour c) : random(seed), colour(c) {}
    double Next() {
        const double w = random.Signed();
        if (colour == Colour::White) return w;
        if (colour == Colour::Brown) {
            b[0] = (b[0] + 0.02 * w) / 1.02;
            return 3.5 * b[0];
        }
        b[0] = 0.99886 * b[0] + w * 0.0555179;
        b[1] = 0.99332 * b[1] + w * 0.0750759;
        b[2] = 0.96900 * b[2] + w * 0.1538520;
        b[3] = 0.86650 * b[3] + w * 0.3104856;
        b[4] = 0.55000 * b[4] + w * 0.5329522;
        b[5] = -0.7616 * b[5] - w * 0.0168980;
        const double pink = b[0] + b[1] + b[2] + b[3] + b[4] + b[5] + b[6] + w * 0.5362;
        b[6] = w * 0.115926;
        return 0.11 * pink;
    }
};

// Rises softly over `attack`, dies away with `decay`, and closes softly over the last `release`.
double Envelope(const Layer& layer, double t, double length) {
    double e = 1.0;
    if (layer.attack > 0 && t < layer.attack) e = std::pow(std::sin(M_PI / 2 * t / layer.attack), 2);
    if (layer.decay > 0 && t > layer.attack) e *= std::exp(-(t - layer.attack) / layer.decay);
    const double left = length - t;
    if (layer.release > 0 && left < layer.release) e *= std::pow(std::sin(M_PI / 2 * std::max(0.0, left) / layer.release), 2);
    return e;
}

double WobbleAt(const Wobble& w, double t) { return std::sin(2 * M_PI * (w.rate * t + w.phase)); }

// The layer's loudness wobbles at a moment of its own time.
double Swells(const Layer& layer, double t) {
    double g = 1.0;
    for (const Wobble* w : {&layer.swell, &layer.flutter})
        if (w->depth > 0) g *= 1.0 - w->depth * (0.5 + 0.5 * WobbleAt(*w, t));
    return g;
}

// A rate moved to the nearest whole number of cycles in a loop, so the loop meets itself.
double Snapped(double rate, double loopSeconds) {
    return rate > 0 ? std::max(1.0, std::round(rate * loopSeconds)) / loopSeconds : 0.0;
}

std::vector<float> RenderEvent(const Layer& layer, const Event& event, size_t frames, bool shaped) {
    std::vector<float> out(frames);
    Noise noise(event.seed, layer.colour);
    StateVariableFilter filter;
    const double pitch = std::pow(2.0, event.semitones / 12.0);
    const double length = static_cast<double>(frames) / kRate;
    double phase = 0;
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double x = frames > 1 ? static_cast<double>(i) / static_cast<double>(frames - 1) : 0.0;
        double s;
        if (layer.noise) {
            s = noise.Next();
        } else {
            double f = Glide(layer.freq, x) * pitch;
            if (layer.vibrato.depth != 0) f *= std::pow(2.0, layer.vibrato.depth * WobbleAt(layer.vibrato, t) / 12.0);
            const double dt = std::min(f / kRate, 0.5);
            s = Oscillator(layer.wave, phase, dt);
            phase += dt;
            phase -= std::floor(phase);
        }
        if (layer.filter != Filter::None) {
            if (i % 16 == 0) filter.Tune(Glide(layer.cutoff, x) * pitch, layer.q);
            s = filter.Run(s, layer.filter);
        }
        if (layer.drive > 0) s = std::tanh(layer.drive * s) / std::tanh(layer.drive);
        out[i] = static_cast<float>(shaped ? s * Envelope(layer, t, length) : s);
    }
    return out;
}

std::vector<Event> Events(const Layer& layer, size_t index, const Recipe& recipe, double span) {
    Random random((static_cast<uint64_t>(recipe.seed) << 32) ^ (index * 0x100000001B3ull));
    const bool bed = recipe.loop > 0;
    std::vector<double> times;
    if (layer.every > 0) {
        // In a bed a regular beat fits the loop a whole number of times.
        const double period = bed && layer.whole ? span / std::max(1.0, std::round(span / layer.every)) : layer.every;
        for (double t = 0; t < span - 1e-9; t += period)
            times.push_back(layer.start + t + 0.5 * layer.timeJitter * period * random.Signed());
    } else if (layer.rate > 0) {
        const int count = std::max(1, static_cast<int>(std::lround(layer.rate * span)));
        for (int i = 0; i < count; ++i) times.push_back(layer.start + span * random.Unit());
    } else {
        times.push_back(layer.start);
    }
    std::vector<Event> events;
    for (double time : times) {
        const double semitones = layer.pitchJitter * random.Signed();
        const double gainDb = layer.gain + layer.gainJitter * random.Signed();
        const double pan = std::clamp(layer.pan + layer.panJitter * random.Signed(), -1.0, 1.0);
        for (int b = 0; b < layer.burst; ++b)
            events.push_back({time + b * layer.burstGap, layer.Scattered() ? layer.length : span,
                              semitones + b * layer.burstStep, gainDb, pan, random.Next()});
    }
    return events;
}

}  // namespace

Audio RenderRecipe(const Recipe& recipe) {
    const bool bed = recipe.loop > 0;
    const double seconds = bed ? recipe.loop : recipe.length;
    const auto total = static_cast<size_t>(std::llround(seconds * kRate));
    const auto fadeFrames = static_cast<size_t>(std::llround(recipe.fade * kRate));
    const double loopSeconds = static_cast<double>(total) / kRate;  // exactly the frames there are
    const size_t ch = static_cast<size_t>(recipe.file.channels);
    Audio out;
    out.channels = recipe.file.channels;
    out.samples.assign(total * ch, 0.0f);

    for (size_t index = 0; index < recipe.layers.size(); ++index) {
        Layer layer = recipe.layers[index];
        const bool held = bed && layer.whole && !layer.Scattered();  // one sound through the whole loop
        if (bed) {
            layer.swell.rate = Snapped(layer.swell.rate, loopSeconds);
            layer.flutter.rate = Snapped(layer.flutter.rate, loopSeconds);
            if (held) {
                layer.vibrato.rate = Snapped(layer.vibrato.rate, loopSeconds);
                layer.freq[0] = Snapped(layer.freq[0], loopSeconds);
            }
        }
        const double span = layer.whole ? loopSeconds : layer.duration;
        for (const Event& event : Events(layer, index, recipe, span)) {
            std::vector<float> sound;
            if (held) {
                // Rendered on past the loop and crossfaded back into its start.
                sound = RenderEvent(layer, event, total + fadeFrames, false);
                CrossfadeTail(sound, total, fadeFrames, layer.noise);
            } else {
                sound = RenderEvent(layer, event, static_cast<size_t>(std::llround(event.length * kRate)), true);
            }
            const double gain = std::pow(10.0, event.gainDb / 20.0);
            // Equal-power panning with the centre at full level in both speakers.
            const double angle = (event.pan + 1.0) * M_PI / 4;
            const double sides[2] = {std::cos(angle) * M_SQRT2, std::sin(angle) * M_SQRT2};
            const auto first = static_cast<long long>(std::llround(event.time * kRate));
            for (size_t i = 0; i < sound.size(); ++i) {
                long long frame = first + static_cast<long long>(i);
                if (bed) frame = ((frame % static_cast<long long>(total)) + static_cast<long long>(total)) % static_cast<long long>(total);
                else if (frame < 0 || frame >= static_cast<long long>(total)) continue;
                const double s = sound[i] * gain * Swells(layer, static_cast<double>(frame) / kRate);
                for (size_t c = 0; c < ch; ++c)
                    out.samples[static_cast<size_t>(frame) * ch + c] += static_cast<float>(ch == 2 ? s * sides[c] : s);
            }
        }
    }
    // An event still sounding at a one-shot's end is closed softly rather than cut.
    if (!bed) {
        const size_t fade = std::min<size_t>(total, kRate / 200);
        for (size_t i = 0; i < fade; ++i)
            for (size_t c = 0; c < ch; ++c) out.samples[(total - 1 - i) * ch + c] *= static_cast<float>(i) / fade;
    }
    return out;
}

}  // namespace vz::soundbuild
