// The picture builder's pixel rules and file format.
#include "picbuild.h"
#include "platform/glyphs.h"

#include <gtest/gtest.h>

#include <filesystem>

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
