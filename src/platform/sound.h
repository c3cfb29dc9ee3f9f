// The sounds the game asks for: music and ambience that should be playing, and one frame's cues.
#pragma once

#include <array>
#include <cstdint>

namespace vz {

// One piece of music a scene (or the title, or the ending) plays; each loops.
enum class Music : uint8_t { None, Title, Beach, Village, Jungle, Holes, Ending, Count };

// A quiet looping bed under the music.
enum class Ambience : uint8_t { None, Surf, Jungle, Fire, Raft, Count };

// A short sound tied to what the game did in this frame.
enum class Cue : uint8_t {
    StepSand,     // a footfall of the hero on the beach or in the village
    StepJungle,   // a footfall on the jungle floor
    Take,         // the hero bends to pick something up
    Find,         // an item joins the inventory
    Give,         // an item handed over to an islander
    PanelOpen,    // the inventory opens
    PanelClose,   // the inventory closes
    CombineOk,    // two things combined into something
    CombineFail,  // a combination that does nothing
    Verb,         // the pointer's verb changes
    ButtonHover,  // the pointer comes onto a button of the title or the panel
    ButtonPress,  // such a button is pressed
    Save,         // the game was saved
    Line,         // a conversation line appears
    Monkey,       // the monkey fetches the coconut
    Snore,        // someone asleep snores
    Spade,        // the spade digs in the holes
    Engine,       // the engine starts on the raft
    Splash,       // something falls into the water
    Count
};

// The file each sound is built into, below the sounds folder (without the ".ogg").
const char* MusicName(Music music);        // "music_title", "music_beach", ...
const char* AmbienceName(Ambience bed);    // "amb_surf", "amb_jungle", "amb_fire", "amb_raft"
const char* CueName(Cue cue);              // "sfx_step_sand", "sfx_take", ...

// What the game asks of the sound for one frame: what should be playing, and what happened.
struct SoundFrame {
    static constexpr int kMaxCues = 8;
    Music music = Music::None;
    Ambience ambience = Ambience::None;
    std::array<Cue, kMaxCues> cues{};
    int cueCount = 0;

    // A cue asked for twice in a frame sounds once; more than kMaxCues different cues are dropped.
    void Add(Cue cue) {
        for (int i = 0; i < cueCount; ++i)
            if (cues[i] == cue) return;
        if (cueCount < kMaxCues) cues[cueCount++] = cue;
    }
    void ClearCues() { cueCount = 0; }
};

}  // namespace vz
