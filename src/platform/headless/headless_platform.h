// A platform without a window: input is fed frame by frame, frames are kept in memory, no pacing.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/png_writer.h"

namespace vz {

class HeadlessPlatform : public Platform {
public:
    // The input the next frame will see. Motion is reported by the frame's first poll only, as a
    // real mouse reports it once; buttons stay held for every poll of the frame.
    void SetFrameInput(const RawInput& input) { next_ = input; }

    void PumpEvents() override;
    RawInput ReadInput() override;
    void Present(const Surface& frame) override;
    uint32_t Ticks() override { return ticks_; }
    void SleepMs(uint32_t ms) override { ticks_ += ms; }
    void Notice(const std::string& text) override { notices.push_back(text); }
    // Keeps what the frame asked for; nothing is heard.
    void PlaySound(const SoundFrame& frame) override;
    // Kept in `reports`, and written to standard error as well when `echoReports` is set.
    void Report(const std::string& text) override;

    const Surface& LastFrame() const { return lastFrame_; }
    int PresentCount() const { return presents_; }

    // What the frames asked of the sound, oldest first: the last kKeptSoundFrames of them (about
    // 45 minutes of play), so that a long unattended run does not grow without end.
    static constexpr size_t kKeptSoundFrames = 1u << 16;
    const std::deque<SoundFrame>& SoundFrames() const { return sounds_; }
    void ForgetSounds() { sounds_.clear(); }
    int64_t PlaySoundCount() const { return soundRequests_; }  // every request since start-up

    std::vector<std::string> notices;  // every notice shown, in order
    std::vector<std::string> reports;  // every problem reported for standard error, in order
    bool echoReports = false;
    bool keepFrames = true;            // long unattended runs need not copy every frame

private:
    RawInput next_;
    RawInput current_;
    bool motionTaken_ = false;
    Surface lastFrame_{kScreenWidth, kScreenHeight};
    int presents_ = 0;
    std::deque<SoundFrame> sounds_;
    int64_t soundRequests_ = 0;
    uint32_t ticks_ = 0;
};

}  // namespace vz
