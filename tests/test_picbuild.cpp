// The picture builder's pixel rules and file format.
#include "border_check.h"
#include "picbuild.h"
#include "platform/glyphs.h"
#include "world/objects.h"

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

TEST(PicbuildFont, GlyphsStayInTheirRectanglesOnOneBaseline) {
    const char* font = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    if (!std::filesystem::exists(font)) GTEST_SKIP() << "fonts-dejavu-core is not installed";
    pb::Picture atlas;
    std::string error;
    ASSERT_TRUE(pb::BuildFontAtlas(font, 0xfff6dc, atlas, error)) << error;
    ASSERT_EQ(atlas.width, vz::kFontAtlasWidth);
    ASSERT_EQ(atlas.height, vz::kFontAtlasHeight);
    const uint16_t ink = pb::Rgb565(0xff, 0xf6, 0xdc);

    auto inside = [](const vz::Glyph& g, int x, int y) {
        return x >= g.left && x < g.right && y >= g.top && y < g.bottom;
    };
    for (int y = 0; y < atlas.height; ++y) {
        for (int x = 0; x < atlas.width; ++x) {
            if (atlas.at(x, y) == pb::kKeyColour) continue;
            bool owned = false;
            for (const vz::Glyph& g : vz::kGlyphTable) owned = owned || inside(g, x, y);
            EXPECT_TRUE(owned) << "stray pixel at " << x << "," << y;
        }
    }
    // Every glyph has ink; letters without descenders end on the baseline 16 rows below the top.
    for (const vz::Glyph& g : vz::kGlyphTable) {
        int inkTop = g.bottom, inkBottom = -1;
        for (int y = g.top; y < g.bottom; ++y)
            for (int x = g.left; x < g.right; ++x)
                if (atlas.at(x, y) == ink) inkTop = std::min(inkTop, y), inkBottom = std::max(inkBottom, y);
        ASSERT_GE(inkBottom, 0) << "no ink for byte " << int(g.byte);
        if (g.byte == 'H' || g.byte == 'x' || g.byte == '0' || g.byte == 'W') {
            EXPECT_EQ(inkBottom, g.top + 15) << g.byte;
        }
        if (g.byte == 'H') {
            EXPECT_NEAR(inkBottom - inkTop + 1, 12, 1);
        }
    }
}
