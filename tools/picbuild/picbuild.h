// The picture builder: turns the editable art sources into the SBF pictures the game reads.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vz::picbuild {

inline constexpr uint16_t kKeyColour = 0xF81F;  // transparent pixels
inline constexpr uint16_t kKeyNudged = 0xF81E;  // an opaque pixel that would read as the key
inline constexpr uint16_t kBlocked = 0x0000;    // walk mask: not ground
inline constexpr uint16_t kWalkable = 0xFFFF;   // walk mask: ground

// A 16-bit picture, rows from the top, each row left to right.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels;

    Picture() = default;
    Picture(int w, int h, uint16_t fill) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}
    uint16_t& at(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    uint16_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// Plain (not premultiplied) colour to RGB565, each channel rounded to the nearest step.
uint16_t Rgb565(uint8_t r, uint8_t g, uint8_t b);

// One premultiplied ARGB pixel (as cairo stores it) to a picture pixel: mostly transparent -> key colour.
uint16_t ColourPixel(uint8_t a, uint8_t r, uint8_t g, uint8_t b);

// One premultiplied ARGB pixel to a walk-mask pixel: opaque and dark -> blocked, else walkable.
uint16_t MaskPixel(uint8_t a, uint8_t r, uint8_t g, uint8_t b);

enum class Kind { Svg, Mask, Font0, Font1 };

struct ManifestEntry {
    std::string path;  // below the output folder, ending in .sbf
    int width = 0;
    int height = 0;
    Kind kind = Kind::Svg;
    int line = 0;
};

// Parses the manifest text; false with a message naming the line on a malformed entry.
bool ParseManifest(const std::string& text, std::vector<ManifestEntry>& entries, std::string& error);

// The SBF bytes of a picture: a zero word, width, height (all 32-bit little-endian), then the pixels.
std::vector<uint8_t> EncodeSbf(const Picture& picture);
bool DecodeSbf(const std::vector<uint8_t>& bytes, Picture& picture, std::string& error);

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);  // creates missing folders

// Converts a cairo ARGB32 image (premultiplied, native-endian 32-bit words) to a picture.
Picture ConvertArgb(const uint8_t* data, int stride, int width, int height, Kind kind);

// The colour conversion of ConvertArgb: ColourPixel's rules for transparency and the key colour, each
// channel rounded to the nearest level, except that gradients are dithered (ordered, 8 x 8) so that
// they show no bands. An area of one colour stays one RGB565 value.
Picture ConvertColourArgb(const uint8_t* data, int stride, int width, int height);

// Renders an SVG file onto a width x height surface and converts it. The SVG is stretched to that
// size if its own size differs (a note goes to `warning`). False with `error` if it cannot be read.
bool RenderSvg(const std::string& svgPath, int width, int height, Kind kind, Picture& picture,
               std::string& warning, std::string& error);

// One glyph of the font source: pixel rows from the glyph's top row, '#' ink and '.' empty.
struct GlyphGrid {
    std::vector<std::string> rows;
    int line = 0;  // where its "glyph" line stands in the source
};

// Reads the font source (art/font/glyphs.txt): "glyph HH name" lines, each followed by its pixel rows.
bool ParseFontSource(const std::string& text, std::map<uint8_t, GlyphGrid>& grids, std::string& error);

// Draws a font atlas from the font source's text: every glyph of the table in its rectangle, in the ink
// colour (0xRRGGBB) with the dark outline and shadow. False with a message naming the glyph that does not fit.
bool BuildFontAtlas(const std::string& source, uint32_t ink, Picture& picture, std::string& error);

// Writes a picture as a PNG, showing the key colour as magenta.
bool WritePng(const Picture& picture, const std::string& pngPath, std::string& error);

// Draws an SVG as a size x size desktop icon into a PNG with its transparency.
bool RenderSvgIcon(const std::string& svgPath, int size, const std::string& pngPath, std::string& error);

}  // namespace vz::picbuild
