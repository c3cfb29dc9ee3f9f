// What sounds when: the music and ambience of what is on show, and the cues of what the game does.
#pragma once

#include "logic/story.h"
#include "world/world.h"

namespace vz {

// The buttons whose hover and press are heard, as the sound's memory knows them.
enum class ScreenButton : int32_t { None, TitleStart, TitleLoad, TitleQuit, PanelSave, PanelBack };

// Someone asleep in the scene snores every kSnorePeriod frames (4 s), the first time a little
// after he comes into view.
inline constexpr int kSnorePeriod = 100;
inline constexpr int kFirstSnore = 30;

// The start of a frame's sound: no cue yet, and the button under the pointer still to be found.
void BeginSoundFrame(World& world);
// The end of it, whatever the frame's blocks did: the music and ambience of what the frame
// ended on, and the snoring that comes with time.
void EndSoundFrame(World& world);

Music MusicFor(GameState state, int location);
Ambience AmbienceFor(GameState state, int location);

// The hero's step of this frame and his picture, with a footfall where a foot comes down.
void WalkHero(World& world);

// The title or the panel tells which of its buttons the pointer is on in this frame, and whether
// it was pressed: coming onto a button is heard once, a press each time.
void PointerOnButton(World& world, ScreenButton button, bool pressed);

// A combination applied: its chord, and the story's own sound where the rule has one.
void CueCombination(World& world, const CombinationRule& rule);

}  // namespace vz
