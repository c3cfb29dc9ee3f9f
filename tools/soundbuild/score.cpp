// Reading a score into note events.
//
//   tempo 112      steps 2      meter 4      swing 0.56      loop yes
//   instrument steel program=0:114 volume=100 pan=80 reverb=50
//   instrument kit   program=128:0
//   part A
//     steel      | e5:2 g5:2 a5:3 g5 | c6:4~ c6:2 . a5 |
//     kit.bongo  | x.x. x.xx            | X..x .x.x |
//   end
//   song A A
//
// A note is a pitch (c4 is middle C; '#' sharp, 'b' flat), a chord joins pitches with '+', '.' rests;
// ":N" makes it N steps long, '~' ties it into the same pitch after it, '^' accents it, '_' softens it.
// A drum line has one character a step: x a hit, X an accent, o a soft one, '.' or '-' nothing.
#include "score.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

namespace vz::soundbuild {

namespace {

// The General MIDI drum keys the scores name.
const std::map<std::string, int>& DrumKeys() {
    static const std::map<std::string, int> keys = {
        {"kick", 36},      {"rim", 37},       {"snare", 38},     {"clap", 39},      {"hat", 42},
        {"hat_open", 46},  {"tambourine", 54}, {"cowbell", 56},  {"bongo_hi", 60},  {"bongo_lo", 61},
        {"conga_mute", 62}, {"conga_hi", 63}, {"conga_lo", 64},  {"timbale_hi", 65}, {"timbale_lo", 66},
        {"agogo_hi", 67},  {"agogo_lo", 68},  {"cabasa", 69},    {"maracas", 70},   {"guiro_short", 73},
        {"guiro", 74},     {"claves", 75},    {"wood_hi", 76},   {"wood_lo", 77},   {"triangle_mute", 80},
        {"triangle", 81},  {"shaker", 82},
    };
    return keys;
}

constexpr int kAccent = 18;  // velocity an accent adds or a softening takes

struct PartLine {
    int line = 0;
    size_t instrument = 0;
    int drumKey = -1;  // -1: a melodic line
    std::vector<std::string> bars;
};

struct Part {
    int line = 0;
    double tempoFrom = 0, tempoTo = 0;  // 0: the score's tempo
    std::vector<PartLine> lines;
    size_t bars = 0;
};

struct Timing {
    double tempo = 100, swing = 0.5;
    int steps = 2, meter = 4, humanize = 0;
    int StepsPerBar() const { return steps * meter; }
};

int Pitch(const SourceLine& line, const std::string& word) {
    static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (word.size() < 2) throw SourceError(line.number, "a pitch like c4 or f#3 expected, not '" + word + "'");
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(word[0])));
    if (letter < 'a' || letter > 'g') throw SourceError(line.number, "a pitch like c4 or f#3 expected, not '" + word + "'");
    int semitone = kSemitones[letter - 'a'];
    size_t at = 1;
    if (word[at] == '#') ++semitone, ++at;
    else if (word[at] == 'b' && at + 1 < word.size()) --semitone, ++at;
    const int octave = Integer(line, word.substr(at), "an octave");
    const int key = 12 * (octave + 1) + semitone;
    if (key < 0 || key > 127) throw SourceError(line.number, "pitch out of range: " + word);
    return key;
}

// A hash of a place in the score, for a steady "human" spread of strengths that is the same on every build.
int Spread(int line, size_t step, int amount) {
    if (amount <= 0) return 0;
    uint32_t h = static_cast<uint32_t>(line) * 2654435761u ^ static_cast<uint32_t>(step) * 2246822519u;
    h ^= h >> 15, h *= 2246822519u, h ^= h >> 13;
    return static_cast<int>(h % static_cast<uint32_t>(2 * amount + 1)) - amount;
}

Instrument ReadInstrument(const SourceLine& line, int channel) {
    if (line.words.size() < 3) throw SourceError(line.number, "instrument NAME program=BANK:PROGRAM ... expected");
    Instrument in;
    in.name = line.words[1];
    in.channel = channel;
    bool program = false;
    auto controller = [&](const std::string& v) {
        const int c = Integer(line, v, "a value 0 .. 127");
        if (c < 0 || c > 127) throw SourceError(line.number, "a value 0 .. 127 expected, not " + v);
        return c;
    };
    for (size_t i = 2; i < line.words.size(); ++i) {
        auto [key, value] = Setting(line, line.words[i]);
        if (key == "program") {
            std::vector<double> p = Numbers(line, value, ':', 0, "BANK:PROGRAM");
            in.bank = p.size() == 2 ? static_cast<int>(p[0]) : 0;
            in.program = static_cast<int>(p.back());
            program = true;
        } else if (key == "volume") in.volume = controller(value);
        else if (key == "pan") in.pan = controller(value);
        else if (key == "reverb") in.reverb = controller(value);
        else if (key == "chorus") in.chorus = controller(value);
        else if (key == "velocity") in.velocity = controller(value);
        else if (key == "gate") in.gate = Number(line, value, "a fraction");
        else if (key == "transpose") in.transpose = Integer(line, value, "semitones");
        else throw SourceError(line.number, "unknown instrument setting '" + key + "'");
    }
    if (!program) throw SourceError(line.number, "an instrument needs program=");
    if (in.gate <= 0 || in.gate > 1) throw SourceError(line.number, "gate out of 0 .. 1");
    return in;
}

PartLine ReadPartLine(const SourceLine& line, const std::vector<Instrument>& instruments) {
    PartLine p;
    p.line = line.number;
    std::string name = line.words[0], drum;
    if (const size_t dot = name.find('.'); dot != std::string::npos) drum = name.substr(dot + 1), name.resize(dot);
    auto it = std::find_if(instruments.begin(), instruments.end(), [&](const Instrument& i) { return i.name == name; });
    if (it == instruments.end()) throw SourceError(line.number, "no instrument '" + name + "'");
    p.instrument = static_cast<size_t>(it - instruments.begin());
    if (it->Drums() != !drum.empty()) throw SourceError(line.number, it->Drums() ? "a drum line names its drum: kit.bongo_hi" : "only a drum kit has drum lines");
    if (!drum.empty()) {
        auto key = DrumKeys().find(drum);
        p.drumKey = key != DrumKeys().end() ? key->second : Integer(line, drum, "a drum name or key");
        if (p.drumKey < 0 || p.drumKey > 127) throw SourceError(line.number, "a drum key out of 0 .. 127");
    }
    std::string rest;
    for (size_t i = 1; i < line.words.size(); ++i) rest += " " + line.words[i];
    std::vector<std::string> pieces;
    std::istringstream in(rest);
    for (std::string piece; std::getline(in, piece, '|');) pieces.push_back(piece);
    auto blank = [](const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; };
    while (!pieces.empty() && blank(pieces.front())) pieces.erase(pieces.begin());
    while (!pieces.empty() && blank(pieces.back())) pieces.pop_back();
    for (const std::string& bar : pieces)
        if (blank(bar)) throw SourceError(line.number, "an empty bar");
    if (pieces.empty()) throw SourceError(line.number, "a line without bars");
    p.bars = pieces;
    return p;
}

// Turns one line's bars into events from `firstStep` on; `at(step)` is a step's time in seconds.
template <typename At>
void LineEvents(const PartLine& p, const Instrument& in, const Timing& timing, size_t firstStep, At at,
                std::vector<NoteEvent>& events) {
    auto frame = [](double seconds) { return static_cast<size_t>(std::llround(seconds * kRate)); };
    auto add = [&](double on, double off, int key, int velocity) {
        velocity = std::clamp(velocity, 1, 127);
        events.push_back({frame(on), true, in.channel, key, velocity});
        events.push_back({std::max(frame(off), frame(on) + 1), false, in.channel, key, 0});
    };
    const SourceLine line{p.line, {}};
    size_t step = firstStep;
    std::map<int, size_t> tied;  // key -> step its sounding began
    for (const std::string& bar : p.bars) {
        const size_t barStart = step;
        if (p.drumKey >= 0) {
            for (char c : bar) {
                if (c == ' ') continue;
                const int accent = c == 'X' ? kAccent : c == 'o' ? -kAccent : 0;
                if (c == 'x' || c == 'X' || c == 'o')
                    add(at(step), at(step + 1), p.drumKey, in.velocity + accent + Spread(p.line, step, timing.humanize));
                else if (c != '.' && c != '-') throw SourceError(p.line, std::string("unknown drum step '") + c + "'");
                ++step;
            }
        } else {
            std::istringstream tokens(bar);
            for (std::string token; tokens >> token;) {
                int accent = 0;
                bool tie = false;
                while (!token.empty() && (token.back() == '^' || token.back() == '_' || token.back() == '~')) {
                    if (token.back() == '~') tie = true;
                    else accent += token.back() == '^' ? kAccent : -kAccent;
                    token.pop_back();
                }
                size_t length = 1;
                if (const size_t colon = token.find(':'); colon != std::string::npos) {
                    const int n = Integer(line, token.substr(colon + 1), "a length in steps");
                    if (n < 1) throw SourceError(p.line, "a length of at least one step");
                    length = static_cast<size_t>(n);
                    token.resize(colon);
                }
                std::vector<int> keys;
                if (token != ".") {
                    std::istringstream chord(token);
                    for (std::string pitch; std::getline(chord, pitch, '+');) keys.push_back(Pitch(line, pitch) + in.transpose);
                }
                // Ties still waiting that this token does not continue end where it begins.
                for (auto it = tied.begin(); it != tied.end();) {
                    if (std::find(keys.begin(), keys.end(), it->first) == keys.end())
                        throw SourceError(p.line, "a tie into a different note");
                    ++it;
                }
                for (int key : keys) {
                    if (key < 0 || key > 127) throw SourceError(p.line, "a transposed pitch out of range");
                    const auto held = tied.find(key);
                    const size_t began = held != tied.end() ? held->second : step;
                    if (held != tied.end()) tied.erase(held);
                    if (tie) {
                        tied[key] = began;
                        continue;
                    }
                    const double off = at(step) + in.gate * (at(step + length) - at(step));
                    add(at(began), off, key, in.velocity + accent + Spread(p.line, began, timing.humanize));
                }
                step += length;
            }
        }
        if (step - barStart != static_cast<size_t>(timing.StepsPerBar()))
            throw SourceError(p.line, "a bar of " + std::to_string(step - barStart) + " steps, not " +
                                          std::to_string(timing.StepsPerBar()) + ": |" + bar + "|");
    }
    if (!tied.empty()) throw SourceError(p.line, "a tie at the end of a part");
}

}  // namespace

bool ParseScore(const std::string& text, Score& score, std::string& error) {
    Score s;
    Timing timing;
    std::map<std::string, Part> parts;
    std::vector<std::string> song;
    try {
        Part* open = nullptr;
        for (const SourceLine& line : SplitSource(text)) {
            const std::string& key = line.words[0];
            const size_t n = line.words.size();
            if (open) {
                if (key == "end") open = nullptr;
                else if (key == "tempo") {
                    if (n < 2 || n > 3) throw SourceError(line.number, "tempo FROM [TO] expected");
                    open->tempoFrom = Number(line, line.words[1], "a tempo");
                    open->tempoTo = n == 3 ? Number(line, line.words[2], "a tempo") : open->tempoFrom;
                    if (open->tempoFrom < 20 || open->tempoTo < 20 || open->tempoFrom > 400 || open->tempoTo > 400)
                        throw SourceError(line.number, "tempo out of 20 .. 400");
                } else open->lines.push_back(ReadPartLine(line, s.instruments));
                continue;
            }
            if (FileSetting(line, s.file)) continue;
            if (key == "part") {
                if (n != 2 || parts.count(line.words[1])) throw SourceError(line.number, "part NAME, a new name, expected");
                open = &parts[line.words[1]];
                open->line = line.number;
            } else if (key == "song") {
                for (size_t i = 1; i < n; ++i) song.push_back(line.words[i]);
            } else if (key == "instrument") {
                if (s.instruments.size() >= 16) throw SourceError(line.number, "more than 16 instruments");
                s.instruments.push_back(ReadInstrument(line, static_cast<int>(s.instruments.size())));
            } else if (key == "reverb") {
                for (size_t i = 1; i < n; ++i) {
                    auto [k, v] = Setting(line, line.words[i]);
                    const double x = Number(line, v, "0 .. 1");
                    if (x < 0 || x > 1) throw SourceError(line.number, "reverb settings are 0 .. 1");
                    if (k == "room") s.reverb.room = x;
                    else if (k == "damp") s.reverb.damp = x;
                    else if (k == "width") s.reverb.width = x;
                    else if (k == "level") s.reverb.level = x;
                    else throw SourceError(line.number, "reverb takes room, damp, width, level");
                }
            } else if (n == 2) {
                const std::string& v = line.words[1];
                if (key == "tempo") timing.tempo = Number(line, v, "a tempo");
                else if (key == "steps") timing.steps = Integer(line, v, "steps a beat");
                else if (key == "meter") timing.meter = Integer(line, v, "beats a bar");
                else if (key == "swing") timing.swing = Number(line, v, "a swing 0.5 .. 0.75");
                else if (key == "humanize") timing.humanize = Integer(line, v, "a velocity spread");
                else if (key == "tail") s.tail = Number(line, v, "seconds");
                else if (key == "loop") {
                    if (v != "yes" && v != "no") throw SourceError(line.number, "loop yes or loop no");
                    s.loop = v == "yes";
                } else throw SourceError(line.number, "unknown line '" + key + "'");
            } else {
                throw SourceError(line.number, "unknown line '" + key + "'");
            }
        }
        if (open) throw SourceError(open->line, "a part without its end");
        if (timing.tempo < 20 || timing.tempo > 400 || timing.steps < 1 || timing.steps > 12 || timing.meter < 1 ||
            timing.meter > 16 || timing.swing < 0.5 || timing.swing > 0.75 || s.tail < 0 || s.tail > 20)
            throw SourceError(0, "tempo, steps, meter, swing or tail out of range");
        if (song.empty()) throw SourceError(0, "no song line");

        // Every step's time: each part at its own tempo (gliding if it says so), off-beats swung.
        std::vector<double> times{0.0};
        std::vector<size_t> partStarts;
        for (const std::string& name : song) {
            auto it = parts.find(name);
            if (it == parts.end()) throw SourceError(0, "the song plays an unknown part '" + name + "'");
            Part& part = it->second;
            if (part.lines.empty()) throw SourceError(part.line, "an empty part");
            part.bars = part.lines[0].bars.size();
            for (const PartLine& p : part.lines)
                if (p.bars.size() != part.bars) throw SourceError(p.line, "a line of another number of bars than the part's first");
            partStarts.push_back(times.size() - 1);
            const size_t steps = part.bars * static_cast<size_t>(timing.StepsPerBar());
            const double from = part.tempoFrom > 0 ? part.tempoFrom : timing.tempo;
            const double to = part.tempoTo > 0 ? part.tempoTo : timing.tempo;
            for (size_t j = 0; j < steps; ++j) {
                const double tempo = from + (to - from) * static_cast<double>(j) / static_cast<double>(steps);
                double length = 60.0 / (tempo * timing.steps);
                if (timing.steps % 2 == 0) length *= 2 * (j % 2 == 0 ? timing.swing : 1 - timing.swing);
                times.push_back(times.back() + length);
            }
        }
        auto at = [&](size_t step) { return times[std::min(step, times.size() - 1)]; };
        for (size_t i = 0; i < song.size(); ++i)
            for (const PartLine& p : parts[song[i]].lines)
                LineEvents(p, s.instruments[p.instrument], timing, partStarts[i], at, s.events);
        s.endFrame = static_cast<size_t>(std::llround(times.back() * kRate));
        std::stable_sort(s.events.begin(), s.events.end(), [](const NoteEvent& a, const NoteEvent& b) {
            return a.frame != b.frame ? a.frame < b.frame : (!a.on && b.on);
        });
    } catch (const SourceError& e) {
        error = e.what();
        return false;
    }
    score = std::move(s);
    return true;
}

}  // namespace vz::soundbuild
