// The font atlases: the pixel grids of art/font placed into the glyph table's rectangles, with a dark
// outline and shadow, in one ink colour per atlas.
#include "picbuild.h"
#include "platform/glyphs.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

namespace vz::picbuild {

namespace {

const uint16_t kShadow = Rgb565(0x2b, 0x1d, 0x14);  // the dark outline colour of all the game's art

// The dark pixels around the ink, as offsets from each ink pixel: a one-pixel outline all round and a
// second row below, so the letters stand out from pale sand, foam and sky as well as from the dark
// choice panel. Sideways the outline takes one column each side; the glyphs are designed for that.
constexpr std::pair<int, int> kShadowOffsets[] = {
    {-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1},  // outline
    {-1, 2},  {0, 2},  {1, 2},                                             // shadow below
};
constexpr int kLeftMargin = 1;   // columns the dark pixels reach left of the ink
constexpr int kRightMargin = 1;  // and right of it

// The comma and the apostrophe share one mark in one column of the atlas.
constexpr uint8_t kComma = 0x2C;
constexpr uint8_t kApostrophe = 0x27;

bool CommaAndApostrophe(const Glyph& a, const Glyph& b) {
    return (a.byte == kComma && b.byte == kApostrophe) || (a.byte == kApostrophe && b.byte == kComma);
}

// Columns of a glyph's rectangle that no other rectangle covers (the comma's mark being the apostrophe's
// too): [first, last). Nothing of the glyph may be drawn outside them, or a neighbour would show a sliver.
void OwnColumns(const Glyph& g, int& first, int& last) {
    auto shared = [&](int x) {
        for (const Glyph& o : kGlyphTable) {
            if (&o == &g || CommaAndApostrophe(g, o)) continue;
            if (x >= o.left && x < o.right && g.top < o.bottom && o.top < g.bottom) return true;
        }
        return false;
    };
    first = g.left;
    while (first < g.right && shared(first)) ++first;
    last = g.right;
    while (last > first && shared(last - 1)) --last;
}

// Splits the columns a glyph leaves free around its ink: the outline's column on the right first, then the
// one on the left (a glyph too wide for both, like the 'i', keeps its right edge outlined), then the rest
// evenly. Returns the columns to the left of the ink.
int LeftSlack(int slack) {
    int left = 0, right = 0;
    while (slack > 0 && (left < kLeftMargin || right < kRightMargin)) {
        if (right < kRightMargin && (right <= left || left >= kLeftMargin))
            ++right;
        else
            ++left;
        --slack;
    }
    return left + slack / 2;
}

std::string ByteName(uint8_t byte) {
    std::ostringstream s;
    s << "byte 0x" << std::hex << std::uppercase << int(byte);
    if (byte >= 0x20 && byte < 0x7F) s << " '" << char(byte) << "'";
    return s.str();
}

}  // namespace

bool ParseFontSource(const std::string& text, std::map<uint8_t, GlyphGrid>& grids, std::string& error) {
    grids.clear();
    std::istringstream in(text);
    std::string line;
    GlyphGrid* current = nullptr;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A comment starts with "# " (pixel rows hold no blank); a blank or comment line ends a grid.
        if (line.empty() || line.rfind("# ", 0) == 0) {
            current = nullptr;
            continue;
        }
        if (line.rfind("glyph ", 0) == 0) {
            std::istringstream words(line.substr(6));
            std::string hex;
            words >> hex;
            char* end = nullptr;
            const long byte = std::strtol(hex.c_str(), &end, 16);
            if (hex.size() != 2 || *end != '\0' || byte < 0x21) {
                error = "line " + std::to_string(lineNo) + ": \"glyph\" wants a byte as two hex digits";
                return false;
            }
            if (grids.count(uint8_t(byte))) {
                error = "line " + std::to_string(lineNo) + ": a second grid for " + ByteName(uint8_t(byte));
                return false;
            }
            current = &grids[uint8_t(byte)];
            current->line = lineNo;
            continue;
        }
        if (current == nullptr || line.find_first_not_of(".#") != std::string::npos) {
            error = "line " + std::to_string(lineNo) + ": a pixel row of '#' and '.' belongs below a \"glyph\" line";
            return false;
        }
        current->rows.push_back(line);
    }
    return true;
}

bool BuildFontAtlas(const std::string& source, uint32_t inkRgb, Picture& picture, std::string& error) {
    std::map<uint8_t, GlyphGrid> grids;
    if (!ParseFontSource(source, grids, error)) return false;

    const uint16_t ink = Rgb565(uint8_t(inkRgb >> 16), uint8_t(inkRgb >> 8), uint8_t(inkRgb));
    picture = Picture(kFontAtlasWidth, kFontAtlasHeight, kKeyColour);
    std::vector<std::pair<int, int>> inkPixels, darkPixels;

    for (const Glyph& g : kGlyphTable) {
        if (g.byte == kApostrophe) continue;  // drawn by the comma's mark
        const auto it = grids.find(g.byte);
        if (it == grids.end()) {
            error = "no grid for " + ByteName(g.byte);
            return false;
        }
        const GlyphGrid& grid = it->second;
        const std::string where = ByteName(g.byte) + " (line " + std::to_string(grid.line) + ")";

        // The grid's ink columns, whatever empty columns surround them.
        int first = 1 << 20, last = -1;
        for (const std::string& row : grid.rows) {
            const size_t a = row.find('#'), b = row.rfind('#');
            if (a == std::string::npos) continue;
            first = std::min(first, int(a));
            last = std::max(last, int(b));
        }
        if (last < 0) {
            error = where + ": the grid has no ink";
            return false;
        }
        const int width = last - first + 1;
        if (int(grid.rows.size()) > g.bottom - g.top) {
            error = where + ": " + std::to_string(grid.rows.size()) + " rows, the rectangle has " +
                    std::to_string(g.bottom - g.top);
            return false;
        }
        int own0, own1;
        OwnColumns(g, own0, own1);
        if (width > own1 - own0) {
            error = where + ": " + std::to_string(width) + " columns wide, only " + std::to_string(own1 - own0) +
                    " are its own";
            return false;
        }

        const int x0 = own0 + LeftSlack(own1 - own0 - width);
        std::vector<std::pair<int, int>> glyphInk;
        for (size_t y = 0; y < grid.rows.size(); ++y)
            for (int x = first; x <= last && x < int(grid.rows[y].size()); ++x)
                if (grid.rows[y][size_t(x)] == '#') glyphInk.emplace_back(x0 + x - first, g.top + int(y));

        // The shadow stays in the glyph's own columns and rows; a narrow glyph loses the part that does not fit.
        for (auto [x, y] : glyphInk) {
            for (auto [dx, dy] : kShadowOffsets) {
                const int sx = x + dx, sy = y + dy;
                if (sx >= own0 && sx < own1 && sy >= g.top && sy < g.bottom) darkPixels.emplace_back(sx, sy);
            }
        }
        inkPixels.insert(inkPixels.end(), glyphInk.begin(), glyphInk.end());
    }

    // Shadows first, then ink, so the shadow of one pixel never covers the ink of the next.
    for (auto [x, y] : darkPixels) picture.at(x, y) = kShadow;
    for (auto [x, y] : inkPixels) picture.at(x, y) = ink;
    return true;
}

}  // namespace vz::picbuild
