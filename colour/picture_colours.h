// The colours of pictures as a player sees them: a picture's pixels, the colour of each block
// tile, and the colour behind an area once the pictures over a background are composed.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "colour/colour_vision.h"

// An image's pixels, each as its red, green, blue and alpha bytes.
struct Pixels {
    int w = 0;
    int h = 0;
    std::vector<SDL_Color> rgba;  // unused field of SDL_Color holds the alpha

    // The pixel at (x, y), or null outside the picture.
    const SDL_Color* at(int x, int y) const;
};

// Reads the picture at path (any format SDL_image loads). False when it cannot be loaded.
bool read_pixels(const std::string& path, Pixels& pixels);

Rgb rgb_of(const SDL_Color& c);

// The colour as menu files write colours: six hexadecimal digits RRGGBB, each channel rounded.
std::string hex_text(const Rgb& c);

// The colour of each block tile of the blocks image (tiles of size pixels stacked from the
// top): the median of each channel over its opaque pixels. False when the image cannot be read
// or size is not above 0.
bool tile_colours(const std::string& image, int size, std::vector<Rgb>& tiles);

// A picture shown with its top left corner at (x, y).
struct Placed {
    const Pixels* pixels;
    int x;
    int y;
};

// The colour the eye takes in behind an area: the background under every plate (in order,
// each blended by its alpha), averaged over the area's pixels inside the background; black
// when none is.
Rgb colour_behind(const Pixels& background, const std::vector<Placed>& plates, SDL_Rect area);
