// The desktop's sound through SDL_mixer: the looped beds streamed and crossfaded by our own mixer in
// SDL_mixer's music hook, the cues on SDL_mixer's channels.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/sound.h"
#include "platform/sound_control.h"

namespace vz {

// A line for standard error (without "vudizid: " and the newline); tests keep them instead.
using SoundWarning = std::function<void(const std::string& line)>;

class SdlAudio {
public:
    // Opens the sound device. Without one (or without SDL's sound, or without the sounds' folder)
    // the game plays on silently after one line through `warn`.
    SdlAudio(const std::string& soundsFolder, const SoundControl& control, SoundWarning warn);
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Whether a device plays (the game may still have no sounds to play on it).
    bool Open() const { return open_; }

    // One frame's request: a piece or ambience that differs from what plays crossfades to it,
    // each cue sounds once. A file that cannot be played is named once and stays silent.
    void Play(const SoundFrame& frame);
    // While the player is away everything stands still, and goes on where it was.
    void SetAway(bool away);
    // The player's volume and mute; applied at once.
    const SoundControl& Control() const { return control_; }
    void SetControl(const SoundControl& control);
    // The device went away (unplugged, its server ended): silence from here on, named once.
    void DeviceLost();

private:
    struct State;
    void Warn(const std::string& line);
    void ApplyControl();
    bool OpenDevice();
    void CloseDevice();

    std::unique_ptr<State> state_;
    SoundControl control_;
    SoundWarning warn_;
    std::string folder_;
    bool open_ = false;
    bool away_ = false;
    bool lost_ = false;
    bool deviceOpen_ = false;
    bool started_ = false;  // SDL's sound and SDL_mixer, to be shut down at the end
};

}  // namespace vz
