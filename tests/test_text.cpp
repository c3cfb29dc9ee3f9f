// Bitmap text: which glyph of the atlas lands where, line breaks, bytes without glyph and centring.
#include "platform/text.h"

#include <string>

#include "platform/glyphs.h"

#include <gtest/gtest.h>

using namespace vz;

namespace {

// Atlases whose every pixel has its own colour, so each drawn pixel tells where it came from.
// Font 1 is told apart from font 0 by an offset.
constexpr uint16_t kFont1Offset = 30000;

uint16_t AtlasColour(int x, int y, int font) {
    return static_cast<uint16_t>(1 + y * 288 + x + (font == 0 ? 0 : kFont1Offset));
}

Fonts MakeFonts() {
    Fonts f;
    for (int font = 0; font < 2; ++font) {
        f.atlas[font] = Surface(288, 80);
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 288; ++x) f.atlas[font].Set(x, y, AtlasColour(x, y, font));
    }
    return f;
}

struct Placed {
    int left, top, right, bottom;  // atlas rectangle, right and bottom exclusive
    int x, y;                      // where its top-left corner went
};

// Checks that exactly these rectangles were drawn, and nothing else.
void ExpectDrawn(const Surface& screen, const std::vector<Placed>& glyphs, int font = 0) {
    size_t area = 0;
    for (const Placed& g : glyphs) {
        for (int y = g.top; y < g.bottom; ++y)
            for (int x = g.left; x < g.right; ++x)
                ASSERT_EQ(screen.At(g.x + x - g.left, g.y + y - g.top), AtlasColour(x, y, font))
                    << "glyph from (" << g.left << "," << g.top << ") at (" << g.x << "," << g.y << ")";
        area += static_cast<size_t>(g.right - g.left) * (g.bottom - g.top);
    }
    size_t drawn = 0;
    for (uint16_t p : screen.pixels) drawn += p != 0;
    EXPECT_EQ(drawn, area);
}

class Text : public ::testing::Test {
protected:
    Fonts fonts = MakeFonts();
    Surface screen{kScreenWidth, kScreenHeight};
};

}  // namespace

TEST_F(Text, KaiLaysOutGlyphByGlyph) {
    EXPECT_TRUE(DrawBitmapText(100, 200, false, 0, screen, "", fonts));
    // The pen ends "Kai" at 127; a space moves it 10 on.
    EXPECT_TRUE(DrawBitmapText(100, 200, false, 0, screen, "Kai i", fonts));
    ExpectDrawn(screen, {{108, 27, 118, 43, 100, 200},
                         {0, 4, 10, 20, 111, 200},
                         {68, 4, 72, 20, 122, 200},
                         {68, 4, 72, 20, 137, 200}});
}

TEST_F(Text, HashBreaksTheLineOnlyWhenMultiLine) {
    // Each line starts at the call's x, 18 lower.
    DrawBitmapText(300, 100, true, 0, screen, "ab##a", fonts);
    ExpectDrawn(screen, {{0, 4, 10, 20, 300, 100}, {9, 4, 19, 20, 311, 100}, {0, 4, 10, 20, 300, 136}});

    Surface flat{kScreenWidth, kScreenHeight};
    DrawBitmapText(300, 100, false, 0, flat, "a#b", fonts);
    ExpectDrawn(flat, {{0, 4, 10, 20, 300, 100}, {9, 4, 19, 20, 321, 100}});
}

TEST_F(Text, BytesWithoutGlyphDrawNothingAndLeaveNoGap) {
    DrawBitmapText(50, 60, false, 0, screen, "a:(\"/;\x01\x7B\x7F\xC5\xE9\xFF" "b", fonts);
    ExpectDrawn(screen, {{0, 4, 10, 20, 50, 60}, {9, 4, 19, 20, 61, 60}});
}

TEST_F(Text, GermanLetters) {
    DrawBitmapText(10, 300, false, 0, screen, "\xC4\xD6\xDC\xDF\xE4\xF6\xFC", fonts);
    ExpectDrawn(screen, {{233, 4, 245, 20, 10, 300},
                         {245, 4, 258, 20, 23, 300},
                         {258, 4, 270, 20, 37, 300},
                         {234, 50, 242, 66, 50, 300},
                         {209, 50, 218, 66, 59, 300},
                         {218, 50, 226, 66, 70, 300},
                         {225, 50, 234, 66, 79, 300}});
}

TEST_F(Text, CentringCountsEveryByteAtElevenPixels) {
    // 10 bytes: 512 - 110 / 2 = 457. Spaces, '#' and bytes without glyph all count.
    DrawBitmapTextCentred(512, 520, false, 0, screen, "a # ::(( )", fonts);
    ExpectDrawn(screen, {{0, 4, 10, 20, 457, 520}});

    // 11 bytes: 121 / 2 truncates to 60, so 452; with multi-line every line starts there.
    Surface multi{kScreenWidth, kScreenHeight};
    DrawBitmapTextCentred(512, 520, true, 0, multi, "a#b:::::::;", fonts);
    ExpectDrawn(multi, {{0, 4, 10, 20, 452, 520}, {9, 4, 19, 20, 452, 538}});
}

TEST_F(Text, FontChoiceKeyAndGlyphsOffTheScreen) {
    // Any font number but 0 picks the second atlas.
    DrawBitmapText(100, 100, false, 7, screen, "a", fonts);
    ExpectDrawn(screen, {{0, 4, 10, 20, 100, 100}}, 1);

    // A glyph that would reach past the edge is missing; the pen moves on as usual.
    Surface edge{kScreenWidth, kScreenHeight};
    DrawBitmapText(-5, 752, false, 0, edge, "bag", fonts);
    ExpectDrawn(edge, {{0, 4, 10, 20, 6, 752}});  // 'b' starts off screen, 'g' (19 high) reaches past 767

    // Key pixels of a glyph leave the screen as it was.
    fonts.atlas[0].Set(1, 4, kColorKey);
    Surface keyed{kScreenWidth, kScreenHeight};
    ClearSurface(keyed, 0x0841);
    DrawBitmapText(100, 100, false, 0, keyed, "a", fonts);
    EXPECT_EQ(keyed.At(101, 100), 0x0841);
    EXPECT_EQ(keyed.At(100, 100), AtlasColour(0, 4, 0));
}

TEST_F(Text, WidthIsTheLastGlyphsRightEdgeOnTheWidestLine) {
    // "Kai": pen 0, 11, 22; the 'i' is 4 wide, so 26 and not its advance. Trailing blanks and bytes
    // without glyph do not widen it.
    EXPECT_EQ(BitmapTextWidth(false, "Kai"), 26);
    EXPECT_EQ(BitmapTextWidth(false, "Kai  ::"), 26);
    EXPECT_EQ(BitmapTextWidth(false, ""), 0);
    // With multi-line on the widest line counts; off, '#' is a blank and the whole text one line.
    EXPECT_EQ(BitmapTextWidth(true, "a#Kai#b"), 26);
    EXPECT_EQ(BitmapTextWidth(false, "a#b"), 11 + 10 + 10);
}

TEST_F(Text, ATextThatWouldRunOffTheRightEdgeStartsFurtherLeft) {
    // The native woman's text position: the sugar's answer ends 24 pixels past the edge.
    const char* sweet = "That doesn't have to be sweet";
    const int left = TextLeftInsideScreen(760, false, sweet);
    EXPECT_LT(left, 760);
    EXPECT_LE(left + BitmapTextWidth(false, sweet), kScreenWidth);
    EXPECT_GE(left + BitmapTextWidth(false, sweet), kScreenWidth - 8);  // moved no further than needed

    // Drawn there, every glyph shows: the final 't' comes last, at the right.
    DrawBitmapText(left, 235, false, 0, screen, sweet, fonts);
    const Glyph* t = FindGlyph('t');
    const int lastX = left + BitmapTextWidth(false, sweet) - (t->right - t->left);
    EXPECT_EQ(screen.At(lastX, 235), AtlasColour(t->left, t->top, 0));

    // What fits keeps its place exactly, up to a text that ends on the last column.
    EXPECT_EQ(TextLeftInsideScreen(760, false, "A resident of the isle"), 760);
    const int w = BitmapTextWidth(false, "sugar");
    EXPECT_EQ(TextLeftInsideScreen(kScreenWidth - w, false, "sugar"), kScreenWidth - w);
    EXPECT_LT(TextLeftInsideScreen(kScreenWidth - w + 1, false, "sugar"), kScreenWidth - w);
    EXPECT_EQ(TextLeftInsideScreen(-30, false, "sugar"), -30);

    // A multi-line text moves by its widest line; one wider than the screen starts at its left edge.
    EXPECT_EQ(TextLeftInsideScreen(900, true, "ab#cd"), 900);
    EXPECT_LT(TextLeftInsideScreen(900, true, "ab#There is a monkey"), 900);
    std::string wide(120, 'm');
    EXPECT_EQ(TextLeftInsideScreen(10, false, wide.c_str()), 0);
}
