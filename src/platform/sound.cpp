// The names of the sound files, one per sound.
#include "platform/sound.h"

#include <iterator>

namespace vz {

namespace {

constexpr const char* kMusicNames[] = {
    "",               // None
    "music_title",    // the title screen
    "music_beach",    // ship, bar, palm beach, the bare strip
    "music_village",  // the village
    "music_jungle",   // the jungle
    "music_holes",    // the field of holes
    "music_ending",   // the ending and the credits
};
static_assert(std::size(kMusicNames) == static_cast<size_t>(Music::Count));

constexpr const char* kAmbienceNames[] = {
    "",            // None
    "amb_surf",    // the beaches
    "amb_jungle",  // birds and insects
    "amb_fire",    // the village's fire
    "amb_raft",    // the ending's motor and waves
};
static_assert(std::size(kAmbienceNames) == static_cast<size_t>(Ambience::Count));

constexpr const char* kCueNames[] = {
    "sfx_step_sand",     // StepSand
    "sfx_step_jungle",   // StepJungle
    "sfx_take",          // Take
    "sfx_find",          // Find
    "sfx_give",          // Give
    "sfx_panel_open",    // PanelOpen
    "sfx_panel_close",   // PanelClose
    "sfx_combine_ok",    // CombineOk
    "sfx_combine_fail",  // CombineFail
    "sfx_verb",          // Verb
    "sfx_hover",         // ButtonHover
    "sfx_press",         // ButtonPress
    "sfx_save",          // Save
    "sfx_line",          // Line
    "sfx_monkey",        // Monkey
    "sfx_snore",         // Snore
    "sfx_spade",         // Spade
    "sfx_engine",        // Engine
    "sfx_splash",        // Splash
};
static_assert(std::size(kCueNames) == static_cast<size_t>(Cue::Count));

}  // namespace

const char* MusicName(Music music) {
    const auto i = static_cast<size_t>(music);
    return i < std::size(kMusicNames) ? kMusicNames[i] : "";
}

const char* AmbienceName(Ambience bed) {
    const auto i = static_cast<size_t>(bed);
    return i < std::size(kAmbienceNames) ? kAmbienceNames[i] : "";
}

const char* CueName(Cue cue) {
    const auto i = static_cast<size_t>(cue);
    return i < std::size(kCueNames) ? kCueNames[i] : "";
}

}  // namespace vz
