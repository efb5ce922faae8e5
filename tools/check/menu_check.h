// Checks of a menu file and the images and fonts it names.
#pragma once

#include "tools/check/checked_file.h"
#include "tools/check/prefs_check.h"

// The main menu with the best games switched on must also offer "scores"; the scores and the
// modes menus must offer "back" (the modes menu each mode, a warning); the name-entry and
// summary menus take no clicks.
enum class MenuRole {
    main_menu,
    prefs_menu,
    main_menu_with_scores,
    scores_menu,
    name_menu,
    modes_menu,
    summary_menu,
    replays_menu
};

// Checks menu (loaded): its own problems as the game's reading finds them, then that the
// background, images and fonts load, texts render and fit their buttons' rectangles, buttons lie
// inside the window (when known) and the menu offers the words its role needs ("play", "prefs"
// and "quit" in the main menu, "back" and each action of the game in the preferences menu).
// substitutions fills %key% texts (look-ups may add empty keys, as the game's do) or is null.
// A background not the window's size is a warning, recorded in backgrounds. Needs SDL_ttf.
void check_menu(const CheckedFile& menu, MenuRole role, WindowSize window,
                ConfigStore* substitutions, Backgrounds& backgrounds, Report& report);
