// The sound sources' common reading: words, numbers, settings.
#include "source_text.h"

#include <charconv>
#include <sstream>

namespace vz::soundbuild {

std::vector<SourceLine> SplitSource(const std::string& text) {
    std::vector<SourceLine> lines;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        // A comment begins with a '#' that begins a word; inside a word it is a sharp (f#4).
        for (size_t i = 0; i < raw.size(); ++i)
            if (raw[i] == '#' && (i == 0 || raw[i - 1] == ' ' || raw[i - 1] == '\t')) {
                raw.resize(i);
                break;
            }
        SourceLine line{number, {}};
        std::istringstream words(raw);
        for (std::string w; words >> w;) line.words.push_back(w);
        if (!line.words.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

namespace {

template <typename T>
T Parsed(const SourceLine& line, const std::string& word, const char* what) {
    T v{};
    const char* end = word.data() + word.size();
    auto [at, ec] = std::from_chars(word.data(), end, v);
    if (ec != std::errc() || at != end) throw SourceError(line.number, std::string(what) + " expected, not '" + word + "'");
    return v;
}

}  // namespace

double Number(const SourceLine& line, const std::string& word, const char* what) {
    return Parsed<double>(line, word, what);
}

int Integer(const SourceLine& line, const std::string& word, const char* what) {
    return Parsed<int>(line, word, what);
}

std::vector<double> Numbers(const SourceLine& line, const std::string& word, char separator, size_t count, const char* what) {
    std::vector<double> values;
    size_t from = 0;
    for (;;) {
        const size_t to = word.find(separator, from);
        values.push_back(Number(line, word.substr(from, to - from), what));
        if (to == std::string::npos) break;
        from = to + 1;
    }
    if (count != 0 && values.size() != count)
        throw SourceError(line.number, std::to_string(count) + " numbers joined by '" + separator + "' expected in '" + word + "'");
    return values;
}

std::pair<std::string, std::string> Setting(const SourceLine& line, const std::string& word) {
    const size_t eq = word.find('=');
    if (eq == std::string::npos || eq == 0) throw SourceError(line.number, "key=value expected, not '" + word + "'");
    return {word.substr(0, eq), word.substr(eq + 1)};
}

bool FileSetting(const SourceLine& line, FileSettings& file) {
    const std::string& key = line.words[0];
    if (key != "channels" && key != "loudness" && key != "quality") return false;
    if (line.words.size() != 2) throw SourceError(line.number, key + " takes one value");
    if (key == "channels") {
        file.channels = Integer(line, line.words[1], "1 or 2");
        if (file.channels != 1 && file.channels != 2) throw SourceError(line.number, "channels must be 1 or 2");
    } else if (key == "loudness") {
        file.loudness = Number(line, line.words[1], "a loudness in LUFS");
        if (file.loudness > -6 || file.loudness < -50) throw SourceError(line.number, "loudness out of -50 .. -6 LUFS");
    } else {
        file.quality = static_cast<float>(Number(line, line.words[1], "a Vorbis quality"));
        if (file.quality < -0.1f || file.quality > 1.0f) throw SourceError(line.number, "quality out of -0.1 .. 1");
    }
    return true;
}

}  // namespace vz::soundbuild
