// Ogg Vorbis through libvorbisenc (writing) and libvorbisfile (reading), both from memory.
#include "vorbis_io.h"

#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

namespace vz::soundbuild {

namespace {

void AppendPage(const ogg_page& page, std::vector<uint8_t>& out) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

// The encoder's state, released whichever way encoding ends.
struct Encoder {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool dspReady = false, streamReady = false;
    Encoder() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~Encoder() {
        if (streamReady) ogg_stream_clear(&stream);
        if (dspReady) {
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    // Moves every finished packet into pages; `flush` also closes a page that is not full.
    void Drain(std::vector<uint8_t>& out) {
        ogg_packet packet;
        ogg_page page;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page)) AppendPage(page, out);
            }
        }
    }
};

struct MemoryFile {
    const std::vector<uint8_t>* bytes;
    size_t at = 0;
};

size_t MemoryRead(void* to, size_t size, size_t count, void* source) {
    auto* f = static_cast<MemoryFile*>(source);
    const size_t want = size * count;
    const size_t n = std::min(want, f->bytes->size() - f->at);
    std::memcpy(to, f->bytes->data() + f->at, n);
    f->at += n;
    return size > 0 ? n / size : 0;
}

int MemorySeek(void* source, ogg_int64_t offset, int whence) {
    auto* f = static_cast<MemoryFile*>(source);
    const auto size = static_cast<ogg_int64_t>(f->bytes->size());
    ogg_int64_t to = offset;
    if (whence == SEEK_CUR) to += static_cast<ogg_int64_t>(f->at);
    if (whence == SEEK_END) to += size;
    if (to < 0 || to > size) return -1;
    f->at = static_cast<size_t>(to);
    return 0;
}

long MemoryTell(void* source) { return static_cast<long>(static_cast<MemoryFile*>(source)->at); }

}  // namespace

bool EncodeVorbis(const Audio& audio, float quality, uint32_t serial, std::vector<uint8_t>& out, std::string& error) {
    out.clear();
    if (audio.channels < 1 || audio.channels > 2 || audio.rate <= 0) {
        error = "only mono or stereo sound can be encoded";
        return false;
    }
    Encoder e;
    if (vorbis_encode_init_vbr(&e.info, audio.channels, audio.rate, quality) != 0) {
        error = "the Vorbis encoder refuses quality " + std::to_string(quality);
        return false;
    }
    vorbis_analysis_init(&e.dsp, &e.info);
    vorbis_block_init(&e.dsp, &e.block);
    e.dspReady = true;
    ogg_stream_init(&e.stream, static_cast<int>(serial));
    e.streamReady = true;

    ogg_packet id, comments, codebooks;
    vorbis_analysis_headerout(&e.dsp, &e.comment, &id, &comments, &codebooks);
    ogg_stream_packetin(&e.stream, &id);
    ogg_stream_packetin(&e.stream, &comments);
    ogg_stream_packetin(&e.stream, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&e.stream, &page)) AppendPage(page, out);  // audio starts on a page of its own

    const size_t ch = static_cast<size_t>(audio.channels);
    const size_t frames = audio.Frames();
    constexpr size_t kChunk = 4096;
    for (size_t at = 0; at < frames; at += kChunk) {
        const size_t n = std::min(kChunk, frames - at);
        float** buffer = vorbis_analysis_buffer(&e.dsp, static_cast<int>(n));
        for (size_t i = 0; i < n; ++i)
            for (size_t c = 0; c < ch; ++c) buffer[c][i] = audio.samples[(at + i) * ch + c];
        vorbis_analysis_wrote(&e.dsp, static_cast<int>(n));
        e.Drain(out);
    }
    vorbis_analysis_wrote(&e.dsp, 0);  // the end of the stream
    e.Drain(out);
    while (ogg_stream_flush(&e.stream, &page)) AppendPage(page, out);
    return true;
}

bool DecodeVorbis(const std::vector<uint8_t>& bytes, Audio& out, std::string& error) {
    MemoryFile file{&bytes};
    OggVorbis_File vf;
    const ov_callbacks callbacks{MemoryRead, MemorySeek, nullptr, MemoryTell};
    if (ov_open_callbacks(&file, &vf, nullptr, 0, callbacks) != 0) {
        error = "not an Ogg Vorbis file";
        return false;
    }
    const vorbis_info* info = ov_info(&vf, -1);
    out = Audio{};
    out.rate = static_cast<int>(info->rate);
    out.channels = info->channels;
    bool ok = true;
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        const long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n == 0) break;
        if (n < 0 || section != 0) {
            error = n < 0 ? "the Vorbis stream is damaged" : "more than one stream in the file";
            ok = false;
            break;
        }
        for (long i = 0; i < n; ++i)
            for (int c = 0; c < out.channels; ++c) out.samples.push_back(pcm[c][i]);
    }
    ov_clear(&vf);
    return ok;
}

}  // namespace vz::soundbuild
