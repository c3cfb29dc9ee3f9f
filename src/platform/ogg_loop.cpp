// Ogg Vorbis through libvorbisfile: read in blocks, sought back to the first sample at the end.
#include "platform/ogg_loop.h"

// The library's ready-made callback sets are not used (they would be unused statics here).
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>

namespace vz {

namespace {

class OggLoop : public SampleSource {
public:
    ~OggLoop() override {
        if (open_) ov_clear(&file_);
    }

    bool Open(const std::string& path, std::string& problem) {
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
        return true;
    }

    int Read(int16_t* out, int frames) override {
        int done = 0;
        int emptyTurns = 0;  // a damaged file that gives nothing even from its start is given up
        while (done < frames && !failed_) {
            const int got = Decode(out + 2 * done, frames - done);
            if (got > 0) {
                done += got;
                emptyTurns = 0;
                continue;
            }
            // The end (or a break the decoder cannot pass): on from the first sample.
            if (++emptyTurns > 1 || ov_pcm_seek(&file_, 0) != 0) failed_ = true;
        }
        return done;
    }

private:
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
};

}  // namespace

std::unique_ptr<SampleSource> OpenOggLoop(const std::string& path, std::string& problem) {
    auto loop = std::make_unique<OggLoop>();
    if (!loop->Open(path, problem)) return nullptr;
    return loop;
}

}  // namespace vz
