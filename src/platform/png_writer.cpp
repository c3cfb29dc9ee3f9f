// Screenshots: RGB565 frames written as 8-bit RGB PNG files through libpng.
#include <png.h>

#include <cstdio>
#include <vector>

#include "platform/png_writer.h"

namespace vz {

bool WritePng(const Surface& frame, const std::string& path) {
    if (frame.Empty()) return false;
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp) return false;
    const bool written = WritePng(frame, fp);
    return std::fclose(fp) == 0 && written;
}

bool WritePng(const Surface& frame, std::FILE* fp) {
    if (frame.Empty()) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    std::vector<png_byte> row(static_cast<size_t>(frame.width) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, fp);
    png_set_IHDR(png, info, frame.width, frame.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            uint16_t p = frame.At(x, y);
            int r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
            row[3 * x] = static_cast<png_byte>((r * 255 + 15) / 31);
            row[3 * x + 1] = static_cast<png_byte>((g * 255 + 31) / 63);
            row[3 * x + 2] = static_cast<png_byte>((b * 255 + 15) / 31);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fflush(fp) == 0 && !std::ferror(fp);
}

}  // namespace vz
