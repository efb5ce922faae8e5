// What the shipped files say the player should see: the menu screens as their menu files
// describe them and the game screen's layout from "prefs.txt". Everything is read from the
// files in the game's working folder, so the tests follow the data when it changes.
#pragma once

#include <SDL.h>

#include <map>
#include <string>
#include <vector>

#include "config/config_store.h"
#include "tests/e2e/picture.h"

struct Spot {
    int x = 0;
    int y = 0;
};

// One button of a menu file.
struct MenuButton {
    int number = 0;
    std::string word;  // its "_return" value; "" for a label
    int x = 0;         // where its surfaces are drawn
    int y = 0;
    SDL_Rect hit{0, 0, 0, 0};  // clicks strictly inside choose it
    Picture normal;            // what it shows; alpha 0 where the background shows through
    Picture hover;             // what it shows under the pointer; empty when it has none
};

struct ShippedMenu {
    Picture background;
    std::vector<MenuButton> buttons;

    // Reads the menu file file_name in folder like the game does, with the texts' %key% pairs
    // taken from substitutions (may be null). Images and texts it cannot load stay empty.
    ShippedMenu(const std::string& folder, const std::string& file_name,
                ConfigStore* substitutions);

    // The first button that answers word; null when there is none.
    const MenuButton* button(const std::string& word) const;

    // Whether (x, y) lies on some button's drawn surface or lit area (as far as the pointer
    // or a hover could change it).
    bool near_a_button(int x, int y) const;
};

// The game screen as "prefs.txt" lays it out.
struct GameLayout {
    int board_x = 0;
    int board_y = 0;
    int block = 0;  // "block_size"
    int columns = 0;
    int rows = 0;
    Picture background;
    Picture paused;
    Picture game_over;
    SDL_Rect level{0, 0, 0, 0};
    SDL_Rect points{0, 0, 0, 0};
    SDL_Rect lines{0, 0, 0, 0};
    SDL_Rect next_piece{0, 0, 0, 0};

    GameLayout(const std::string& folder, ConfigStore& prefs);

    // Where a picture of size w x h is centred on the board (the paused and game-over images).
    Spot centred_on_board(int w, int h) const;
    SDL_Rect cell(int column, int row) const;
};

// The X keysym of the key SDL names name (as "prefs.txt" binds keys): "left" is Left, "space"
// is space, "a" is a. "" when the name is not known here.
std::string x_keysym(const std::string& sdl_name);

// An SDL key name that has an X keysym and is bound to no action in prefs.
std::string unbound_key_name(ConfigStore& prefs);
