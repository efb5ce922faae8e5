// libpng reports failures by longjmp to the setjmp point below, so no C++ object with a
// destructor may live in write_rows.
#include "tools/png_file.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

// Whether every pixel of rgba is fully opaque.
bool opaque(int width, int height, const unsigned char* rgba) {
    size_t bytes = static_cast<size_t>(width) * height * 4;
    for (size_t k = 3; k < bytes; k += 4) {
        if (rgba[k] != 255) {
            return false;
        }
    }
    return true;
}

// An opaque picture is written without its alpha channel: the game then decodes a quarter
// fewer bytes and converts it to the screen's format with a plain copy instead of an alpha
// conversion, about three times faster for a whole-window background, with the same pixels.
bool write_rows(FILE* file, int width, int height, unsigned char** rows, bool with_alpha) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, with_alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    if (!with_alpha) {
        // The rows stay RGBA in memory; libpng drops the fourth byte as it writes.
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    }
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool write_png(const std::string& path, int width, int height, const unsigned char* rgba,
               std::string& error) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot open " + path + " for writing";
        return false;
    }
    std::vector<unsigned char*> rows(height);
    for (int y = 0; y < height; ++y) {
        rows[y] = const_cast<unsigned char*>(rgba) + static_cast<size_t>(y) * width * 4;
    }
    bool written = write_rows(file, width, height, rows.data(), !opaque(width, height, rgba));
    bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::remove(path.c_str());
        error = "cannot write " + path;
        return false;
    }
    return true;
}
