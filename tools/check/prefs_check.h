// Checks of "prefs.txt": its keys and numbers, the key bindings, the game's images and the
// layout of the game screen.
#pragma once

#include <set>
#include <string>

#include "tools/check/checked_file.h"
#include "config/problems.h"

// The window size, when "prefs.txt" gives a usable one; menus are checked against it.
struct WindowSize {
    bool known = false;
    int w = 0;
    int h = 0;
};

// The background pictures checked so far (the game's and each menu's), to tell a window that
// none of them covers.
struct Backgrounds {
    int count = 0;
    bool one_covers_the_window = false;
    int largest_w = 0;  // the largest by area, for the message
    int largest_h = 0;
};

// An area of a screen, reported at x_key for a fault across and at y_key for one along.
struct Area {
    const char* what;
    const char* x_key;
    const char* y_key;
    long long x;
    long long y;
    long long w;
    long long h;
};

// An error at key when its value is empty or no key name SDL gives (key_names: see
// sdl_key_names), suggesting the nearest name.
void check_binding(const CheckedFile& file, const char* key, const std::set<std::string>& key_names,
                   Report& report);

// An error at each key where the area leaves the window.
void check_inside(const CheckedFile& file, const Area& area, WindowSize window, Report& report);

// Warns at key of file when a background of w by h pixels is not the window's size (when
// known): a smaller one leaves old pictures where it does not reach, a larger one is cut.
// Records it in backgrounds.
void check_background_size(const CheckedFile& file, const std::string& key, int w, int h,
                           WindowSize window, Backgrounds& backgrounds, Report& report);

// Warns at "window_w" of prefs when the window is known and no background covers it.
void check_window_covered(const CheckedFile& prefs, WindowSize window,
                          const Backgrounds& backgrounds, Report& report);

// Checks prefs (loaded) and the game images it names: keys present, whole numbers where the
// game reads numbers, sizes above 0, bindings that are names of keys (key_names: see
// sdl_key_names) and not shared (a warning), key repeat, images that load (a window icon that
// does not is a warning), the blocks image holding seven tiles, digit images ten glyphs tall,
// and the board, the boxes and the paused and game-over images inside the window. The pieces
// file and the menu files are checked elsewhere. The game's background is recorded in
// backgrounds. Returns the window size.
WindowSize check_prefs(const CheckedFile& prefs, const std::set<std::string>& key_names,
                       Backgrounds& backgrounds, Report& report);
