// The key names the game can match: every name SDL_GetKeyName gives a key symbol.
#pragma once

#include <set>
#include <string>

// Every name SDL_GetKeyName produces for the symbols SDLK_FIRST..SDLK_LAST, without SDL's
// "unknown key". SDL fills its name table when its video part starts, so SDL_Init with
// SDL_INIT_VIDEO must have succeeded (the dummy driver serves); otherwise the set is empty.
std::set<std::string> sdl_key_names();

// The name in names that equals text but for letter case ("Up" gives "up"), or "" if none.
std::string key_name_like(const std::string& text, const std::set<std::string>& names);
