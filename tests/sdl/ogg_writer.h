// Small Ogg Vorbis files made by the tests themselves, with libvorbisenc: a tone of known level.
#pragma once

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace vz::test {

// Writes `seconds` of a sine of `hertz` at `amplitude` (of full scale) to `path`.
inline bool WriteOggTone(const std::string& path, double seconds, double hertz, double amplitude,
                         int channels = 2, int rate = 44100) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.3f) != 0) return false;
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);
    std::ofstream out(path, std::ios::binary);
    auto write = [&](const ogg_page& page) {
        out.write(reinterpret_cast<const char*>(page.header), page.header_len);
        out.write(reinterpret_cast<const char*>(page.body), page.body_len);
    };
    ogg_packet header, commentPacket, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentPacket, &codebooks);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentPacket);
    ogg_stream_packetin(&stream, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page)) write(page);

    const long total = std::lround(seconds * rate);
    constexpr int kBlock = 1024;
    for (long at = 0;; at += kBlock) {
        const int n = static_cast<int>(std::max<long>(0, std::min<long>(kBlock, total - at)));
        if (n <= 0) {
            vorbis_analysis_wrote(&dsp, 0);  // the end
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, n);
            for (int i = 0; i < n; ++i) {
                const float v = static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * hertz * (at + i) / rate));
                for (int c = 0; c < channels; ++c) buffer[c][i] = v;
            }
            vorbis_analysis_wrote(&dsp, n);
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page)) write(page);
            }
        }
        if (n <= 0) break;
    }
    while (ogg_stream_flush(&stream, &page)) write(page);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out.good();
}

// The bytes of a file, and a file of given bytes.
inline std::vector<char> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace vz::test
