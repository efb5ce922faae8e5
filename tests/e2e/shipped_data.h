// What the shipped files say the player should see: the menu screens as the game's own Menu
// builds them from their files and the game screen's layout from "prefs.txt". Everything is
// read from the files in the game's working folder, so the tests follow the data when it
// changes.
#pragma once

#include <SDL.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/config_store.h"
#include "menu/menu.h"
#include "tests/e2e/picture.h"

struct Spot {
    int x = 0;
    int y = 0;
};

// One button of a menu, as the game's own Menu reads its file.
struct MenuButton {
    int number = 0;
    std::string word;             // its "_return" value; "" for a label
    SDL_Rect hit{0, 0, 0, 0};     // clicks strictly inside choose it
    SDL_Rect normal{0, 0, 0, 0};  // where its surface is drawn; empty when it shows nothing
    SDL_Rect hover{0, 0, 0, 0};   // where its hover surface is drawn; empty when it has none
};

struct ShippedMenu {
    std::shared_ptr<Menu> menu;  // built in the test process, to compose what it should show
    std::vector<MenuButton> buttons;

    // Builds the menu file file_name of folder with the game's own Menu, the texts' %key%
    // pairs taken from substitutions (may be null). Ends the test process, as the game ends,
    // when the file or its background cannot be loaded.
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
