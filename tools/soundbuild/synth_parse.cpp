// Reading a synthesiser recipe: a few settings, then one line per layer.
//
//   length 0.4                     a one-shot of 0.4 s   (or: loop 24, fade 2  for a bed)
//   tone  0.00 0.12  freq=600>900 wave=tri attack=0.004 decay=0.05 gain=-6
//   noise 0    all   colour=pink lp=700 swell=0.125:0.6 rate=3 len=0.01
#include "synth.h"

#include <functional>
#include <map>

namespace vz::soundbuild {

namespace {

using Apply = std::function<void(const SourceLine&, const std::string&, Layer&)>;

double Positive(const SourceLine& line, const std::string& word, const char* what) {
    const double v = Number(line, word, what);
    if (!(v > 0)) throw SourceError(line.number, std::string(what) + " must be above 0");
    return v;
}

std::vector<double> Frequencies(const SourceLine& line, const std::string& word) {
    std::vector<double> f = Numbers(line, word, '>', 0, "frequencies in Hz");
    for (double v : f)
        if (!(v > 0 && v < kRate / 2)) throw SourceError(line.number, "frequency out of 0 .. 22050 Hz: " + word);
    return f;
}

Wobble ReadWobble(const SourceLine& line, const std::string& word) {
    std::vector<double> v = Numbers(line, word, ':', 0, "rate:depth[:phase]");
    if (v.size() < 2 || v.size() > 3 || v[0] < 0) throw SourceError(line.number, "rate:depth[:phase] expected, not " + word);
    return {v[0], v[1], v.size() == 3 ? v[2] : 0.0};
}

// Every layer setting and how it is taken.
const std::map<std::string, Apply>& LayerSettings() {
    static const std::map<std::string, Apply> settings = {
        {"wave", [](const SourceLine& l, const std::string& v, Layer& layer) {
             static const std::map<std::string, Wave> waves = {
                 {"sine", Wave::Sine}, {"tri", Wave::Triangle}, {"square", Wave::Square}, {"saw", Wave::Saw}};
             auto it = waves.find(v);
             if (it == waves.end()) throw SourceError(l.number, "wave is sine, tri, square or saw, not " + v);
             layer.wave = it->second;
         }},
        {"colour", [](const SourceLine& l, const std::string& v, Layer& layer) {
             static const std::map<std::string, Colour> colours = {
                 {"white", Colour::White}, {"pink", Colour::Pink}, {"brown", Colour::Brown}};
             auto it = colours.find(v);
             if (it == colours.end()) throw SourceError(l.number, "colour is white, pink or brown, not " + v);
             layer.colour = it->second;
         }},
        {"freq", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.freq = Frequencies(l, v); }},
        {"vib", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.vibrato = ReadWobble(l, v); }},
        {"swell", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.swell = ReadWobble(l, v); }},
        {"flutter", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.flutter = ReadWobble(l, v); }},
        {"lp", [](const SourceLine& l, const std::string& v, Layer& layer) {
             layer.filter = Filter::LowPass, layer.cutoff = Frequencies(l, v);
         }},
        {"hp", [](const SourceLine& l, const std::string& v, Layer& layer) {
             layer.filter = Filter::HighPass, layer.cutoff = Frequencies(l, v);
         }},
        {"bp", [](const SourceLine& l, const std::string& v, Layer& layer) {
             layer.filter = Filter::BandPass, layer.cutoff = Frequencies(l, v);
         }},
        {"q", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.q = Positive(l, v, "q"); }},
        {"attack", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.attack = Number(l, v, "seconds"); }},
        {"decay", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.decay = Number(l, v, "seconds"); }},
        {"release", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.release = Number(l, v, "seconds"); }},
        {"gain", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.gain = Number(l, v, "dB"); }},
        {"pan", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.pan = Number(l, v, "-1 .. 1"); }},
        {"drive", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.drive = Number(l, v, "a drive"); }},
        {"every", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.every = Positive(l, v, "every"); }},
        {"rate", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.rate = Positive(l, v, "rate"); }},
        {"len", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.length = Positive(l, v, "len"); }},
        {"burst", [](const SourceLine& l, const std::string& v, Layer& layer) {
             std::vector<double> b = Numbers(l, v, ':', 0, "count:gap[:semitones]");
             if (b.size() < 2 || b.size() > 3 || b[0] < 1 || b[0] > 64 || b[1] < 0)
                 throw SourceError(l.number, "burst is count:gap[:semitones], 1 .. 64 sounds");
             layer.burst = static_cast<int>(b[0]), layer.burstGap = b[1], layer.burstStep = b.size() == 3 ? b[2] : 0.0;
         }},
        {"pj", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.pitchJitter = Number(l, v, "semitones"); }},
        {"gj", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.gainJitter = Number(l, v, "dB"); }},
        {"tj", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.timeJitter = Number(l, v, "a fraction"); }},
        {"panj", [](const SourceLine& l, const std::string& v, Layer& layer) { layer.panJitter = Number(l, v, "0 .. 1"); }},
    };
    return settings;
}

Layer ReadLayer(const SourceLine& line) {
    if (line.words.size() < 3) throw SourceError(line.number, line.words[0] + " START DURATION settings... expected");
    Layer layer;
    layer.line = line.number;
    layer.noise = line.words[0] == "noise";
    layer.start = Number(line, line.words[1], "a start in seconds");
    if (line.words[2] == "all") {
        layer.whole = true;  // from its start on as long as the sound; in a bed, round the loop
    } else {
        layer.duration = Positive(line, line.words[2], "a duration in seconds");
    }
    for (size_t i = 3; i < line.words.size(); ++i) {
        auto [key, value] = Setting(line, line.words[i]);
        auto it = LayerSettings().find(key);
        if (it == LayerSettings().end()) throw SourceError(line.number, "unknown setting '" + key + "'");
        it->second(line, value, layer);
    }
    if (layer.Scattered() && layer.length <= 0) throw SourceError(line.number, "scattered events need len=");
    // Bounds that keep a slip of the pen from asking for millions of events.
    if ((layer.every > 0 && layer.every < 0.002) || layer.rate > 500 || layer.length > 60)
        throw SourceError(line.number, "every= under 2 ms, rate= over 500 a second or len= over a minute");
    if (layer.start < 0 || layer.attack < 0 || layer.decay < 0 || layer.release < 0 || layer.pan < -1 || layer.pan > 1)
        throw SourceError(line.number, "a start, time or pan out of range");
    return layer;
}

}  // namespace

bool ParseRecipe(const std::string& text, Recipe& recipe, std::string& error) {
    Recipe r;
    try {
        for (const SourceLine& line : SplitSource(text)) {
            const std::string& key = line.words[0];
            if (FileSetting(line, r.file)) continue;
            if (key == "tone" || key == "noise") {
                r.layers.push_back(ReadLayer(line));
                continue;
            }
            if (line.words.size() != 2) throw SourceError(line.number, "unknown line '" + key + "'");
            const std::string& value = line.words[1];
            if (key == "length") r.length = Positive(line, value, "a length in seconds");
            else if (key == "loop") r.loop = Positive(line, value, "a loop length in seconds");
            else if (key == "fade") r.fade = Positive(line, value, "a fade in seconds");
            else if (key == "seed") r.seed = static_cast<uint32_t>(Integer(line, value, "a seed"));
            else throw SourceError(line.number, "unknown line '" + key + "'");
        }
        if ((r.length > 0) == (r.loop > 0)) throw SourceError(0, "a recipe has either a length or a loop");
        if (r.length > 60 || r.loop > 120) throw SourceError(0, "a sound of over a minute (a bed of over two)");
        if (r.loop > 0 && r.fade > r.loop / 2) throw SourceError(0, "the fade is longer than half the loop");
        if (r.layers.empty()) throw SourceError(0, "no layers");
        for (const Layer& layer : r.layers)
            if (r.loop > 0 && layer.whole && !layer.Scattered() && (layer.freq.size() > 1 || layer.cutoff.size() > 1))
                throw SourceError(layer.line, "a glide cannot run over a whole loop");
    } catch (const SourceError& e) {
        error = e.what();
        return false;
    }
    recipe = std::move(r);
    return true;
}

}  // namespace vz::soundbuild
