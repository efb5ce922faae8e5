#include "app/startup.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char* const prefs_file = "prefs.txt";

}  // namespace

SDL_Surface* open_window(ConfigStore& prefs) {
    int width = prefs.get_int("window_w");
    int height = prefs.get_int("window_h");
    SDL_Surface* screen = SDL_SetVideoMode(width, height, 0, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (screen == nullptr) {
        std::printf("couldn't make a window: %s\n", SDL_GetError());
        return nullptr;
    }
    SDL_WM_SetCaption("DERevarez", "Kelvra");
    return screen;
}

int run_program() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::printf("Unable to initialize SDL: %s\n", SDL_GetError());
        return 0;
    }
    std::atexit(SDL_Quit);

    ConfigStore prefs;
    if (prefs.load(prefs_file) != 0) {
        std::printf("couldn't load prefs file\n");
        return 1;
    }
    if (open_window(prefs) == nullptr) {
        return 0;
    }
    run_screens(prefs);
    return 0;
}
