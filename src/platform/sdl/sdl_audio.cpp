// SDL_mixer for the desktop: one device, our bed mixer in its music hook, a channel per cue.
#include "platform/sdl/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <cmath>
#include <set>
#include <sys/stat.h>

#include "platform/bed_mixer.h"
#include "platform/ogg_loop.h"

namespace vz {

namespace {

constexpr int kDeviceFrames = 2048;  // about 46 ms: a footstep sounds a frame after the one it belongs to
constexpr int kCueChannels = 16;

void SDLCALL MixBeds(void* beds, Uint8* stream, int bytes) {
    static_cast<BedMixer*>(beds)->Mix(reinterpret_cast<int16_t*>(stream), bytes / 4);
}

bool IsFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

struct SdlAudio::State {
    BedMixer beds;
    Music music = Music::None;
    Ambience ambience = Ambience::None;
    std::array<Mix_Chunk*, static_cast<size_t>(Cue::Count)> cues{};
    std::array<bool, static_cast<size_t>(Cue::Count)> cueTried{};
    std::set<std::string> named;  // files already said to be unplayable
};

SdlAudio::SdlAudio(const std::string& soundsFolder, const SoundControl& control, SoundWarning warn)
    : state_(std::make_unique<State>()), control_(control), warn_(std::move(warn)), folder_(soundsFolder) {
    if (folder_.empty()) {
        Warn("the sounds were not found beside the pictures; the game plays without sound");
        return;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        Warn(std::string("no sound: ") + SDL_GetError());
        return;
    }
    if (!OpenDevice()) {
        Warn(std::string("no sound device: ") + Mix_GetError() + "; the game plays without sound");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    Mix_Init(MIX_INIT_OGG);
    open_ = started_ = true;
}

SdlAudio::~SdlAudio() {
    if (deviceOpen_) CloseDevice();
    for (Mix_Chunk* chunk : state_->cues)
        if (chunk) Mix_FreeChunk(chunk);
    if (!started_) return;
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudio::OpenDevice() {
    // Our own size and format, whatever the device's: SDL converts, so the beds need no
    // resampling, and the cues read before still fit a device opened again.
    if (Mix_OpenAudioDevice(kSoundRate, AUDIO_S16SYS, 2, kDeviceFrames, nullptr, 0) != 0) return false;
    Mix_AllocateChannels(kCueChannels);
    Mix_HookMusic(MixBeds, &state_->beds);
    deviceOpen_ = true;
    ApplyControl();
    return true;
}

void SdlAudio::CloseDevice() {
    Mix_HookMusic(nullptr, nullptr);
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    deviceOpen_ = false;
}

void SdlAudio::Warn(const std::string& line) {
    if (warn_) warn_(line);
}

void SdlAudio::Play(const SoundFrame& frame) {
    if (!open_) return;
    State& s = *state_;
    s.beds.DropFinished();
    // A sound that cannot be played is named once, however often it is asked for.
    auto unplayable = [&](const std::string& path, const std::string& why) {
        if (s.named.insert(path).second) Warn("the sound " + path + " cannot be played (" + why + "); it stays silent");
    };
    // Music is streamed from its file all the time; an ambience (short, heard for minutes) is
    // decoded only its first time round.
    auto bed = [&](const char* name, bool remember) -> std::unique_ptr<SampleSource> {
        if (!*name) return nullptr;
        const std::string path = folder_ + "/" + name + ".ogg";
        std::string why;
        auto source = OpenOggLoop(path, why, remember);
        if (!source) unplayable(path, why);
        return source;
    };
    if (frame.music != s.music) {
        s.music = frame.music;
        s.beds.Switch(BedMixer::kMusic, bed(MusicName(frame.music), false));
    }
    if (frame.ambience != s.ambience) {
        s.ambience = frame.ambience;
        s.beds.Switch(BedMixer::kAmbience, bed(AmbienceName(frame.ambience), true));
    }
    // Cues of a muted or paused game are not kept for later: they belong to their frame.
    if (away_ || control_.Gain() <= 0.0f) return;
    for (int i = 0; i < frame.cueCount; ++i) {
        const auto cue = static_cast<size_t>(frame.cues[i]);
        if (cue >= s.cues.size()) continue;
        // Each cue is read the first time it is asked for (a few milliseconds), so start-up waits
        // for none of them.
        if (!s.cueTried[cue]) {
            s.cueTried[cue] = true;
            const std::string path = folder_ + "/" + CueName(frame.cues[i]) + ".ogg";
            if (!IsFile(path)) {
                unplayable(path, "missing");
            } else if (!(s.cues[cue] = Mix_LoadWAV(path.c_str()))) {
                unplayable(path, Mix_GetError());
            }
        }
        if (s.cues[cue]) Mix_PlayChannel(-1, s.cues[cue], 0);
    }
}

// Away, the device is closed: SDL's sound thread would otherwise go on waking up dozens of times a
// second to play silence. The beds keep their place and go on from it; a cue cut off stays cut off.
void SdlAudio::SetAway(bool away) {
    if (away == away_ || !open_) return;
    away_ = away;
    state_->beds.SetPaused(away);
    if (away) {
        // A block or two for the beds to fade to silence, so the device stops without a click.
        SDL_Delay(2 * 1000 * kDeviceFrames / kSoundRate + 10);
        CloseDevice();
    } else if (!OpenDevice()) {
        Warn(std::string("the sound device cannot be opened again: ") + Mix_GetError() +
             "; the game plays on without sound");
        open_ = false;
    }
}

void SdlAudio::SetControl(const SoundControl& control) {
    control_ = control;
    if (deviceOpen_) ApplyControl();
}

void SdlAudio::ApplyControl() {
    const float gain = control_.Gain();
    state_->beds.SetGain(gain);
    if (gain <= 0.0f) Mix_HaltChannel(-1);
    Mix_MasterVolume(static_cast<int>(std::lround(gain * MIX_MAX_VOLUME)));
}

void SdlAudio::DeviceLost() {
    if (!open_ || lost_) return;
    lost_ = true;
    Warn("the sound device was lost; the game plays on without sound");
}

}  // namespace vz
