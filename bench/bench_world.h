// The world every benchmark runs in: a private copy of the run folder with the shipped data,
// a 32-bit window of the shipped size under SDL's dummy video driver (unless another driver
// is asked for), the preferences, the main menu and the one Game, as the program builds them.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "config/config_store.h"
#include "game/game.h"
#include "menu/menu.h"

class BenchWorld {
public:
    std::string folder;             // the private copy of the run folder; the working directory
    ConfigStore prefs;              // the shipped "prefs.txt"
    SDL_Surface* screen = nullptr;  // the display surface, SDL's
    std::unique_ptr<Menu> main_menu;
    std::unique_ptr<Game> game;

    // Copies run_dir to a fresh temporary folder, puts the shipped prefs_file over the copy's
    // "prefs.txt" (a player's own bindings there must not change what is measured), makes the
    // copy the working directory, starts SDL's video (the dummy driver unless SDL_VIDEODRIVER
    // names another), opens a 32-bit software window of "window_w" by "window_h" and builds
    // the main menu and the game. Returns false, after printing why, when any step fails; a
    // missing image or menu file ends the program with the game's own message.
    bool open(const std::string& run_dir, const std::string& prefs_file);

    // Destroys the game and the menu, shuts SDL down and deletes the copied folder. The run
    // folder itself is never written to.
    ~BenchWorld();

    // A key-down event for the key bound to the preferences key binding_key ("move_left_key").
    // The event's key symbol is SDLK_UNKNOWN when no SDL key has the bound name.
    SDL_Event key_event(const char* binding_key);

private:
    std::string previous_folder;
};

// A copy of the display surface's pixels, to find out which pixels an operation changed.
struct ScreenShot {
    std::string pixels;

    explicit ScreenShot(SDL_Surface* screen);
    // The number of pixels of screen that differ from this shot (same size and format).
    long long changed_pixels(SDL_Surface* screen) const;
};
