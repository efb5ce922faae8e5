// Checks of a menu file and the images and fonts it names.
#pragma once

#include "config/config_store.h"
#include "tools/check/checked_file.h"
#include "tools/check/prefs_check.h"
#include "tools/check/report.h"

// The main menu with the best games switched on must also offer "scores"; the scores menu
// must offer "back"; the name-entry menu takes no clicks.
enum class MenuRole { main_menu, prefs_menu, main_menu_with_scores, scores_menu, name_menu };

// Checks menu (loaded): the background and every image load, counts are whole numbers and no
// key lies outside its group's count, fonts load at their size, every text names a loaded
// font and has a six-digit colour, every name a button shows is defined, rectangles have four
// whole-number fields, buttons lie inside the window (when known), the main menu offers "play",
// "prefs" and "quit", and the preferences menu offers "back" and (warnings) a button for each
// action of the game. substitutions is what the game fills %key% texts from (the preferences
// for the preferences menu) or null; look-ups may add empty keys to it, as the game's do.
// Buttons are placed as the game places them ("_align" within "_rect"); an unknown alignment is
// an error, a text wider than its button's rectangle a warning, and a background that is not
// the window's size a warning (recorded in backgrounds). SDL_ttf must be initialised.
void check_menu(const CheckedFile& menu, MenuRole role, WindowSize window,
                ConfigStore* substitutions, Backgrounds& backgrounds, Report& report);
