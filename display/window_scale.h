// The window's scale: "window_scale" in prefs.txt opens a window that many times the layout's
// size ("window_w" by "window_h"). Without the key the window opens as it always did.
#pragma once

#include <SDL.h>

#include "config/config_store.h"

const int smallest_scale = 1;
const int largest_scale = 4;

// The scale prefs asks for: 0 when "window_scale" is missing or empty (no scaling at all),
// else its number clamped to 1..4, with one message naming the value used when it was out of
// range. Adds no key to prefs.
int window_scale_setting(const ConfigStore& prefs);

// Opens the window for prefs: the layout's size at the asked scale, in full screen when the
// mode flags say so (see open_scaled_window). Without a scale, SDL_SetVideoMode at the
// layout's size as before. Returns the display surface, or null.
SDL_Surface* open_display(const ConfigStore& prefs, Uint32 flags);

// Steps "window_scale" of prefs to the next scale (after 4, back to 1), opens the window again
// at that scale and shows the picture the screens drew. Prints "couldn't change the window's
// size: <SDL's reason>" and goes back to the old scale when the new one cannot be made.
// Returns the scale now in force.
int step_window_scale(ConfigStore& prefs);
