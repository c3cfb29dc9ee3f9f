// Reading the sound sources: lines of words, numbers, "key=value" settings, and the settings every sound has.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace vz::soundbuild {

// A fault in a source, with the line it is on; the parsers catch it and hand back its text.
struct SourceError : std::runtime_error {
    SourceError(int line, const std::string& what) : std::runtime_error("line " + std::to_string(line) + ": " + what) {}
};

// One line of a source with its comment (from a word beginning with "#") taken off; blank lines are dropped.
struct SourceLine {
    int number = 0;
    std::vector<std::string> words;
};
std::vector<SourceLine> SplitSource(const std::string& text);

// A number, or throws naming what was expected.
double Number(const SourceLine& line, const std::string& word, const char* what);
int Integer(const SourceLine& line, const std::string& word, const char* what);
// Numbers joined by `separator` ("400>900", "6:0.3"); `count` of them, or 1..any if count is 0.
std::vector<double> Numbers(const SourceLine& line, const std::string& word, char separator, size_t count, const char* what);
// "key=value" split at its first '='; throws if there is none.
std::pair<std::string, std::string> Setting(const SourceLine& line, const std::string& word);

// What every sound states about its file: channels, loudness, Vorbis quality.
struct FileSettings {
    int channels = 1;
    double loudness = -20.0;  // LUFS the sound is brought to
    float quality = 0.0f;     // Vorbis quality
};
// True if the line was one of those settings (and takes it); false if the line is for the sound's own parser.
bool FileSetting(const SourceLine& line, FileSettings& file);

}  // namespace vz::soundbuild
