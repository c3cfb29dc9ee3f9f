// The builder's guard against drawings cut off by the rectangle of their picture.
#pragma once

#include "picbuild.h"

#include <string>

namespace vz::picbuild {

// Edges of a picture, as bits.
enum Edge : unsigned { kTopEdge = 1, kBottomEdge = 2, kLeftEdge = 4, kRightEdge = 8, kEveryEdge = 15 };

// The edges of a picture that hold at least one pixel other than the key colour.
unsigned OpaqueEdges(const Picture& picture);

// The edges on which the picture at this manifest path may be opaque by design (its feet on the
// ground, a full-screen panel, the sea), from the builder's list of exemptions; 0 for most pictures.
unsigned AllowedEdges(const std::string& path);

// False with a message naming each refused edge when the picture is opaque on an edge it may not touch.
bool CheckBorders(const std::string& path, const Picture& picture, std::string& error);

}  // namespace vz::picbuild
