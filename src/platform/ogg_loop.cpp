// Ogg Vorbis through libvorbisfile: read in blocks, sought back to the first sample at the end.
#include "platform/ogg_loop.h"

// The library's ready-made callback sets are not used (they would be unused statics here).
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace vz {

namespace {

class OggLoop : public SampleSource {
public:
    ~OggLoop() override {
        if (open_) ov_clear(&file_);
    }

    bool Open(const std::string& path, std::string& problem, bool remember) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) {
            problem = "missing or unreadable";
            return false;
        }
        // On success the decoder owns the file and closes it; on failure it is ours to close.
        if (ov_open(f, &file_, nullptr, 0) != 0) {
            std::fclose(f);
            problem = "not an Ogg Vorbis file";
            return false;
        }
        open_ = true;
        const vorbis_info* info = ov_info(&file_, -1);
        if (!info || info->channels < 1 || info->channels > 2) {
            problem = "neither mono nor stereo";
            return false;
        }
        if (info->rate != kSoundRate) {
            problem = "sampled at " + std::to_string(info->rate) + " Hz, not " + std::to_string(kSoundRate);
            return false;
        }
        channels_ = info->channels;
        // A file whose first block cannot be decoded would loop on nothing.
        int16_t probe[2 * 64];
        if (Decode(probe, 64) <= 0 || ov_pcm_seek(&file_, 0) != 0) {
            problem = "damaged: no sound could be decoded";
            return false;
        }
        // The room is taken here, in the game's thread; the device's thread only fills it.
        const ogg_int64_t total = ov_pcm_total(&file_, -1);
        if (remember && total > 0 && total <= kMostRemembered) kept_.reserve(2 * static_cast<size_t>(total));
        return true;
    }

    int Read(int16_t* out, int frames) override {
        if (replaying_) return Replay(out, frames);
        int done = 0;
        int emptyTurns = 0;  // a damaged file that gives nothing even from its start is given up
        while (done < frames && !failed_) {
            const int got = Decode(out + 2 * done, frames - done);
            if (got > 0) {
                Keep(out + 2 * done, got);
                done += got;
                emptyTurns = 0;
                continue;
            }
            // Round once, whole and undamaged: from memory from now on.
            if (!kept_.empty() && kept_.size() == kept_.capacity()) {
                replaying_ = true;
                return done + Replay(out + 2 * done, frames - done);
            }
            if (kept_.capacity() > 0) kept_.clear();  // a break in the file: no replaying of it
            // The end (or a break the decoder cannot pass): on from the first sample.
            if (++emptyTurns > 1 || ov_pcm_seek(&file_, 0) != 0) failed_ = true;
        }
        return done;
    }

private:
    void Keep(const int16_t* samples, int frames) {
        const size_t n = 2 * static_cast<size_t>(frames);
        if (kept_.capacity() == 0 || kept_.size() + n > kept_.capacity()) return;
        kept_.insert(kept_.end(), samples, samples + n);
    }

    int Replay(int16_t* out, int frames) {
        for (int done = 0; done < frames;) {
            const size_t n = std::min(kept_.size() - at_, 2 * static_cast<size_t>(frames - done));
            std::copy_n(kept_.data() + at_, n, out + 2 * done);
            done += static_cast<int>(n / 2);
            at_ = (at_ + n) % kept_.size();
        }
        return frames;
    }

    // Up to `frames` stereo frames at the decoder's place; 0 at the end, -1 for damage.
    int Decode(int16_t* out, int frames) {
        for (;;) {
            const int channelsBytes = 2 * channels_;
            const int maxBytes = std::min(frames, 4096) * channelsBytes;
            int section = 0;
            const long bytes = ov_read(&file_, reinterpret_cast<char*>(out), maxBytes, 0, 2, 1, &section);
            if (bytes == OV_HOLE) continue;  // a gap in the data, passed over
            if (bytes < 0) return -1;
            const int got = static_cast<int>(bytes / channelsBytes);
            if (channels_ == 1)  // widened in place, from the end so nothing is overwritten early
                for (int i = got - 1; i >= 0; --i) out[2 * i + 1] = out[2 * i] = out[i];
            return got;
        }
    }

    OggVorbis_File file_{};
    bool open_ = false;
    bool failed_ = false;
    int channels_ = 2;
    std::vector<int16_t> kept_;  // the whole loop, once decoded, when remembered
    bool replaying_ = false;
    size_t at_ = 0;
};

}  // namespace

std::unique_ptr<SampleSource> OpenOggLoop(const std::string& path, std::string& problem, bool remember) {
    auto loop = std::make_unique<OggLoop>();
    if (!loop->Open(path, problem, remember)) return nullptr;
    return loop;
}

}  // namespace vz
