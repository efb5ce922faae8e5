// Window or full screen: the mode the window opens in and the switch between the two. The
// choice is kept in prefs.txt as "fullscreen: true" or "fullscreen: false".
#pragma once

#include <SDL.h>

#include "config/config_store.h"

// The video mode flags for the window: SDL_HWSURFACE | SDL_DOUBLEBUF, with SDL_FULLSCREEN when
// prefs holds "fullscreen: true" (never when built without FULL_SCREEN). Adds no key to prefs.
Uint32 window_flags(const ConfigStore& prefs);

// Switches the open window between window and full screen; a window with a "window_scale" is
// opened again in the other mode (see open_display). On success stores the new mode in
// prefs as "fullscreen" and saves prefs to prefs_file ("couldn't save preferences to: %s" when
// that fails; the mode stays switched) and returns true. When SDL cannot switch, prints
// "couldn't switch between window and full screen: <SDL's reason>", leaves the window and
// prefs as they were and returns false.
// Built without FULL_SCREEN, does nothing and returns false.
bool toggle_fullscreen(ConfigStore& prefs, const char* prefs_file);
