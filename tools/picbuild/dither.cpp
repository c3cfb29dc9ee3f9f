// Colour pictures to RGB565 with ordered dithering where the picture holds a gradient, and nowhere else.
//
// Rounding a smooth gradient to 5 or 6 bits a channel leaves bands 30 to 50 rows tall, and because the
// three channels step on different rows, a pale gradient shows coloured stripes. Ordered dithering
// (an 8 x 8 Bayer matrix) hides the steps, but dithering everything would put a fixed pattern into every
// flat area whose colour falls between two RGB565 levels. So each channel is dithered only in the
// pixels that belong to a ramp of that channel:
//  - Along every row and every column the picture falls into smooth stretches, where neighbouring
//    pixels differ by at most kSmoothStep in every channel (outlines, anti-aliased edges of shapes and
//    transparent pixels end a stretch).
//  - Inside a stretch, a channel's runs of one value that lie between a lower and a higher run are the
//    inside of a ramp. A run next to such a run (the ends of a gradient, the top of a rounded one) joins
//    it if it is not much longer than its neighbour; a flat area is far longer than the one or two
//    anti-aliased pixels where it meets a shape of almost its colour, so it never joins.
//  - A ramp's step lies on a whole band of one colour (a row of a vertical sky), but a cloud can cut
//    a column into pieces too short to show a ramp. So every pixel of a same-coloured connected area
//    is dithered in the channels in which any of its pixels lies inside a ramp.
// A flat area therefore keeps one RGB565 value, whatever its colour; gradients lose their bands.
#include "picbuild.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <numeric>

namespace vz::picbuild {

namespace {

constexpr int kSmoothStep = 4;  // largest step of a channel (of 255) between two pixels of one gradient

// The classic 8 x 8 Bayer matrix: thresholds 0..63, each step as far from its neighbours as possible.
constexpr uint8_t kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},   {63, 31, 55, 23, 61, 29, 53, 21},
};

constexpr unsigned kMax[3] = {31, 63, 31};  // levels of red, green and blue
constexpr uint8_t kInside = 1, kJoined = 2;  // per channel: inside a ramp, or joined to one

// A picture as plain 8-bit channels, with the pixels that come out opaque.
struct Plain {
    int width = 0, height = 0;
    std::vector<uint8_t> c[3];
    std::vector<uint8_t> opaque;
    size_t at(int x, int y) const { return size_t(y) * size_t(width) + size_t(x); }
};

uint8_t Unpremultiply(uint8_t v, uint8_t a) {
    if (a == 0) return 0;
    return uint8_t(std::min(255u, (v * 255u + a / 2u) / a));
}

bool Smooth(const Plain& p, size_t i, size_t j) {
    if (!p.opaque[i] || !p.opaque[j]) return false;
    for (int k = 0; k < 3; ++k)
        if (std::abs(int(p.c[k][i]) - int(p.c[k][j])) > kSmoothStep) return false;
    return true;
}

struct Run {
    int start, length;
    uint8_t value;
};

// Marks the ramps of one line of pixels (a row or a column): index(n) gives the n-th pixel's offset.
// state holds per pixel and channel the kInside / kJoined bits, two bits a channel.
template <typename Index>
void MarkLine(const Plain& p, int count, Index index, std::vector<uint8_t>& state) {
    std::vector<Run> runs;
    int start = 0;
    while (start < count) {
        if (!p.opaque[index(start)]) {
            ++start;
            continue;
        }
        int end = start + 1;  // the smooth stretch [start, end)
        while (end < count && Smooth(p, index(end - 1), index(end))) ++end;
        for (int k = 0; k < 3; ++k) {
            runs.clear();
            for (int n = start; n < end; ++n) {
                const uint8_t v = p.c[k][index(n)];
                if (runs.empty() || runs.back().value != v) runs.push_back({n, 0, v});
                ++runs.back().length;
            }
            std::vector<uint8_t> mark(runs.size(), 0);
            for (size_t r = 1; r + 1 < runs.size(); ++r) {
                const int below = runs[r - 1].value, here = runs[r].value, above = runs[r + 1].value;
                if ((below < here && here < above) || (below > here && here > above)) mark[r] = kInside;
            }
            for (size_t r = 0; r < runs.size(); ++r) {
                if (mark[r]) continue;
                for (const size_t q : {r - 1, r + 1}) {
                    if (q < runs.size() && mark[q] == kInside && runs[r].length <= 2 * runs[q].length + 2)
                        mark[r] = kJoined;
                }
            }
            for (size_t r = 0; r < runs.size(); ++r) {
                if (!mark[r]) continue;
                for (int n = runs[r].start; n < runs[r].start + runs[r].length; ++n)
                    state[index(n)] |= uint8_t(mark[r] << (2 * k));
            }
        }
        start = end;
    }
}

size_t Root(std::vector<uint32_t>& parent, size_t i) {
    while (parent[i] != i) {
        parent[i] = parent[parent[i]];
        i = parent[i];
    }
    return i;
}

bool SameColour(const Plain& p, size_t i, size_t j) {
    return p.opaque[i] && p.opaque[j] && p.c[0][i] == p.c[0][j] && p.c[1][i] == p.c[1][j] &&
           p.c[2][i] == p.c[2][j];
}

// Which channels to dither in each pixel: bit k for channel k.
std::vector<uint8_t> DitherChannels(const Plain& p) {
    const size_t n = size_t(p.width) * size_t(p.height);
    std::vector<uint8_t> state(n, 0);
    for (int y = 0; y < p.height; ++y) MarkLine(p, p.width, [&](int x) { return p.at(x, y); }, state);
    for (int x = 0; x < p.width; ++x) MarkLine(p, p.height, [&](int y) { return p.at(x, y); }, state);

    // Same-coloured connected areas share what their pixels inside a ramp found.
    std::vector<uint32_t> parent(n);
    std::iota(parent.begin(), parent.end(), 0u);
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const size_t i = p.at(x, y);
            if (x > 0 && SameColour(p, i, i - 1)) parent[Root(parent, i)] = uint32_t(Root(parent, i - 1));
            if (y > 0 && SameColour(p, i, i - size_t(p.width)))
                parent[Root(parent, i)] = uint32_t(Root(parent, i - size_t(p.width)));
        }
    }
    std::vector<uint8_t> area(n, 0);
    for (size_t i = 0; i < n; ++i) {
        uint8_t inside = 0;
        for (int k = 0; k < 3; ++k) inside |= uint8_t(((state[i] >> (2 * k)) & kInside) ? 1 << k : 0);
        area[Root(parent, i)] |= inside;
    }
    std::vector<uint8_t> channels(n, 0);
    for (size_t i = 0; i < n; ++i) {
        uint8_t own = 0;
        for (int k = 0; k < 3; ++k) own |= uint8_t(((state[i] >> (2 * k)) & 3) ? 1 << k : 0);
        channels[i] = uint8_t(own | area[Root(parent, i)]);
    }
    return channels;
}

// One channel to its level: rounded to the nearest, or compared with the matrix's threshold
// (the fraction above the lower level chooses the upper level that often, on average).
unsigned Level(uint8_t v, unsigned max, bool dither, int x, int y) {
    if (!dither) return (v * max + 127u) / 255u;
    const unsigned threshold = 2u * kBayer[y & 7][x & 7] + 1u;  // (t + 0.5) / 64 in 128ths
    return std::min(max, (128u * v * max + threshold * 255u) / (128u * 255u));
}

}  // namespace

Picture ConvertColourArgb(const uint8_t* data, int stride, int width, int height) {
    Plain p;
    p.width = width;
    p.height = height;
    const size_t n = size_t(width) * size_t(height);
    for (auto& c : p.c) c.assign(n, 0);
    p.opaque.assign(n, 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = data + size_t(y) * size_t(stride);
        for (int x = 0; x < width; ++x) {
            uint32_t px;
            std::memcpy(&px, row + 4 * x, 4);
            const uint8_t a = uint8_t(px >> 24);
            const size_t i = p.at(x, y);
            p.opaque[i] = a >= 128;
            p.c[0][i] = Unpremultiply(uint8_t(px >> 16), a);
            p.c[1][i] = Unpremultiply(uint8_t(px >> 8), a);
            p.c[2][i] = Unpremultiply(uint8_t(px), a);
        }
    }
    const std::vector<uint8_t> channels = DitherChannels(p);
    Picture picture(width, height, kKeyColour);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t i = p.at(x, y);
            if (!p.opaque[i]) continue;
            const unsigned r = Level(p.c[0][i], kMax[0], channels[i] & 1, x, y);
            const unsigned g = Level(p.c[1][i], kMax[1], channels[i] & 2, x, y);
            const unsigned b = Level(p.c[2][i], kMax[2], channels[i] & 4, x, y);
            const uint16_t c = uint16_t(r << 11 | g << 5 | b);
            picture.at(x, y) = c == kKeyColour ? kKeyNudged : c;
        }
    }
    return picture;
}

}  // namespace vz::picbuild
