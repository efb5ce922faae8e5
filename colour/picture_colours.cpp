#include "colour/picture_colours.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstdio>

const SDL_Color* Pixels::at(int x, int y) const {
    return x < 0 || y < 0 || x >= w || y >= h ? nullptr : &rgba[static_cast<size_t>(y) * w + x];
}

bool read_pixels(const std::string& path, Pixels& pixels) {
    SDL_Surface* image = IMG_Load(path.c_str());
    if (image == nullptr) {
        return false;
    }
    pixels.w = image->w;
    pixels.h = image->h;
    pixels.rgba.resize(static_cast<size_t>(image->w) * image->h);
    SDL_LockSurface(image);
    int bytes = image->format->BytesPerPixel;
    for (int y = 0; y < image->h; y++) {
        for (int x = 0; x < image->w; x++) {
            const Uint8* p =
                static_cast<const Uint8*>(image->pixels) + y * image->pitch + x * bytes;
            Uint32 value = 0;
            for (int k = 0; k < bytes; k++) {
                value |= static_cast<Uint32>(p[k])
                         << (SDL_BYTEORDER == SDL_LIL_ENDIAN ? 8 * k : 8 * (bytes - 1 - k));
            }
            SDL_Color& c = pixels.rgba[static_cast<size_t>(y) * image->w + x];
            SDL_GetRGBA(value, image->format, &c.r, &c.g, &c.b, &c.unused);
        }
    }
    SDL_UnlockSurface(image);
    SDL_FreeSurface(image);
    return true;
}

Rgb rgb_of(const SDL_Color& c) {
    return Rgb{double(c.r), double(c.g), double(c.b)};
}

std::string hex_text(const Rgb& c) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", int(c.r + 0.5), int(c.g + 0.5),
                  int(c.b + 0.5));
    return text;
}

bool tile_colours(const std::string& image, int size, std::vector<Rgb>& tiles) {
    Pixels pixels;
    if (size <= 0 || !read_pixels(image, pixels)) {
        return false;
    }
    tiles.clear();
    // The median of each channel: the tile's face, whatever its outline, shading or symbol.
    for (int top = 0; top + size <= pixels.h; top += size) {
        std::vector<int> channels[3];
        for (int y = top; y < top + size; y++) {
            for (int x = 0; x < size && x < pixels.w; x++) {
                const SDL_Color* c = pixels.at(x, y);
                if (c->unused >= 128) {
                    channels[0].push_back(c->r);
                    channels[1].push_back(c->g);
                    channels[2].push_back(c->b);
                }
            }
        }
        double median[3] = {0, 0, 0};
        for (int k = 0; k < 3; k++) {
            std::vector<int>& values = channels[k];
            if (!values.empty()) {
                std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
                median[k] = values[values.size() / 2];
            }
        }
        tiles.push_back(Rgb{median[0], median[1], median[2]});
    }
    return true;
}

Rgb colour_behind(const Pixels& background, const std::vector<Placed>& plates, SDL_Rect area) {
    double r = 0, g = 0, b = 0;
    int count = 0;
    for (int y = area.y; y < area.y + area.h; y++) {
        for (int x = area.x; x < area.x + area.w; x++) {
            const SDL_Color* base = background.at(x, y);
            if (base == nullptr) {
                continue;
            }
            Rgb here = rgb_of(*base);
            for (const Placed& plate : plates) {
                const SDL_Color* over = plate.pixels->at(x - plate.x, y - plate.y);
                if (over != nullptr) {
                    double a = over->unused / 255.0;
                    here = Rgb{over->r * a + here.r * (1 - a), over->g * a + here.g * (1 - a),
                               over->b * a + here.b * (1 - a)};
                }
            }
            r += here.r;
            g += here.g;
            b += here.b;
            count++;
        }
    }
    if (count == 0) {
        return Rgb{0, 0, 0};
    }
    return Rgb{r / count, g / count, b / count};
}
