// The effects' and beds' synthesiser: a recipe of layers (tones and noises, shaped, filtered, scattered).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio.h"
#include "source_text.h"

namespace vz::soundbuild {

enum class Wave { Sine, Triangle, Square, Saw };
enum class Colour { White, Pink, Brown };
enum class Filter { None, LowPass, HighPass, BandPass };

// A slow or fast wobble: `rate` in Hz, `depth` (0..1 for loudness, semitones for pitch), `phase` in cycles.
struct Wobble {
    double rate = 0, depth = 0, phase = 0;
};

// One line of a recipe: a tone or a noise, sounding once or scattered as many short events.
struct Layer {
    int line = 0;
    bool noise = false;
    Wave wave = Wave::Sine;
    Colour colour = Colour::White;
    double start = 0, duration = 0;  // seconds
    bool whole = false;              // "all": as long as the sound (a bed's whole loop)
    std::vector<double> freq{440.0};  // Hz, glided through evenly over each event
    Wobble vibrato;                   // pitch, in semitones
    Wobble swell, flutter;            // loudness, over the layer's own time (two, for slow and fast)
    Filter filter = Filter::None;
    std::vector<double> cutoff{1000.0};  // Hz, glided like freq
    double q = 0.707;
    double attack = 0.002, decay = 0.0, release = 0.005;  // seconds; decay 0: none
    double gain = 0.0;   // dB
    double pan = 0.0;    // -1 left .. 1 right
    double drive = 0.0;  // tanh saturation; 0: none
    // Scattering: events every `every` s, or `rate` random events a second; each `length` s long.
    double every = 0, rate = 0, length = 0;
    int burst = 1;                        // each event sounds `burst` times,
    double burstGap = 0, burstStep = 0;   // `burstGap` s apart, `burstStep` semitones apart
    double pitchJitter = 0, gainJitter = 0, timeJitter = 0, panJitter = 0;  // semitones, dB, of `every`, -1..1
    bool Scattered() const { return every > 0 || rate > 0; }
};

struct Recipe {
    FileSettings file;
    double length = 0;  // a one-shot's length in seconds
    double loop = 0;    // a bed's loop length in seconds (then `length` is unused)
    double fade = 1.0;  // how long the crossfade at a bed's seam is
    uint32_t seed = 1;
    std::vector<Layer> layers;
};

bool ParseRecipe(const std::string& text, Recipe& recipe, std::string& error);

// The recipe's sound; a bed comes out exactly `loop` seconds long (to the nearest frame) and seamless.
Audio RenderRecipe(const Recipe& recipe);

}  // namespace vz::soundbuild
