// Writing pictures as PNG files with an alpha channel, through libpng.
#pragma once

#include <string>

// Writes `rgba` (width * height * 4 bytes, rows from the top, bytes R, G, B, A) as an 8-bit
// RGBA PNG, or as an 8-bit RGB PNG when every pixel is fully opaque. Returns false, with `error`
// saying why, when the file cannot be written; a half-written file is removed.
bool write_png(const std::string& path, int width, int height, const unsigned char* rgba,
               std::string& error);
