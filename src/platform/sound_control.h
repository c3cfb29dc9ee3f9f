// The player's hold on the sound: a volume in ten steps, mute, and the short note each change shows.
#pragma once

#include <string>

namespace vz {

class SoundControl {
public:
    static constexpr int kStep = 10;          // percent per key press
    static constexpr int kDefaultVolume = 80;  // a first start leaves room both ways

    SoundControl() = default;
    SoundControl(int volume, bool muted) : volume_(Clamped(volume)), muted_(muted) {}

    int Volume() const { return volume_; }  // 0..100, in steps of kStep
    bool Muted() const { return muted_; }

    // A volume key also brings the sound back when it was muted: the player wants to hear it.
    void Lower() { Change(-kStep); }
    void Raise() { Change(kStep); }
    void ToggleMute() { muted_ = !muted_; }

    // The factor every sample is multiplied by: 0 when muted; the steps sound even to the ear
    // (the square of the share, so each step down is a few decibels more).
    float Gain() const;
    // What the note on screen says after a change ("Volume 7 of 10"; the font has no per cent sign).
    std::string Note() const;

    static int Clamped(int volume);

private:
    void Change(int by) {
        muted_ = false;
        volume_ = Clamped(volume_ + by);
    }

    int volume_ = kDefaultVolume;
    bool muted_ = false;
};

}  // namespace vz
