// The music's scores: instruments of the General MIDI soundfont, parts written bar by bar, and a song
// that strings the parts together; read into note events at exact frames.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio.h"
#include "source_text.h"

namespace vz::soundbuild {

struct Instrument {
    std::string name;
    int channel = 0;
    int bank = 0, program = 0;  // as the soundfont numbers its presets (bank 128: drum kits)
    int volume = 100, pan = 64, reverb = 40, chorus = 0;  // MIDI controller values 0..127
    int velocity = 90;   // a plain note's strength; '^' adds to it and '_' takes from it
    double gate = 0.9;   // how much of its length a note sounds
    int transpose = 0;   // semitones
    bool Drums() const { return bank == 128; }
};

struct NoteEvent {
    size_t frame = 0;
    bool on = false;
    int channel = 0, key = 0, velocity = 0;
};

struct Reverb {
    double room = 0.5, damp = 0.3, width = 0.8, level = 0.5;
};

struct Score {
    FileSettings file;
    bool loop = true;    // fold the ringing after the end onto the start
    double tail = 3.0;   // seconds rendered after the last step
    Reverb reverb;
    std::vector<Instrument> instruments;
    std::vector<NoteEvent> events;  // in time order, note-offs before note-ons at the same frame
    size_t endFrame = 0;            // where the song ends: the loop's length
};

bool ParseScore(const std::string& text, Score& score, std::string& error);

}  // namespace vz::soundbuild
