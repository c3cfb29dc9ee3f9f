// The picture builder's pixel rules and file format.
#include "border_check.h"
#include "picbuild.h"
#include "platform/glyphs.h"
#include "world/objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>

namespace pb = vz::picbuild;

TEST(PicbuildPixels, AlphaBelowHalfIsTheKeyColour) {
    EXPECT_EQ(pb::ColourPixel(0, 0, 0, 0), pb::kKeyColour);
    EXPECT_EQ(pb::ColourPixel(127, 127, 0, 0), pb::kKeyColour);  // almost half, premultiplied red
    EXPECT_EQ(pb::ColourPixel(128, 128, 0, 0), 0xF800);          // half: opaque, red un-premultiplied
    EXPECT_EQ(pb::ColourPixel(255, 0, 0, 0), 0x0000);
}

TEST(PicbuildPixels, OpaqueMagentaIsNudgedOffTheKey) {
    EXPECT_EQ(pb::ColourPixel(255, 255, 0, 255), pb::kKeyNudged);
    EXPECT_EQ(pb::ColourPixel(255, 252, 2, 253), pb::kKeyNudged);  // rounds to the key as well
    EXPECT_EQ(pb::ColourPixel(255, 255, 4, 255), 0xF83F);          // a neighbouring colour stays
}

TEST(PicbuildPixels, ChannelsRoundToNearest) {
    EXPECT_EQ(pb::Rgb565(255, 255, 255), 0xFFFF);
    EXPECT_EQ(pb::Rgb565(4, 0, 0), 0x0000);        // 4/255*31 = 0.49 -> 0
    EXPECT_EQ(pb::Rgb565(5, 0, 0), 1 << 11);       // 5/255*31 = 0.61 -> 1
    EXPECT_EQ(pb::Rgb565(0, 2, 0), 0x0000);        // 2/255*63 = 0.49 -> 0
    EXPECT_EQ(pb::Rgb565(0, 3, 0), 1 << 5);        // 3/255*63 = 0.74 -> 1
    EXPECT_EQ(pb::Rgb565(0, 0, 132), 16);          // 132/255*31 = 16.05 -> 16
    EXPECT_EQ(pb::Rgb565(0x2b, 0x1d, 0x14), (5 << 11) | (7 << 5) | 2);
    // Premultiplied colour is un-premultiplied before rounding: 100 at alpha 200 is 127.5 -> 128.
    EXPECT_EQ(pb::ColourPixel(200, 100, 100, 100), pb::Rgb565(128, 128, 128));
}

TEST(PicbuildPixels, MaskBlocksOnlyOpaqueDarkPixels) {
    EXPECT_EQ(pb::MaskPixel(255, 0, 0, 0), pb::kBlocked);
    EXPECT_EQ(pb::MaskPixel(255, 127, 127, 127), pb::kBlocked);
    EXPECT_EQ(pb::MaskPixel(255, 128, 128, 128), pb::kWalkable);
    EXPECT_EQ(pb::MaskPixel(255, 255, 255, 255), pb::kWalkable);
    EXPECT_EQ(pb::MaskPixel(255, 0, 255, 0), pb::kWalkable);   // bright green: luminance 0.59
    EXPECT_EQ(pb::MaskPixel(255, 0, 0, 255), pb::kBlocked);    // pure blue is dark
    EXPECT_EQ(pb::MaskPixel(100, 0, 0, 0), pb::kWalkable);     // transparent black
    EXPECT_EQ(pb::MaskPixel(128, 0, 0, 0), pb::kBlocked);
}

namespace {

// A cairo-style ARGB32 buffer (premultiplied; these are opaque or fully transparent) from a colour function.
struct Argb {
    int width, height;
    std::vector<uint32_t> words;
    Argb(int w, int h, const std::function<uint32_t(int, int)>& colour) : width(w), height(h), words(size_t(w) * h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) words[size_t(y) * w + x] = colour(x, y);
    }
    pb::Picture Convert(pb::Kind kind = pb::Kind::Svg) const {
        return pb::ConvertArgb(reinterpret_cast<const uint8_t*>(words.data()), 4 * width, width, height, kind);
    }
};

uint32_t Opaque(int r, int g, int b) { return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// A vertical gradient as the renderer leaves it: each row rounded to 8 bits.
uint32_t Ramp(uint32_t top, uint32_t bottom, int y, int rows) {
    const double t = double(y) / (rows - 1);
    int c[3];
    for (int k = 0; k < 3; ++k) {
        const int a = (top >> (16 - 8 * k)) & 0xFF, b = (bottom >> (16 - 8 * k)) & 0xFF;
        c[k] = int(std::lround(a + (b - a) * t));
    }
    return Opaque(c[0], c[1], c[2]);
}

// The level of channel k (0 red, 1 green, 2 blue) of an RGB565 pixel, and its largest level.
int Level(uint16_t p, int k) { return k == 0 ? p >> 11 : k == 1 ? (p >> 5) & 63 : p & 31; }
int MaxLevel(int k) { return k == 1 ? 63 : 31; }

}  // namespace

TEST(PicbuildDither, GradientShowsNoBands) {
    // The ship beach's sky, 64 x 480: unrounded, red and green change by one level every 45 to 60 rows.
    const int rows = 480, cols = 64;
    const uint32_t top = 0x8fd3f5, bottom = 0xd9f2ff;
    const pb::Picture p = Argb(cols, rows, [&](int, int y) { return Ramp(top, bottom, y, rows); }).Convert();
    for (int k = 0; k < 3; ++k) {
        double previous = -1;
        int band = 0, tallest = 0;  // rows of one unchanged mean
        for (int strip = 0; strip < rows / 8; ++strip) {
            // Over one strip of 8 rows the dither pattern repeats, so its mean is the colour the eye sees.
            double sum = 0, ideal = 0;
            for (int y = strip * 8; y < strip * 8 + 8; ++y) {
                const uint32_t source = Ramp(top, bottom, y, rows);
                ideal += ((source >> (16 - 8 * k)) & 0xFF) * MaxLevel(k) / 255.0 / 8;
                for (int x = 0; x < cols; ++x) sum += Level(p.at(x, y), k);
            }
            const double mean = sum / (8 * cols);
            // Plain rounding is off by up to half a level, which is where a band's edge shows.
            EXPECT_NEAR(mean, ideal, 0.1) << "channel " << k << ", rows " << strip * 8 << " to " << strip * 8 + 7;
            band = mean == previous ? band + 8 : 8;
            tallest = std::max(tallest, band);
            previous = mean;
        }
        // Rounded, red and green would stay on one level for 50 to 60 rows; blue barely changes at all.
        if (k < 2) {
            EXPECT_LE(tallest, 24) << "channel " << k;
        }
    }
}

TEST(PicbuildDither, FlatAreasStayFlatWhateverTheirColour) {
    const uint32_t sand = Opaque(0xf0, 0xd5, 0x9a);  // between levels in every channel
    const uint32_t near = Opaque(0xf2, 0xd7, 0x9c);  // almost the same colour
    const uint32_t edge = Opaque(0xf1, 0xd6, 0x9b);  // an anti-aliased pixel between the two
    const uint32_t outline = Opaque(0x2b, 0x1d, 0x14);
    // A gradient with a flat patch and its outline in it, and below it a flat area beside a nearly equal one.
    const pb::Picture p = Argb(96, 200, [&](int x, int y) {
        if (y < 100) {
            if (x >= 20 && x < 60 && y >= 20 && y < 70) return (x == 20 || x == 59 || y == 20 || y == 69) ? outline : sand;
            return Ramp(0x8fd3f5, 0xd9f2ff, y, 100);
        }
        return x < 50 ? sand : x == 50 ? edge : near;
    }).Convert();
    const uint16_t flat = pb::Rgb565(0xf0, 0xd5, 0x9a), flatNear = pb::Rgb565(0xf2, 0xd7, 0x9c);
    int patchWrong = 0, leftWrong = 0, rightWrong = 0;
    for (int y = 21; y < 69; ++y)
        for (int x = 21; x < 59; ++x) patchWrong += p.at(x, y) != flat;
    for (int y = 100; y < 200; ++y) {
        for (int x = 0; x < 50; ++x) leftWrong += p.at(x, y) != flat;
        for (int x = 51; x < 96; ++x) rightWrong += p.at(x, y) != flatNear;
    }
    EXPECT_EQ(patchWrong, 0);
    EXPECT_EQ(leftWrong, 0);
    EXPECT_EQ(rightWrong, 0);
    EXPECT_EQ(p.at(20, 40), pb::Rgb565(0x2b, 0x1d, 0x14));

    // A whole picture of one colour, on a level or between levels, is that one value.
    for (const uint32_t colour : {sand, Opaque(0x84, 0x82, 0x84), Opaque(0x01, 0xfe, 0x80)}) {
        const pb::Picture one = Argb(40, 40, [&](int, int) { return colour; }).Convert();
        const uint16_t want = pb::Rgb565(uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour));
        for (const uint16_t px : one.pixels) ASSERT_EQ(px, want) << std::hex << colour;
    }
}

TEST(PicbuildDither, TransparencyAndTheKeyColourAreUntouched) {
    // A gradient that ends in magenta, with holes: dithering must not turn an opaque pixel into the key,
    // and must not move the edge between opaque and transparent pixels.
    const pb::Picture p = Argb(64, 256, [](int x, int y) -> uint32_t {
        if ((x / 8 + y / 8) % 5 == 0) return 0x40000000u | uint32_t(0x20 << 16);  // alpha 64: transparent
        return Ramp(0xc000c0, 0xff00ff, y, 256);
    }).Convert();
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 64; ++x) {
            const bool hole = (x / 8 + y / 8) % 5 == 0;
            if (hole) {
                EXPECT_EQ(p.at(x, y), pb::kKeyColour) << x << "," << y;
            } else {
                EXPECT_NE(p.at(x, y), pb::kKeyColour) << x << "," << y;
            }
        }
    }
    int nudged = 0;
    for (const uint16_t px : p.pixels) nudged += px == pb::kKeyNudged;
    EXPECT_GT(nudged, 0);  // the magenta end is there, one step off the key

    // A walk mask stays black and white, whatever gradient it was drawn with.
    const pb::Picture mask = Argb(16, 256, [](int, int y) { return Ramp(0x000000, 0xffffff, y, 256); })
                                 .Convert(pb::Kind::Mask);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(mask.at(x, y), y < 128 ? pb::kBlocked : pb::kWalkable) << y;
}

TEST(PicbuildSbf, HeaderAndPixelsAreLittleEndianAndRoundTrip) {
    pb::Picture picture(3, 2, 0);
    picture.at(0, 0) = 0x1234;
    picture.at(2, 1) = pb::kKeyColour;
    const std::vector<uint8_t> bytes = pb::EncodeSbf(picture);
    ASSERT_EQ(bytes.size(), 12u + 3 * 2 * 2);
    const std::vector<uint8_t> header(bytes.begin(), bytes.begin() + 12);
    EXPECT_EQ(header, (std::vector<uint8_t>{0, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(bytes[12], 0x34);
    EXPECT_EQ(bytes[13], 0x12);
    EXPECT_EQ(bytes[22], 0x1F);  // last pixel, bottom right
    EXPECT_EQ(bytes[23], 0xF8);

    pb::Picture back;
    std::string error;
    ASSERT_TRUE(pb::DecodeSbf(bytes, back, error)) << error;
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, picture.pixels);

    std::vector<uint8_t> truncated(bytes.begin(), bytes.end() - 1);
    EXPECT_FALSE(pb::DecodeSbf(truncated, back, error));
}

TEST(PicbuildManifest, ReadsEntriesAndRejectsBadLines) {
    std::vector<pb::ManifestEntry> entries;
    std::string error;
    ASSERT_TRUE(pb::ParseManifest("# pictures\n\nbg/a.sbf 1024 768 svg  # a scene\nm.sbf 4 2 mask\n"
                                  "text.sbf 288 80 font1\n",
                                  entries, error))
        << error;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].path, "bg/a.sbf");
    EXPECT_EQ(entries[0].width, 1024);
    EXPECT_EQ(entries[0].line, 3);
    EXPECT_EQ(entries[1].kind, pb::Kind::Mask);
    EXPECT_EQ(entries[2].kind, pb::Kind::Font1);

    for (const char* bad : {"a.sbf 10 svg\n", "a.sbf 10 10 jpeg\n", "a.png 10 10 svg\n", "../a.sbf 1 1 svg\n",
                            "a.sbf 0 10 svg\n", "a.sbf 1 1 svg extra\n"}) {
        entries.clear();
        EXPECT_FALSE(pb::ParseManifest(bad, entries, error)) << bad;
    }
}

namespace {

// A keyed picture with opaque pixels at the given points.
pb::Picture Keyed(int w, int h, std::initializer_list<std::pair<int, int>> opaque, uint16_t colour = 0x2124) {
    pb::Picture p(w, h, pb::kKeyColour);
    for (auto [x, y] : opaque) p.at(x, y) = colour;
    return p;
}

}  // namespace

TEST(PicbuildBorders, FindsEachEdgeAnOpaquePixelTouches) {
    EXPECT_EQ(pb::OpaqueEdges(Keyed(6, 4, {{1, 1}, {4, 2}})), 0u);
    EXPECT_EQ(pb::OpaqueEdges(Keyed(6, 4, {{5, 2}})), unsigned(pb::kRightEdge));
    EXPECT_EQ(pb::OpaqueEdges(Keyed(6, 4, {{3, 0}, {2, 3}})), unsigned(pb::kTopEdge | pb::kBottomEdge));
    // A corner is on two edges; a colour nudged off the key is opaque like any other.
    EXPECT_EQ(pb::OpaqueEdges(Keyed(6, 4, {{0, 3}}, pb::kKeyNudged)), unsigned(pb::kLeftEdge | pb::kBottomEdge));
    EXPECT_EQ(pb::OpaqueEdges(Keyed(1, 1, {{0, 0}})), unsigned(pb::kEveryEdge));
}

TEST(PicbuildBorders, RefusesCutOffDrawingsExceptOnTheirListedEdges) {
    std::string error;
    // The root in the inventory may touch no edge; the message names the edge and how much touches it.
    EXPECT_TRUE(pb::CheckBorders("objects/k.sbf", Keyed(64, 56, {{30, 20}}), error));
    EXPECT_FALSE(pb::CheckBorders("objects/k.sbf", Keyed(64, 56, {{0, 20}, {0, 21}, {0, 22}}), error));
    EXPECT_NE(error.find("3 on the left edge"), std::string::npos) << error;

    // A walking frame stands on its bottom row, but its sides stay free.
    const pb::Picture feet = Keyed(116, 300, {{50, 299}, {60, 299}});
    EXPECT_TRUE(pb::CheckBorders("quarro/quarro1-r3.sbf", feet, error)) << error;
    pb::Picture reaching = feet;
    reaching.at(115, 150) = 0x2124;
    EXPECT_FALSE(pb::CheckBorders("quarro/quarro1-r3.sbf", reaching, error));
    EXPECT_NE(error.find("right edge"), std::string::npos) << error;
    EXPECT_EQ(error.find("bottom"), std::string::npos) << error;
    // The ending picture shares the frames' name but floats on the sea with water all around.
    EXPECT_FALSE(pb::CheckBorders("quarro/quarro1-s0.sbf", Keyed(300, 300, {{150, 299}}), error));

    // The liane hangs from above; its lower end is free.
    EXPECT_TRUE(pb::CheckBorders("objects/g.sbf", Keyed(20, 120, {{10, 0}}), error));
    EXPECT_FALSE(pb::CheckBorders("objects/g.sbf", Keyed(20, 120, {{10, 0}, {10, 119}}), error));
    // A background fills the screen.
    EXPECT_TRUE(pb::CheckBorders("locations/schiff.sbf", pb::Picture(1024, 768, 0x4208), error));
}

TEST(PicbuildBorders, InventoryIconsAndTheCursorMayTouchNoEdge) {
    // Icons are drawn in the middle of a cell and on the pointer, over anything: no edge is ever theirs.
    for (const vz::ObjectRow& row : vz::kObjectTable) {
        const std::string icon = row.inventoryImage;
        if (icon.empty()) continue;
        ASSERT_EQ(icon.rfind("images/", 0), 0u) << icon;
        EXPECT_EQ(pb::AllowedEdges(icon.substr(7)), 0u) << icon;
    }
    for (const char* c : {"cursor0", "cursor1", "cursor2", "cursor3", "links", "rechts", "oben", "unten"}) {
        EXPECT_EQ(pb::AllowedEdges(std::string("cursor/") + c + ".sbf"), 0u) << c;
    }
}

namespace {

constexpr uint32_t kCream = 0xfff6dc, kYellow = 0xffd23f;

std::string FontSource() {
    std::vector<uint8_t> bytes;
    if (!pb::ReadFile(VZ_SOURCE_DIR "/art/font/glyphs.txt", bytes)) return "";
    return std::string(bytes.begin(), bytes.end());
}

bool Inside(const vz::Glyph& g, int x, int y) { return x >= g.left && x < g.right && y >= g.top && y < g.bottom; }

bool CommaAndApostrophe(const vz::Glyph& a, const vz::Glyph& b) {
    return (a.byte == ',' && b.byte == '\'') || (a.byte == '\'' && b.byte == ',');
}

// Both atlases as the game gets them, from the font source in art/font.
struct FontAtlases : ::testing::Test {
    pb::Picture font[2];
    void SetUp() override {
        const std::string source = FontSource();
        ASSERT_FALSE(source.empty()) << "art/font/glyphs.txt is missing";
        std::string error;
        ASSERT_TRUE(pb::BuildFontAtlas(source, kCream, font[0], error)) << error;
        ASSERT_TRUE(pb::BuildFontAtlas(source, kYellow, font[1], error)) << error;
        ASSERT_EQ(font[0].width, vz::kFontAtlasWidth);
        ASSERT_EQ(font[0].height, vz::kFontAtlasHeight);
    }
};

}  // namespace

TEST_F(FontAtlases, ColumnsTwoRectanglesShareHoldNothing) {
    // Drawing one glyph takes its whole rectangle, so anything in a shared column would show as a sliver
    // beside the neighbour. Only the comma and the apostrophe share their mark by design.
    int shared = 0;
    for (const vz::Glyph& a : vz::kGlyphTable) {
        for (const vz::Glyph& b : vz::kGlyphTable) {
            if (&a == &b || CommaAndApostrophe(a, b)) continue;
            for (int y = std::max(a.top, b.top); y < std::min(a.bottom, b.bottom); ++y) {
                for (int x = std::max(a.left, b.left); x < std::min(a.right, b.right); ++x) {
                    ++shared;
                    for (int f = 0; f < 2; ++f)
                        ASSERT_EQ(font[f].at(x, y), pb::kKeyColour)
                            << "font " << f << " at " << x << "," << y << " shared by " << a.byte << " and " << b.byte;
                }
            }
        }
    }
    EXPECT_GT(shared, 0);  // the table does share columns ('a' and 'b', 'B' and 'C', ...)
}

TEST_F(FontAtlases, EveryGlyphHasInkOnTheBaselineAndNothingLiesOutsideTheRectangles) {
    const uint16_t ink = pb::Rgb565(0xff, 0xf6, 0xdc);
    for (int y = 0; y < font[0].height; ++y) {
        for (int x = 0; x < font[0].width; ++x) {
            if (font[0].at(x, y) == pb::kKeyColour) continue;
            bool owned = false;
            for (const vz::Glyph& g : vz::kGlyphTable) owned = owned || Inside(g, x, y);
            EXPECT_TRUE(owned) << "stray pixel at " << x << "," << y;
        }
    }
    // Rows of ink, counted from the rectangle's top (where the pen stands).
    auto inkRows = [&](const vz::Glyph& g, int& first, int& last) {
        first = 99, last = -1;
        for (int y = g.top; y < g.bottom; ++y)
            for (int x = g.left; x < g.right; ++x)
                if (font[0].at(x, y) == ink) first = std::min(first, y - g.top), last = std::max(last, y - g.top);
    };
    for (const vz::Glyph& g : vz::kGlyphTable) {
        int first, last;
        inkRows(g, first, last);
        ASSERT_GE(last, 0) << "no ink for byte " << int(g.byte);
        // Letters of one line stand on one baseline, whichever atlas row they come from.
        if (std::string("HWx0!?.z\xC4\xE4").find(char(g.byte)) != std::string::npos) {
            EXPECT_EQ(last, 13) << "byte " << int(g.byte);
        }
        if (std::string("gjpqy,").find(char(g.byte)) != std::string::npos) {
            EXPECT_GT(last, 13) << "byte " << int(g.byte) << " has no descender";
        }
    }
    // The one mark reads as a comma at the baseline and, ten rows higher in its own rectangle, as an
    // apostrophe at the height of the capitals.
    int commaFirst, commaLast, apoFirst, apoLast, capFirst, capLast;
    inkRows(*vz::FindGlyph(','), commaFirst, commaLast);
    inkRows(*vz::FindGlyph('\''), apoFirst, apoLast);
    inkRows(*vz::FindGlyph('H'), capFirst, capLast);
    EXPECT_LE(commaFirst, 13);
    EXPECT_EQ(apoFirst, commaFirst - 10);
    EXPECT_LE(std::abs(apoFirst - capFirst), 1);
    EXPECT_LT(apoLast, 8);  // well above the baseline
}

TEST_F(FontAtlases, TheTwoAtlasesHaveTheSameShapesInTheirOwnInk) {
    const uint16_t cream = pb::Rgb565(0xff, 0xf6, 0xdc), yellow = pb::Rgb565(0xff, 0xd2, 0x3f);
    int inkPixels = 0, darkPixels = 0;
    for (size_t i = 0; i < font[0].pixels.size(); ++i) {
        const uint16_t a = font[0].pixels[i], b = font[1].pixels[i];
        if (a == cream) {
            EXPECT_EQ(b, yellow) << "pixel " << i;
            ++inkPixels;
        } else {
            EXPECT_EQ(a, b) << "pixel " << i;  // transparent or the dark outline in both
            darkPixels += a != pb::kKeyColour;
        }
    }
    // The outline is heavier than the ink it surrounds, so it still reads where the ground is as pale.
    EXPECT_GT(inkPixels, 0);
    EXPECT_GT(darkPixels, inkPixels);
}

TEST(PicbuildFont, ASourceThatDoesNotFitTheTableIsRefusedByName) {
    std::string source = FontSource();
    ASSERT_FALSE(source.empty());
    std::map<uint8_t, pb::GlyphGrid> grids;
    std::string error;
    ASSERT_TRUE(pb::ParseFontSource(source, grids, error)) << error;
    EXPECT_EQ(grids.size(), size_t(vz::kGlyphCount - 1));  // the apostrophe is the comma's mark
    pb::Picture atlas;

    // An 'i' as wide as its neighbours would reach into the column it shares with the 'j'.
    const size_t at = source.find("glyph 69");
    ASSERT_NE(at, std::string::npos);
    std::string wide = source;
    wide.insert(source.find("\n##\n", at) + 1, "###");
    EXPECT_FALSE(pb::BuildFontAtlas(wide, kCream, atlas, error));
    EXPECT_NE(error.find("0x69 'i'"), std::string::npos) << error;

    // A glyph with no grid, and a grid longer than its rectangle (the full stop's is 16 rows).
    std::string missing = source;
    missing.replace(missing.find("glyph 7A"), 8, "glyph 7B");
    EXPECT_FALSE(pb::BuildFontAtlas(missing, kCream, atlas, error));
    EXPECT_NE(error.find("no grid for byte 0x7A 'z'"), std::string::npos) << error;
    std::string tall = source;
    tall.insert(tall.find("##\n##\n", tall.find("glyph 2E")), "##\n##\n##\n");
    EXPECT_FALSE(pb::BuildFontAtlas(tall, kCream, atlas, error));
    EXPECT_NE(error.find("17 rows, the rectangle has 16"), std::string::npos) << error;

    // Rows outside a glyph, a second grid for one byte, a byte that is not two hex digits.
    EXPECT_FALSE(pb::ParseFontSource("# a comment\n##..\n", grids, error));
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    EXPECT_FALSE(pb::ParseFontSource("glyph 61\n#\nglyph 61\n#\n", grids, error));
    EXPECT_FALSE(pb::ParseFontSource("glyph a\n#\n", grids, error));
}
