// Checks of "prefs.txt": its keys and numbers, the key bindings, the game's images and the
// layout of the game screen.
#pragma once

#include <set>
#include <string>

#include "tools/check/checked_file.h"
#include "tools/check/report.h"

// The window size, when "prefs.txt" gives a usable one; menus are checked against it.
struct WindowSize {
    bool known = false;
    int w = 0;
    int h = 0;
};

// The keys of "prefs.txt" each action of the game is bound by, in the order the game tries
// them when a key is pressed.
extern const char* const action_keys[7];

// Checks prefs (loaded) and the game images it names: keys present, whole numbers where the
// game reads numbers, sizes above 0, bindings that are names of keys (key_names: see
// sdl_key_names) and not shared (a warning), key repeat, images that load (a window icon that
// does not is a warning), the blocks image holding seven tiles, digit images ten glyphs tall,
// and the board, the boxes and the paused and game-over images inside the window. The pieces file and the menu files are checked
// elsewhere. Returns the window size.
WindowSize check_prefs(const CheckedFile& prefs, const std::set<std::string>& key_names,
                       Report& report);
