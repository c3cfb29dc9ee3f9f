// Desktop icons: an SVG drawn square at one size into a PNG, keeping its full colour and transparency.
#include "picbuild.h"

#include <cairo.h>

#include "svg.h"

namespace vz::picbuild {

bool RenderSvgIcon(const std::string& svgPath, int size, const std::string& pngPath, std::string& error) {
    if (size <= 0 || size > 1024) {
        error = "an icon is between 1 and 1024 pixels square";
        return false;
    }
    RsvgHandle* handle = OpenSvg(svgPath, error);
    if (!handle) return false;
    GError* gerror = nullptr;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    // The document is fitted into the square whatever its own size, as a desktop shows an icon.
    const RsvgRectangle viewport{0, 0, double(size), double(size)};
    bool ok = rsvg_handle_render_document(handle, cr, &viewport, &gerror);
    cairo_destroy(cr);
    if (!ok) {
        error = TakeError(gerror, "cannot render the SVG");
    } else {
        const cairo_status_t status = cairo_surface_write_to_png(surface, pngPath.c_str());
        ok = status == CAIRO_STATUS_SUCCESS;
        if (!ok) error = std::string("cannot write ") + pngPath + ": " + cairo_status_to_string(status);
    }
    cairo_surface_destroy(surface);
    g_object_unref(handle);
    return ok;
}

}  // namespace vz::picbuild
