// The score played by the fluidsynth library into memory, event by event at its frame.
#include "score_render.h"

#include <fluidsynth.h>

#include <cstdio>
#include <memory>

namespace vz::soundbuild {

namespace {

constexpr size_t kSeamLead = kRate / 40;  // 25 ms, well under the shortest step of any score

struct Fluid {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_synth_t* synth = nullptr;
    ~Fluid() {
        if (synth) delete_fluid_synth(synth);
        if (settings) delete_fluid_settings(settings);
    }
};

// Only the library's errors are worth a line; its chatter about drivers and presets is not.
void Quiet() {
    for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, nullptr, nullptr);
}

}  // namespace

bool RenderScore(const Score& score, const std::string& soundfont, Audio& out, std::string& error) {
    Quiet();
    Fluid fluid;
    if (!fluid.settings) {
        error = "fluidsynth cannot start";
        return false;
    }
    fluid_settings_setnum(fluid.settings, "synth.sample-rate", kRate);
    fluid_settings_setnum(fluid.settings, "synth.gain", 0.2);
    fluid_settings_setint(fluid.settings, "synth.polyphony", 256);
    fluid_settings_setint(fluid.settings, "synth.chorus.active", 0);
    fluid_settings_setint(fluid.settings, "synth.reverb.active", 1);
    fluid_settings_setnum(fluid.settings, "synth.reverb.room-size", score.reverb.room);
    fluid_settings_setnum(fluid.settings, "synth.reverb.damp", score.reverb.damp);
    fluid_settings_setnum(fluid.settings, "synth.reverb.width", score.reverb.width);
    fluid_settings_setnum(fluid.settings, "synth.reverb.level", score.reverb.level);
    // Only the samples of the instruments a score uses are read from the large soundfont.
    fluid_settings_setint(fluid.settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(fluid.settings, "synth.cpu-cores", 1);
    fluid.synth = new_fluid_synth(fluid.settings);
    if (!fluid.synth) {
        error = "fluidsynth cannot start";
        return false;
    }
    const int font = fluid_synth_sfload(fluid.synth, soundfont.c_str(), 0);
    if (font == FLUID_FAILED) {
        error = soundfont + ": cannot load the soundfont";
        return false;
    }
    for (const Instrument& in : score.instruments) {
        fluid_synth_set_channel_type(fluid.synth, in.channel, in.Drums() ? CHANNEL_TYPE_DRUM : CHANNEL_TYPE_MELODIC);
        if (fluid_synth_program_select(fluid.synth, in.channel, font, in.bank, in.program) != FLUID_OK) {
            error = "the soundfont has no preset " + std::to_string(in.bank) + ":" + std::to_string(in.program) +
                    " for " + in.name;
            return false;
        }
        fluid_synth_cc(fluid.synth, in.channel, 7, in.volume);
        fluid_synth_cc(fluid.synth, in.channel, 10, in.pan);
        fluid_synth_cc(fluid.synth, in.channel, 91, in.reverb);
        fluid_synth_cc(fluid.synth, in.channel, 93, in.chorus);
    }

    // A loop's seam falls a moment before its first beat rather than on it, so the wrap joins ringing
    // sound to ringing sound instead of cutting into the attacks of the first notes.
    const size_t lead = score.loop ? kSeamLead : 0;
    const size_t total = score.endFrame + lead + static_cast<size_t>(score.tail * kRate);
    std::vector<float> left(total), right(total);
    size_t done = 0;
    auto renderTo = [&](size_t frame) {
        while (done < frame) {
            const int n = static_cast<int>(std::min<size_t>(frame - done, 1 << 16));
            fluid_synth_write_float(fluid.synth, n, left.data(), static_cast<int>(done), 1, right.data(),
                                    static_cast<int>(done), 1);
            done += static_cast<size_t>(n);
        }
    };
    for (const NoteEvent& e : score.events) {
        renderTo(std::min(e.frame + lead, total));
        if (e.on) fluid_synth_noteon(fluid.synth, e.channel, e.key, e.velocity);
        else fluid_synth_noteoff(fluid.synth, e.channel, e.key);
    }
    renderTo(total);

    out = Audio{};
    out.channels = 2;
    out.samples.resize(2 * total);
    for (size_t i = 0; i < total; ++i) out.samples[2 * i] = left[i], out.samples[2 * i + 1] = right[i];
    if (score.loop) FoldTail(out, score.endFrame);
    else TrimTail(out, -60.0, kRate / 100);
    return true;
}

}  // namespace vz::soundbuild
