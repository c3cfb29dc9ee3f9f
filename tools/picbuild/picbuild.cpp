// Pixel rules, the manifest, SBF files, SVG rendering and the PNG preview.
#include "picbuild.h"
#include "svg.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vz::picbuild {

uint16_t Rgb565(uint8_t r, uint8_t g, uint8_t b) {
    const unsigned r5 = (r * 31u + 127u) / 255u;
    const unsigned g6 = (g * 63u + 127u) / 255u;
    const unsigned b5 = (b * 31u + 127u) / 255u;
    return uint16_t((r5 << 11) | (g6 << 5) | b5);
}

namespace {

uint8_t Unpremultiply(uint8_t c, uint8_t a) {
    if (a == 0) return 0;
    return uint8_t(std::min(255u, (c * 255u + a / 2u) / a));
}

}  // namespace

uint16_t ColourPixel(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
    if (a < 128) return kKeyColour;
    const uint16_t c = Rgb565(Unpremultiply(r, a), Unpremultiply(g, a), Unpremultiply(b, a));
    return c == kKeyColour ? kKeyNudged : c;
}

uint16_t MaskPixel(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
    if (a < 128) return kWalkable;
    // Rec. 601 luminance of the plain colour, compared with one half (127.5 of 255) in thousandths.
    const unsigned lum = 299u * Unpremultiply(r, a) + 587u * Unpremultiply(g, a) + 114u * Unpremultiply(b, a);
    return lum < 127500u ? kBlocked : kWalkable;
}

bool ParseManifest(const std::string& text, std::vector<ManifestEntry>& entries, std::string& error) {
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream fields(line);
        ManifestEntry e;
        std::string kind, extra;
        if (!(fields >> e.path)) continue;  // blank or comment
        if (!(fields >> e.width >> e.height >> kind) || (fields >> extra)) {
            error = "manifest line " + std::to_string(number) + ": expected 'path width height kind'";
            return false;
        }
        if (e.width <= 0 || e.height <= 0 || e.width > 8192 || e.height > 8192) {
            error = "manifest line " + std::to_string(number) + ": bad size";
            return false;
        }
        if (e.path.size() < 5 || e.path.compare(e.path.size() - 4, 4, ".sbf") != 0 || e.path[0] == '/' ||
            e.path.find("..") != std::string::npos) {
            error = "manifest line " + std::to_string(number) + ": path must be relative and end in .sbf";
            return false;
        }
        if (kind == "svg") e.kind = Kind::Svg;
        else if (kind == "mask") e.kind = Kind::Mask;
        else if (kind == "font0") e.kind = Kind::Font0;
        else if (kind == "font1") e.kind = Kind::Font1;
        else {
            error = "manifest line " + std::to_string(number) + ": unknown kind '" + kind + "'";
            return false;
        }
        e.line = number;
        entries.push_back(e);
    }
    return true;
}

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

uint32_t GetU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

std::vector<uint8_t> EncodeSbf(const Picture& picture) {
    std::vector<uint8_t> out;
    out.reserve(12 + picture.pixels.size() * 2);
    PutU32(out, 0);
    PutU32(out, uint32_t(picture.width));
    PutU32(out, uint32_t(picture.height));
    for (uint16_t p : picture.pixels) {
        out.push_back(uint8_t(p & 0xFF));
        out.push_back(uint8_t(p >> 8));
    }
    return out;
}

bool DecodeSbf(const std::vector<uint8_t>& bytes, Picture& picture, std::string& error) {
    if (bytes.size() < 12) {
        error = "too short for an SBF header";
        return false;
    }
    const uint32_t w = GetU32(&bytes[4]), h = GetU32(&bytes[8]);
    if (w == 0 || h == 0 || w > 8192 || h > 8192 || bytes.size() != 12 + size_t(w) * h * 2) {
        error = "size in the header does not match the file";
        return false;
    }
    picture = Picture(int(w), int(h), 0);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        picture.pixels[i] = uint16_t(bytes[12 + 2 * i] | bytes[13 + 2 * i] << 8);
    }
    return true;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::error_code ec;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    return bool(out);
}

Picture ConvertArgb(const uint8_t* data, int stride, int width, int height, Kind kind) {
    if (kind != Kind::Mask) return ConvertColourArgb(data, stride, width, height);
    // A walk mask is only ever black or white: each pixel alone, nothing dithered.
    Picture picture(width, height, 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = data + size_t(y) * size_t(stride);
        for (int x = 0; x < width; ++x) {
            uint32_t px;
            std::memcpy(&px, row + 4 * x, 4);
            picture.at(x, y) = MaskPixel(uint8_t(px >> 24), uint8_t(px >> 16), uint8_t(px >> 8), uint8_t(px));
        }
    }
    return picture;
}

std::string TakeError(GError*& gerror, const char* fallback) {
    std::string text = gerror ? gerror->message : fallback;
    if (gerror) g_error_free(gerror);
    gerror = nullptr;
    return text;
}

RsvgHandle* OpenSvg(const std::string& path, std::string& error) {
    GError* gerror = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(path.c_str(), &gerror);
    if (!handle) error = TakeError(gerror, "cannot read the SVG");
    return handle;
}

bool RenderSvg(const std::string& svgPath, int width, int height, Kind kind, Picture& picture,
               std::string& warning, std::string& error) {
    RsvgHandle* handle = OpenSvg(svgPath, error);
    if (!handle) return false;
    GError* gerror = nullptr;
    double svgW = 0, svgH = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &svgW, &svgH) || svgW <= 0 || svgH <= 0) {
        svgW = width;  // no absolute size: let the viewBox fill the picture
        svgH = height;
    } else if (std::fabs(svgW - width) > 0.01 || std::fabs(svgH - height) > 0.01) {
        std::ostringstream note;
        note << "drawn at " << svgW << " x " << svgH << ", scaled to " << width << " x " << height;
        warning = note.str();
    }

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, width / svgW, height / svgH);
    const RsvgRectangle viewport{0, 0, svgW, svgH};
    const bool ok = rsvg_handle_render_document(handle, cr, &viewport, &gerror);
    cairo_destroy(cr);
    if (ok) {
        cairo_surface_flush(surface);
        picture = ConvertArgb(cairo_image_surface_get_data(surface), cairo_image_surface_get_stride(surface),
                              width, height, kind);
    } else {
        error = TakeError(gerror, "cannot render the SVG");
    }
    cairo_surface_destroy(surface);
    g_object_unref(handle);
    return ok;
}

bool WritePng(const Picture& picture, const std::string& pngPath, std::string& error) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
    cairo_surface_flush(surface);
    uint8_t* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const uint16_t p = picture.at(x, y);
            // Widen 5/6 bits to 8 by repeating the top bits, so 0xF81F shows as full magenta.
            const uint32_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
            const uint32_t rgb = ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
            std::memcpy(data + size_t(y) * size_t(stride) + 4 * size_t(x), &rgb, 4);
        }
    }
    cairo_surface_mark_dirty(surface);
    const cairo_status_t status = cairo_surface_write_to_png(surface, pngPath.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        error = cairo_status_to_string(status);
        return false;
    }
    return true;
}

}  // namespace vz::picbuild
