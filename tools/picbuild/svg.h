// The librsvg calls both kinds of picture share: opening an SVG file, and the text of a failure.
#pragma once

#include <librsvg/rsvg.h>

#include <string>

namespace vz::picbuild {

// The message of a failed librsvg call (or `fallback` without one); frees the error.
std::string TakeError(GError*& gerror, const char* fallback);

// Opens an SVG file for drawing; null, with `error` set, when it cannot be read.
RsvgHandle* OpenSvg(const std::string& path, std::string& error);

}  // namespace vz::picbuild
