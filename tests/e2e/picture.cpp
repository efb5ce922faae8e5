#include "tests/e2e/picture.h"

#include <SDL_image.h>

#include <cstdio>

Picture picture_of(SDL_Surface* surface) {
    SDL_Surface* model =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    SDL_Surface* argb = SDL_ConvertSurface(surface, model->format, SDL_SWSURFACE);
    SDL_FreeSurface(model);
    Picture picture;
    picture.w = argb->w;
    picture.h = argb->h;
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        const Uint32* row =
            reinterpret_cast<const Uint32*>(static_cast<Uint8*>(argb->pixels) + y * argb->pitch);
        picture.pixels.insert(picture.pixels.end(), row, row + argb->w);
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
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
    FILE* pipe = popen(("convert ppm:- 'png:" + path + "'").c_str(), "w");
    if (pipe == nullptr) {
        return false;
    }
    std::fprintf(pipe, "P6\n%d %d\n255\n", picture.w, picture.h);
    for (Uint32 pixel : picture.pixels) {
        std::fputc(int((pixel >> 16) & 0xFF), pipe);
        std::fputc(int((pixel >> 8) & 0xFF), pipe);
        std::fputc(int(pixel & 0xFF), pipe);
    }
    return pclose(pipe) == 0;
}
