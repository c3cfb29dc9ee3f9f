// Refuses keyed pictures whose drawing runs into the edge of their rectangle, unless the edge is listed.
#include "border_check.h"

#include <string_view>

namespace vz::picbuild {

namespace {

// Every picture touches no edge of its rectangle, so the 2-pixel outline closes all around and nothing
// looks sliced off where the game draws it over a scene. These are the pictures, and the edges, where
// the drawing meets the rectangle on purpose. A path ending in '*' names every picture it begins.
struct BorderExemption {
    std::string_view path;
    unsigned edges;
};

constexpr BorderExemption kBorderExemptions[] = {
    // Full-screen pictures and panels are opaque rectangles, drawn unkeyed or as a whole strip.
    {"startscreen2.sbf", kEveryEdge},   // the title screen
    {"inventar_en.sbf", kEveryEdge},    // the inventory panel
    {"last.sbf", kEveryEdge},           // the closing picture
    {"reden.sbf", kEveryEdge},          // the choice panel fills the bottom of the screen
    {"icon.sbf", kEveryEdge},           // the window icon is a square tile, not drawn by the game
    {"locations/*", kEveryEdge},        // backgrounds (and their walk masks, which are not checked)
    // The hero stands on the ground: his soles are the bottom rows of every frame but the ending one.
    {"quarro/quarro1-v*", kBottomEdge},  // walking towards the viewer
    {"quarro/quarro1-h*", kBottomEdge},  // walking away
    {"quarro/quarro1-r*", kBottomEdge},  // walking, talking and bending, turned right
    {"quarro/quarro1-l*", kBottomEdge},  // the same turned left
    // The islanders stand on the ground; Kai's picture ends where the counter hides the rest of him.
    {"persons/kai*", kBottomEdge},
    {"persons/eingeborene1*", kBottomEdge},
    {"persons/jim*", kBottomEdge},
    // Scene objects that stand in the ground, or belong to the edge.
    {"objects/b.sbf", kBottomEdge},  // the wreck lies sunk in the sand
    {"objects/g.sbf", kTopEdge},     // the liane hangs from a branch above its picture
    {"objects/i.sbf", kBottomEdge},  // the spade stuck in its heap of sand
    {"objects/n.sbf", kBottomEdge},  // the slippery plant grows from the ground
    {"objects/v.sbf", kEveryEdge},   // the ocean is a piece of the sea that fills its rectangle
};

bool Matches(std::string_view pattern, std::string_view path) {
    if (!pattern.empty() && pattern.back() == '*') {
        pattern.remove_suffix(1);
        return path.substr(0, pattern.size()) == pattern;
    }
    return path == pattern;
}

int CountOpaque(const Picture& p, int x0, int y0, int dx, int dy, int n) {
    int count = 0;
    for (int i = 0; i < n; ++i) count += p.at(x0 + i * dx, y0 + i * dy) != kKeyColour;
    return count;
}

}  // namespace

unsigned OpaqueEdges(const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0) return 0;
    const int w = picture.width, h = picture.height;
    unsigned edges = 0;
    if (CountOpaque(picture, 0, 0, 1, 0, w)) edges |= kTopEdge;
    if (CountOpaque(picture, 0, h - 1, 1, 0, w)) edges |= kBottomEdge;
    if (CountOpaque(picture, 0, 0, 0, 1, h)) edges |= kLeftEdge;
    if (CountOpaque(picture, w - 1, 0, 0, 1, h)) edges |= kRightEdge;
    return edges;
}

unsigned AllowedEdges(const std::string& path) {
    unsigned edges = 0;
    for (const BorderExemption& e : kBorderExemptions) {
        if (Matches(e.path, path)) edges |= e.edges;
    }
    return edges;
}

bool CheckBorders(const std::string& path, const Picture& picture, std::string& error) {
    const unsigned refused = OpaqueEdges(picture) & ~AllowedEdges(path);
    if (!refused) return true;
    const int w = picture.width, h = picture.height;
    struct Side {
        Edge edge;
        const char* name;
        int x0, y0, dx, dy, n;
    };
    const Side sides[] = {{kTopEdge, "top", 0, 0, 1, 0, w},
                          {kBottomEdge, "bottom", 0, h - 1, 1, 0, w},
                          {kLeftEdge, "left", 0, 0, 0, 1, h},
                          {kRightEdge, "right", w - 1, 0, 0, 1, h}};
    std::string list;
    for (const Side& s : sides) {
        if (!(refused & s.edge)) continue;
        if (!list.empty()) list += ", ";
        list += std::to_string(CountOpaque(picture, s.x0, s.y0, s.dx, s.dy, s.n)) + " on the " + s.name + " edge";
    }
    error = "the drawing is cut off by its rectangle: opaque pixels, " + list +
            "; keep it inside with room for its outline, or list the edge among the border exemptions";
    return false;
}

}  // namespace vz::picbuild
