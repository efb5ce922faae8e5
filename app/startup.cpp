#include "app/startup.h"

#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>

namespace {

const char* const prefs_file = "prefs.txt";

}  // namespace

void set_window_icon(ConfigStore& prefs) {
    // Looked up without get_string, which would add an empty "window_icon" to an older file.
    auto entry = prefs.values.find("window_icon");
    if (entry == prefs.values.end() || entry->second.empty()) {
        return;
    }
    const std::string& path = entry->second;
    SDL_Surface* icon = IMG_Load(path.c_str());
    if (icon == nullptr) {
        // Only the desktop's picture of the window is missing: the game plays without it.
        std::printf("couldn't load the window icon \"%s\" (window_icon): %s\n", path.c_str(),
                    IMG_GetError());
        return;
    }
    // The window system keeps its own copy, taken here; the mask comes from the alpha channel.
    SDL_WM_SetIcon(icon, nullptr);
    SDL_FreeSurface(icon);
}

SDL_Surface* open_window(ConfigStore& prefs) {
    set_window_icon(prefs);
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
