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

// The pixels of surface, any format, with its own alpha.
Picture picture_of(SDL_Surface* surface);

// An image file as SDL_image reads it; empty when the file cannot be read.
Picture load_picture(const std::string& path);

// Saves picture as a PNG file (through ImageMagick's convert). False on failure.
bool save_png(const Picture& picture, const std::string& path);
