// What the game needs of the machine: a screen to show frames on, input, time, files and a notice.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/input.h"
#include "platform/settings.h"
#include "platform/shown_text.h"
#include "platform/sound.h"
#include "platform/surface.h"
#include "platform/text.h"

namespace vz {

class Platform : public Files {
public:
    // Handles the window's pending events; called once at the start of every frame.
    virtual void PumpEvents() = 0;
    // The devices' state for one poll: motion since the previous read, and what is held now.
    // Closing the window reads as Escape held, and so does a quit signal (SIGINT, SIGTERM, SIGHUP).
    virtual RawInput ReadInput() = 0;
    // Shows a finished 1024 x 768 frame.
    virtual void Present(const Surface& frame) = 0;
    virtual uint32_t Ticks() = 0;
    virtual void SleepMs(uint32_t ms) = 0;
    // A modal notice the player must acknowledge.
    virtual void Notice(const std::string& text) = 0;
    // The window's icon; ignored where there is no window.
    virtual void SetIcon(const Surface& icon) { (void)icon; }
    // The game's font, for the platform's own short notes on screen (the screenshot key's).
    virtual void SetFonts(const Fonts& fonts) { (void)fonts; }
    // While the player is away (the window has no focus or is minimised) blocks without using the
    // processor, handling the window's events, until the player is back or the window is closed.
    // True when it waited. Where there is no window nobody is ever away.
    virtual bool WaitWhileAway() { return false; }
    // Plays what one frame of the game asks for: starts the music and ambience it names (when they
    // differ from what plays) and each of its cues once. Where there is no sound, nothing.
    virtual void PlaySound(const SoundFrame& frame) { (void)frame; }
    // Whether there is sound to mute, and muting or unmuting it (for an on-screen control).
    virtual bool HasSound() const { return false; }
    virtual void ToggleMute() {}
    // Whether the game can switch between full screen and a window, and switching (for an
    // on-screen control).
    virtual bool CanToggleFullscreen() const { return false; }
    virtual void ToggleFullscreen() {}
    // The texts of the frame that Present shows next, for a page that repeats them as text of its
    // own (captions, a screen reader). Elsewhere the pictures say it all.
    virtual void ShowTexts(const ShownTexts& texts) { (void)texts; }
    // Whether the pictures at these paths are there to be read. Read from a folder they always
    // are; a page that fetches its pictures in parts fetches the missing ones first and shows that
    // the game is loading until they are.
    virtual bool PicturesArrived(const std::vector<std::string>& paths) {
        (void)paths;
        return true;
    }
    // The text pace the player chose last time, and keeping a new choice for the next time. Where
    // nothing is kept (the replays, the tests), the game's own pace.
    virtual TextPace StoredTextPace() { return TextPace::Normal; }
    virtual void KeepTextPace(TextPace pace) { (void)pace; }
};

}  // namespace vz
