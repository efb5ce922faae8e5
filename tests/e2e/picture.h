// Pictures the end-to-end tests compare: screenshots read back from the X server, the shipped
// images and the menus composed in the test process.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

// Pixels as 0xAARRGGBB, row by row. Screenshots are opaque (alpha 255).
struct Picture {
    int w = 0;
    int h = 0;
    std::vector<Uint32> pixels;

    bool empty() const { return pixels.empty(); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    Uint32 at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
};

inline Uint32 alpha_of(Uint32 pixel) {
    return pixel >> 24;
}
inline Uint32 rgb_of(Uint32 pixel) {
    return pixel & 0xFFFFFF;
}

// Any image file SDL_image reads, with its own alpha (a colour key reads as alpha 0). Empty when
// the file cannot be read.
Picture load_picture(const std::string& path);

// The pixels of surface, any depth, with its alpha (a colour key reads as alpha 0).
Picture picture_of(SDL_Surface* surface);

// Saves picture as a PNG file (through ImageMagick's convert). False on failure.
bool save_png(const Picture& picture, const std::string& path);
