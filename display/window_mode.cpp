#include "display/window_mode.h"

#include <cstdio>

Uint32 window_flags(const ConfigStore& prefs) {
    Uint32 flags = SDL_HWSURFACE | SDL_DOUBLEBUF;
    if (prefs.find_bool("fullscreen", false)) {
        flags |= SDL_FULLSCREEN;
    }
    return flags;
}

bool toggle_fullscreen(ConfigStore& prefs, const char* prefs_file) {
    // SDL's own toggle keeps the display surface, so every screen that holds it goes on
    // drawing; drivers that cannot toggle in place (most but X11) refuse, and nothing changes.
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (screen == nullptr || SDL_WM_ToggleFullScreen(screen) == 0) {
        std::printf("couldn't switch between window and full screen: %s\n", SDL_GetError());
        std::fflush(stdout);
        return false;
    }
    bool full = (SDL_GetVideoSurface()->flags & SDL_FULLSCREEN) != 0;
    prefs.set("fullscreen", full ? "true" : "false");
    if (!prefs.save(prefs_file)) {
        std::printf("couldn't save preferences to: %s\n", prefs_file);
        std::fflush(stdout);
    }
    return true;
}
