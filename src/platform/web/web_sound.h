// The page's side of the sound: what the game asks for handed to the page's Web Audio engine
// (web_sound.js), the volume keys and the header's mute button, their note on the canvas, and the
// player's choice kept in the browser's storage.
#pragma once

#include <cstdint>

#include "platform/screen_note.h"
#include "platform/sound.h"
#include "platform/sound_control.h"
#include "platform/surface.h"
#include "platform/text.h"

namespace vz {

class WebSound {
public:
    // Reads the player's choice back and tells the page every cue's name (fetched after the first frame).
    void Start();
    void Play(const SoundFrame& frame);
    // A key pressed on the canvas; true when it was one of the sound's keys (M, -, +).
    bool Key(const char* key, bool repeat, uint32_t now);
    void ToggleMute(uint32_t now);
    // The note over the picture about to be shown, while it shows; the frame itself is left alone.
    const Surface& WithNote(const Surface& frame, uint32_t now);
    void SetFonts(const Fonts& fonts) { fonts_ = fonts; }

private:
    void Changed(uint32_t now);

    SoundControl control_;
    ScreenNote note_;
    Fonts fonts_;
    Surface noted_;
    Music music_ = Music::None;
    Ambience ambience_ = Ambience::None;
};

}  // namespace vz
