// Volume steps, mute and their notes.
#include "platform/sound_control.h"

#include <algorithm>

namespace vz {

int SoundControl::Clamped(int volume) {
    // A value from a settings file may lie between two steps; it goes to the nearer one.
    const int stepped = (std::clamp(volume, 0, 100) + kStep / 2) / kStep * kStep;
    return std::clamp(stepped, 0, 100);
}

float SoundControl::Gain() const {
    if (muted_) return 0.0f;
    const float share = static_cast<float>(volume_) / 100.0f;
    return share * share;
}

std::string SoundControl::Note() const {
    if (muted_) return "Sound off - M brings it back";
    return "Volume " + std::to_string(volume_ / kStep) + " of " + std::to_string(100 / kStep);
}

}  // namespace vz
