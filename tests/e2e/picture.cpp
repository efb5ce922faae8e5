#include "tests/e2e/picture.h"

#include <SDL_image.h>

#include <cstdio>

namespace {

Uint32 raw_pixel(SDL_Surface* surface, int x, int y) {
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    const Uint8* p = row + x * surface->format->BytesPerPixel;
    switch (surface->format->BytesPerPixel) {
        case 1:
            return *p;
        case 2:
            return *reinterpret_cast<const Uint16*>(p);
        case 3:
            return SDL_BYTEORDER == SDL_BIG_ENDIAN ? (p[0] << 16 | p[1] << 8 | p[2])
                                                   : (p[0] | p[1] << 8 | p[2] << 16);
        default:
            return *reinterpret_cast<const Uint32*>(p);
    }
}

}  // namespace

Picture picture_of(SDL_Surface* surface) {
    Picture picture;
    picture.w = surface->w;
    picture.h = surface->h;
    picture.pixels.resize(static_cast<size_t>(surface->w) * surface->h);
    bool keyed = (surface->flags & SDL_SRCCOLORKEY) != 0;
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
        for (int x = 0; x < surface->w; ++x) {
            Uint32 raw = raw_pixel(surface, x, y);
            Uint8 r, g, b, a;
            SDL_GetRGBA(raw, surface->format, &r, &g, &b, &a);
            if (keyed && raw == surface->format->colorkey) {
                a = 0;
            }
            picture.pixels[static_cast<size_t>(y) * surface->w + x] =
                Uint32(a) << 24 | Uint32(r) << 16 | Uint32(g) << 8 | b;
        }
    }
    SDL_UnlockSurface(surface);
    return picture;
}

Picture load_picture(const std::string& path) {
    SDL_Surface* surface = IMG_Load(path.c_str());
    if (surface == nullptr) {
        return Picture();
    }
    Picture picture = picture_of(surface);
    SDL_FreeSurface(surface);
    return picture;
}

bool save_png(const Picture& picture, const std::string& path) {
    std::string command = "convert ppm:- 'png:" + path + "'";
    FILE* pipe = popen(command.c_str(), "w");
    if (pipe == nullptr) {
        return false;
    }
    std::fprintf(pipe, "P6\n%d %d\n255\n", picture.w, picture.h);
    for (Uint32 pixel : picture.pixels) {
        std::fputc(static_cast<int>((pixel >> 16) & 0xFF), pipe);
        std::fputc(static_cast<int>((pixel >> 8) & 0xFF), pipe);
        std::fputc(static_cast<int>(pixel & 0xFF), pipe);
    }
    return pclose(pipe) == 0;
}
