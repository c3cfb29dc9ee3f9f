// The headless backend used by the replay tool and the tests.
#include "platform/headless/headless_platform.h"

#include "platform/signals.h"

namespace vz {

void HeadlessPlatform::PumpEvents() {
    current_ = next_;
    next_ = RawInput{};
    motionTaken_ = false;
}

RawInput HeadlessPlatform::ReadInput() {
    RawInput r = current_;
    if (motionTaken_) {
        r.dx = 0;
        r.dy = 0;
    }
    motionTaken_ = true;
    r.escape = r.escape || QuitSignal() != 0;
    return r;
}

void HeadlessPlatform::PlaySound(const SoundFrame& frame) {
    if (sounds_.size() == kKeptSoundFrames) sounds_.pop_front();
    sounds_.push_back(frame);
    ++soundRequests_;
}

void HeadlessPlatform::Present(const Surface& frame) {
    if (keepFrames) lastFrame_ = frame;
    ++presents_;
}

void HeadlessPlatform::Report(const std::string& text) {
    reports.push_back(text);
    if (echoReports) Files::Report(text);
}

}  // namespace vz
