// The beginning and the end of the program: SDL, the preferences, the window.
#pragma once

#include <SDL.h>

#include <vector>

#include "config/config_store.h"
#include "skins/skin.h"

// The whole program, as main runs it: starts SDL's video (SDL_Quit runs at exit), loads
// "prefs.txt" from the working directory, opens the window and runs the screens until the
// player quits. Returns 0 then, and 1 (with a message saying why) when SDL cannot start, has
// only a driver that shows nothing (see fallback_driver_refused), "prefs.txt" cannot be read or
// the window cannot be made.
// "--watch" among the arguments switches live reload on for the run (see watching); other
// arguments are ignored.
int run_program(int argc = 0, char** argv = nullptr);

// Gives the window the picture named by "window_icon" (an image file with an alpha channel),
// for the desktop's task bar and window list. Must run before the window opens. Without the
// key, or with an empty value, the window keeps SDL's default; a file that cannot be loaded
// prints one message and the window goes without.
void set_window_icon(ConfigStore& prefs);

// When prefs holds a pad binding (a key ending in "_pad"), starts SDL's joystick part and opens
// every pad present, appending it to pads (the caller closes them); otherwise does nothing. A
// joystick part that cannot start prints "couldn't start the pads: <reason>"; the game goes on
// with the keyboard.
void open_pads(ConfigStore& prefs, std::vector<SDL_Joystick*>& pads);

// Whether the player named SDL's video driver in SDL_VIDEODRIVER.
bool video_driver_asked();

// Before SDL starts: unless the player named a video driver, tells libcaca to draw nowhere, so
// that SDL's fallback to it leaves the terminal alone until fallback_driver_refused refuses it.
void keep_text_mode_quiet();

// With SDL's video started: true, with "no graphical display: ..." printed, when SDL chose on
// its own a driver that shows no window: a text-mode one (aalib, caca) or the off-screen one;
// false when it has a real display or the player named the driver in SDL_VIDEODRIVER.
bool fallback_driver_refused();

// Opens the window at the size "window_w" by "window_h" of prefs and sets its captions. A size
// not above 0 either way prints "couldn't make a window: its size, ..." and makes none.
// Full screen when prefs holds "fullscreen: true"; if that mode cannot be made, "couldn't go
// full screen: <reason>" is printed and a window is opened instead.
// Returns the display surface, or null (with the message printed) when it cannot be made.
SDL_Surface* open_window(ConfigStore& prefs);

// The main menu loop: builds the main menu (the file named by "main_menu") and the Game, then
// runs the menu until the player quits: "play" plays a game (and resets the Game unless the
// window was closed), "prefs" opens the preferences screen, "quit" or a closed window ends the
// loop, any other word shows the menu again. When prefs names a "scores_file", "scores" shows
// the table of best games, and a game played to its end may enter it (see scores_screens.h). With
// no piece to deal, "play" prints why and shows the menu again. Missing menu or game files end the
// program (see Menu and Game). With worn, the preferences screen can put on another skin, and
// the main menu, the sounds and the game are then built again in the new look.
void run_screens(ConfigStore& prefs, WornSkin* worn = nullptr);
