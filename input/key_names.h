// The key names the game can match: every name SDL_GetKeyName gives a key symbol.
#pragma once

#include <set>
#include <string>
#include <vector>

// Every name SDL_GetKeyName produces for the symbols SDLK_FIRST..SDLK_LAST, without SDL's
// "unknown key". SDL fills its name table when its video part starts, so SDL_Init with
// SDL_INIT_VIDEO must have succeeded (the dummy driver serves); otherwise the set is empty.
std::set<std::string> sdl_key_names();
// The same names in the order of their key codes.
std::vector<std::string> key_names_by_code();

// The name in names nearest to text: fewest letters to add, drop or change, letter case aside,
// or one that holds text as a word ("ctrl" in "left ctrl"). "" when none is near enough to be
// what was meant.
std::string nearest_key_name(const std::string& text, const std::set<std::string>& names);

// What the key of a name is, for a list of names: "keypad 5" for "[5]", "function key" for
// "f5", "the key that types ;" for ";". "" when the name says it itself ("left shift").
std::string key_description(const std::string& name);
