// The font atlases: every glyph of the table drawn from a TrueType font into its own rectangle,
// thresholded to solid pixels and given a one-pixel dark outline.
#include "picbuild.h"
#include "platform/glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>

namespace vz::picbuild {

namespace {

constexpr int kBaseline = 16;    // rows from a rectangle's top to the baseline
constexpr int kCapHeight = 12;   // wanted height of the capitals in pixels
constexpr double kMinSqueeze = 0.6;    // narrowest horizontal squeeze for a glyph that is too wide
constexpr double kCleanSqueeze = 0.8;  // narrowest squeeze worth keeping the outline out of shared columns
const uint16_t kOutline = Rgb565(0x2b, 0x1d, 0x14);

// The comma and the apostrophe share one mark in one column of the atlas.
constexpr uint8_t kComma = 0x2C;
constexpr uint8_t kApostrophe = 0x27;

// A thresholded glyph: ink pixels relative to the pen at the baseline.
struct Ink {
    int width = 0, rows = 0;
    int left = 0, top = 0;  // bitmap_left, bitmap_top
    std::vector<uint8_t> on;
};

bool LoadInk(FT_Face face, unsigned codepoint, double squeeze, Ink& ink, double squash = 1.0) {
    FT_Matrix m{FT_Fixed(squeeze * 0x10000 + 0.5), 0, 0, FT_Fixed(squash * 0x10000 + 0.5)};
    FT_Set_Transform(face, &m, nullptr);
    const FT_UInt index = FT_Get_Char_Index(face, codepoint);
    if (index == 0) return false;
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO)) return false;
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO)) return false;
    const FT_Bitmap& bm = face->glyph->bitmap;
    ink.width = int(bm.width);
    ink.rows = int(bm.rows);
    ink.left = face->glyph->bitmap_left;
    ink.top = face->glyph->bitmap_top;
    ink.on.assign(size_t(ink.width) * size_t(ink.rows), 0);
    for (int y = 0; y < ink.rows; ++y) {
        const unsigned char* row = bm.buffer + y * bm.pitch;
        for (int x = 0; x < ink.width; ++x) ink.on[size_t(y) * ink.width + x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
    return true;
}

// Columns of a glyph's rectangle that no other rectangle covers: [first, last).
void OwnColumns(const Glyph& g, int& first, int& last) {
    auto shared = [&](int x) {
        for (const Glyph& o : kGlyphTable) {
            if (&o == &g) continue;
            if (x >= o.left && x < o.right && g.top < o.bottom && o.top < g.bottom) return true;
        }
        return false;
    };
    first = g.left;
    while (first < g.right && shared(first)) ++first;
    last = g.right;
    while (last > first && shared(last - 1)) --last;
}

// One glyph's pixels in atlas coordinates: its ink and the outline around it.
struct Layer {
    std::vector<std::pair<int, int>> ink, outline;
};

// The pixels around the ink (all eight neighbours) that are not ink, kept inside the clip rectangle.
void Outline(const std::vector<std::pair<int, int>>& ink, int clipLeft, int clipTop, int clipRight, int clipBottom,
             std::vector<std::pair<int, int>>& outline) {
    for (auto [x, y] : ink) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int ox = x + dx, oy = y + dy;
                if (ox < clipLeft || ox >= clipRight || oy < clipTop || oy >= clipBottom) continue;
                if (std::find(ink.begin(), ink.end(), std::pair{ox, oy}) != ink.end()) continue;
                outline.emplace_back(ox, oy);
            }
        }
    }
}

}  // namespace

bool BuildFontAtlas(const std::string& fontPath, uint32_t inkRgb, Picture& picture, std::string& error) {
    FT_Library library;
    if (FT_Init_FreeType(&library)) {
        error = "cannot start FreeType";
        return false;
    }
    FT_Face face;
    if (FT_New_Face(library, fontPath.c_str(), 0, &face)) {
        FT_Done_FreeType(library);
        error = "cannot read the font " + fontPath;
        return false;
    }

    // The smallest size whose capital H stands kCapHeight pixels tall.
    Ink probe;
    FT_F26Dot6 size = 10 * 64;
    for (; size < 30 * 64; size += 8) {
        FT_Set_Char_Size(face, 0, size, 72, 72);
        if (LoadInk(face, 'H', 1.0, probe) && probe.rows >= kCapHeight) break;
    }

    const uint16_t inkColour = Rgb565(uint8_t(inkRgb >> 16), uint8_t(inkRgb >> 8), uint8_t(inkRgb));
    picture = Picture(kFontAtlasWidth, kFontAtlasHeight, kKeyColour);
    std::vector<Layer> layers;

    for (const Glyph& g : kGlyphTable) {
        if (g.byte == kComma || g.byte == kApostrophe) continue;
        const int rectW = g.right - g.left;
        int own0, own1;
        OwnColumns(g, own0, own1);
        const int ownW = own1 - own0;

        // Squeeze a wide glyph until ink and outline fit the columns no other rectangle shares (so nothing
        // of it shows when a neighbour is drawn). If that would squeeze it too far, only the ink keeps out of
        // the shared columns and the outline may reach into them; failing that, it just fits the rectangle.
        enum class Fit { Clean, InkOwn, Rect };
        auto fits = [&](const Ink& i, Fit f) {
            if (f == Fit::Clean) return i.width + 2 <= ownW;
            if (f == Fit::InkOwn) return i.width <= ownW && i.width + 2 <= rectW;
            return i.width + 2 <= rectW;
        };
        Ink ink;
        Fit fit = Fit::Clean;
        double squeeze = 1.0;
        bool done = false;
        for (Fit f : {Fit::Clean, Fit::InkOwn, Fit::Rect}) {
            const double narrowest = f == Fit::Clean ? kCleanSqueeze : kMinSqueeze;
            for (int step = 0; !done && 1.0 - 0.02 * step >= narrowest - 1e-9; ++step) {
                squeeze = 1.0 - 0.02 * step;
                if (!LoadInk(face, g.byte, squeeze, ink)) {
                    error = "the font has no glyph for byte " + std::to_string(g.byte);
                    FT_Done_Face(face);
                    FT_Done_FreeType(library);
                    return false;
                }
                done = fits(ink, f);
            }
            fit = f;
            if (done) break;
        }

        // A glyph reaching out of its rectangle on the shared baseline (a capital J's hook) is squashed to
        // the rows it may use, then the clamp below moves it in.
        const int natTop = g.top + kBaseline - ink.top, natBottom = natTop + ink.rows;
        if (natTop < g.top || natBottom > g.bottom) {
            const int rows = std::min(g.bottom, natBottom) - std::max(g.top, natTop);
            for (int step = 1; ink.rows > rows && 1.0 - 0.02 * step >= kMinSqueeze - 1e-9; ++step) {
                LoadInk(face, g.byte, squeeze, ink, 1.0 - 0.02 * step);
            }
        }
        const int clipL = fit == Fit::Clean ? own0 : g.left, clipR = fit == Fit::Clean ? own1 : g.right;

        // Centre in the rectangle, keep the ink in the glyph's own columns and leave room for the outline.
        int x0 = g.left + (rectW - ink.width) / 2;
        if (fit == Fit::Clean) x0 = std::clamp(x0, own0 + 1, own1 - 1 - ink.width);
        if (fit == Fit::InkOwn) x0 = std::clamp(x0, own0, own1 - ink.width);
        x0 = std::clamp(x0, g.left + 1, std::max(g.left + 1, g.right - 1 - ink.width));
        // Rows: the baseline lies kBaseline rows below the top; keep ink inside the rectangle.
        int y0 = g.top + kBaseline - ink.top;
        y0 = std::clamp(y0, g.top, std::max(g.top, g.bottom - ink.rows));

        Layer layer;
        for (int y = 0; y < ink.rows; ++y) {
            for (int x = 0; x < ink.width; ++x) {
                if (!ink.on[size_t(y) * ink.width + x]) continue;
                const int ax = x0 + x, ay = y0 + y;
                if (ax >= g.left && ax < g.right && ay >= g.top && ay < g.bottom) layer.ink.emplace_back(ax, ay);
            }
        }
        Outline(layer.ink, clipL, g.top, clipR, g.bottom, layer.outline);
        layers.push_back(std::move(layer));
    }

    // The shared comma / apostrophe mark: a small tick on rows 62..66, outlined on rows 61..67, in the
    // columns the hyphen's rectangle does not reach.
    {
        const Glyph* comma = FindGlyph(kComma);
        const Glyph* apostrophe = FindGlyph(kApostrophe);
        if (comma && apostrophe) {
            const int x = comma->left + 1;  // the first column is shared with the hyphen
            Layer mark;
            mark.ink = {{x, 62}, {x + 1, 62}, {x, 63}, {x + 1, 63}, {x, 64}, {x + 1, 64}, {x + 1, 65}, {x, 66}};
            Outline(mark.ink, x, 61, comma->right, 68, mark.outline);
            layers.push_back(std::move(mark));
        }
    }

    // Outlines first, then ink, so no glyph's outline covers a neighbour's ink.
    for (const Layer& l : layers)
        for (auto [x, y] : l.outline) picture.at(x, y) = kOutline;
    for (const Layer& l : layers)
        for (auto [x, y] : l.ink) picture.at(x, y) = inkColour;

    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return true;
}

}  // namespace vz::picbuild
