#include "display/window_mode.h"

#include <cstdio>

#include "compositor/scaled_window.h"
#include "display/window_scale.h"

namespace {

// SDL's own toggle keeps the display surface, so every screen that holds it goes on drawing;
// drivers that cannot toggle in place (most but X11) refuse, and nothing changes.
bool toggle_in_place() {
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (screen == nullptr || SDL_WM_ToggleFullScreen(screen) == 0) {
        std::printf("couldn't switch between window and full screen: %s\n", SDL_GetError());
        std::fflush(stdout);
        return false;
    }
    return true;
}

}  // namespace

Uint32 window_flags(const ConfigStore& prefs) {
    Uint32 flags = SDL_HWSURFACE | SDL_DOUBLEBUF;
    if (FULL_SCREEN && prefs.find_bool("fullscreen", false)) {
        flags |= SDL_FULLSCREEN;
    }
    return flags;
}

// A scaled window goes full screen at its own scale, so it is opened again rather than
// toggled in place; the screens' picture survives that.
static bool reopen_toggled(ConfigStore& prefs) {
    SDL_Surface* screen = SDL_GetVideoSurface();
    bool full = screen != nullptr && (screen->flags & SDL_FULLSCREEN) != 0;
    Uint32 flags = (window_flags(prefs) & ~SDL_FULLSCREEN) | (full ? 0 : SDL_FULLSCREEN);
    if (open_display(prefs, flags) == nullptr) {
        std::printf("couldn't switch between window and full screen: %s\n", SDL_GetError());
        std::fflush(stdout);
        open_display(prefs, flags ^ SDL_FULLSCREEN);
        return false;
    }
    return true;
}

// Whether the other mode shows the picture at the scale it has now: then SDL's own toggle,
// which keeps the window (and centres the picture in full screen), is enough.
static bool same_scale_after_toggle(const ConfigStore& prefs) {
    int asked = window_scale_setting(prefs);
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (asked == 0 || screen == nullptr) {
        return true;
    }
    bool to_full = (screen->flags & SDL_FULLSCREEN) == 0;
    int scale = to_full ? full_screen_scale(prefs.find_int("window_w", 0),
                                            prefs.find_int("window_h", 0), asked)
                        : asked;
    return scale == window_scale_now().scale && window_scale_now().x == 0 &&
           window_scale_now().y == 0;
}

bool toggle_fullscreen(ConfigStore& prefs, const char* prefs_file) {
    // A page cannot take the screen outside the browser's own handling of a click or key:
    // there, full screen is the browser's (its key, or the page's button).
    if (!FULL_SCREEN) {
        return false;
    }
    if (same_scale_after_toggle(prefs) ? !toggle_in_place() : !reopen_toggled(prefs)) {
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
