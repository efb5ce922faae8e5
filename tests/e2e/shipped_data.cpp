#include "tests/e2e/shipped_data.h"

#include <cstdlib>
#include <filesystem>

#include "menu/menu.h"

namespace {

Picture opaque(Picture picture) {
    for (Uint32& pixel : picture.pixels) {
        pixel |= 0xFF000000u;
    }
    return picture;
}

// The game's own Menu needs a window to convert its images to; a small one under SDL's dummy
// driver, opened once in the test process, does (its display format is the X server's: 32-bit
// pixels, 8 bits a colour).
void open_conversion_window() {
    if (SDL_GetVideoSurface() == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_Init(SDL_INIT_VIDEO);
        SDL_SetVideoMode(16, 16, 32, SDL_SWSURFACE);
    }
}

// The width and height of surface as an area at (x, y); empty for no surface.
SDL_Rect area(SDL_Surface* surface, int x, int y) {
    return surface == nullptr
               ? SDL_Rect{0, 0, 0, 0}
               : SDL_Rect{Sint16(x), Sint16(y), Uint16(surface->w), Uint16(surface->h)};
}

bool inside(int x, int y, const SDL_Rect& r) {
    return x >= r.x && y >= r.y && x <= r.x + r.w && y <= r.y + r.h;
}

}  // namespace

ShippedMenu::ShippedMenu(const std::string& folder, const std::string& file_name,
                         ConfigStore* substitutions) {
    open_conversion_window();
    std::string previous = std::filesystem::current_path().string();
    std::filesystem::current_path(folder);  // the menu names its files relative to it
    menu = std::make_shared<Menu>(file_name.c_str(), substitutions);
    std::filesystem::current_path(previous);
    for (size_t i = 1; i < menu->compositor.elements.size(); ++i) {
        const Element& shown = menu->compositor.elements[i];
        std::string prefix = "button" + int_to_text(int(i));
        auto hover = menu->surfaces.find(menu->config.get_string(prefix + "_surf_over"));
        MenuButton button;
        button.number = int(i);
        button.word = menu->config.get_string(prefix + "_return");
        button.hit = menu->button_rects[i - 1];
        button.normal = area(shown.surface, shown.x, shown.y);
        button.hover =
            area(hover == menu->surfaces.end() ? nullptr : hover->second, shown.x, shown.y);
        buttons.push_back(button);
    }
}

const MenuButton* ShippedMenu::button(const std::string& word) const {
    for (const MenuButton& candidate : buttons) {
        if (candidate.word == word) {
            return &candidate;
        }
    }
    return nullptr;
}

bool ShippedMenu::near_a_button(int x, int y) const {
    for (const MenuButton& b : buttons) {
        if (inside(x, y, b.hit) || inside(x, y, b.normal) || inside(x, y, b.hover)) {
            return true;
        }
    }
    return false;
}

GameLayout::GameLayout(const std::string& folder, ConfigStore& prefs) {
    board_x = prefs.get_int("board_x");
    board_y = prefs.get_int("board_y");
    block = prefs.get_int("block_size");
    columns = prefs.get_int("board_width");
    rows = prefs.get_int("board_height");
    background = opaque(load_picture(folder + "/" + prefs.get_string("background_img")));
    paused = load_picture(folder + "/" + prefs.get_string("paused_img"));
    game_over = load_picture(folder + "/" + prefs.get_string("game_over_img"));
    auto box = [&prefs](const std::string& name) {
        return SDL_Rect{Sint16(prefs.get_int(name + "_x")), Sint16(prefs.get_int(name + "_y")),
                        Uint16(prefs.get_int(name + "_w")), Uint16(prefs.get_int(name + "_h"))};
    };
    level = box("level");
    points = box("points");
    lines = box("lines");
    next_piece =
        SDL_Rect{Sint16(prefs.get_int("next_piece_x")), Sint16(prefs.get_int("next_piece_y")),
                 Uint16(4 * block), Uint16(4 * block)};
}

Spot GameLayout::centred_on_board(int w, int h) const {
    return Spot{board_x + columns * block / 2 - w / 2, board_y + rows * block / 2 - h / 2};
}

SDL_Rect GameLayout::cell(int column, int row) const {
    return SDL_Rect{Sint16(board_x + column * block), Sint16(board_y + row * block), Uint16(block),
                    Uint16(block)};
}

std::string x_keysym(const std::string& sdl_name) {
    static const std::map<std::string, std::string> named = {
        {"left", "Left"},
        {"right", "Right"},
        {"up", "Up"},
        {"down", "Down"},
        {"space", "space"},
        {"return", "Return"},
        {"escape", "Escape"},
        {"tab", "Tab"},
        {"backspace", "BackSpace"},
        {"insert", "Insert"},
        {"delete", "Delete"},
        {"home", "Home"},
        {"end", "End"},
        {"page up", "Prior"},
        {"page down", "Next"},
        {"enter", "KP_Enter"},
        {"left shift", "Shift_L"},
        {"right shift", "Shift_R"},
        {"left ctrl", "Control_L"},
        {"right ctrl", "Control_R"},
    };
    auto found = named.find(sdl_name);
    if (found != named.end()) {
        return found->second;
    }
    bool single = sdl_name.size() == 1;
    if (single && ((sdl_name[0] >= 'a' && sdl_name[0] <= 'z') ||
                   (sdl_name[0] >= '0' && sdl_name[0] <= '9'))) {
        return sdl_name;
    }
    if (sdl_name.size() == 3 && sdl_name[0] == '[' && sdl_name[2] == ']') {
        return std::string("KP_") + sdl_name[1];  // keypad digits: "[8]"
    }
    if (sdl_name.size() >= 2 && sdl_name[0] == 'f' && std::atoi(sdl_name.c_str() + 1) > 0) {
        return "F" + sdl_name.substr(1);
    }
    return "";
}

std::string unbound_key_name(ConfigStore& prefs) {
    static const char* const actions[] = {"pause_key",     "turn_left_key",  "turn_right_key",
                                          "move_left_key", "move_right_key", "move_down_key",
                                          "drop_key"};
    for (const char* candidate : {"j", "k", "l", "h", "u", "i", "o", "n", "m", "b"}) {
        bool bound = false;
        for (const char* action : actions) {
            bound = bound || prefs.get_string(action) == candidate;
        }
        if (!bound) {
            return candidate;
        }
    }
    return "";
}
