// The game's sound requests and the player's volume handed to the page's Web Audio engine.
#include "platform/web/web_sound.h"

#include <emscripten.h>

#include <string>

namespace vz {

namespace {

EM_JS(void, JsSoundCues, (const char* names), { Module.vzSound.cues(UTF8ToString(names).split(",")); });
EM_JS(void, JsSoundBed, (const char* layer, const char* name), {
    Module.vzSound.bed(UTF8ToString(layer), UTF8ToString(name));
});
EM_JS(void, JsSoundCue, (const char* name), { Module.vzSound.cue(UTF8ToString(name)); });
EM_JS(void, JsSoundSet, (double gain, int muted), {
    Module.vzSound.set(gain, muted != 0);
    if (Module.page && Module.page.soundShown) Module.page.soundShown(muted != 0);
});

// The browser's storage may be switched off or full: the choice then lasts as long as the page.
EM_JS(int, JsSoundSetting, (), {
    try {
        var volume = localStorage.getItem("vudizid.volume");
        var muted = localStorage.getItem("vudizid.muted");
        if (volume === null) return -1;
        return (parseInt(volume, 10) || 0) * 2 + (muted === "yes" ? 1 : 0);
    } catch (e) {
        return -1;
    }
});
EM_JS(void, JsSoundKeep, (int volume, int muted), {
    try {
        localStorage.setItem("vudizid.volume", String(volume));
        localStorage.setItem("vudizid.muted", muted ? "yes" : "no");
    } catch (e) {
    }
});

}  // namespace

void WebSound::Start() {
    const int kept = JsSoundSetting();
    if (kept >= 0) control_ = SoundControl(kept / 2, (kept & 1) != 0);
    std::string names;
    for (int i = 0; i < static_cast<int>(Cue::Count); ++i) {
        if (i > 0) names += ',';
        names += CueName(static_cast<Cue>(i));
    }
    JsSoundCues(names.c_str());
    JsSoundSet(control_.Gain(), control_.Muted() ? 1 : 0);
}

void WebSound::Play(const SoundFrame& frame) {
    if (frame.music != music_) {
        music_ = frame.music;
        JsSoundBed("music", MusicName(music_));
    }
    if (frame.ambience != ambience_) {
        ambience_ = frame.ambience;
        JsSoundBed("ambience", AmbienceName(ambience_));
    }
    if (control_.Gain() <= 0.0f) return;
    for (int i = 0; i < frame.cueCount; ++i) JsSoundCue(CueName(frame.cues[i]));
}

bool WebSound::Key(const char* key, bool repeat, uint32_t now) {
    const std::string k = key;
    if (k == "m" || k == "M") {
        if (!repeat) ToggleMute(now);
    } else if (k == "-") {
        control_.Lower();
        Changed(now);
    } else if (k == "+" || k == "=") {
        control_.Raise();
        Changed(now);
    } else {
        return false;
    }
    return true;
}

void WebSound::ToggleMute(uint32_t now) {
    control_.ToggleMute();
    Changed(now);
}

void WebSound::Changed(uint32_t now) {
    JsSoundSet(control_.Gain(), control_.Muted() ? 1 : 0);
    JsSoundKeep(control_.Volume(), control_.Muted() ? 1 : 0);
    note_.Show(control_.Note(), now);
}

const Surface& WebSound::WithNote(const Surface& frame, uint32_t now) {
    if (!note_.Showing(now)) return frame;
    noted_ = frame;
    note_.Draw(noted_, fonts_, now);
    return noted_;
}

}  // namespace vz
