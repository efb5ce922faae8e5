#include "tests/e2e/shipped_data.h"

#include <cstdlib>

#include "menu/menu.h"

namespace {

std::string numbered(const std::string& prefix, int i, const std::string& suffix) {
    return prefix + int_to_text(i) + suffix;
}

Picture opaque(Picture picture) {
    for (Uint32& pixel : picture.pixels) {
        pixel |= 0xFF000000u;
    }
    return picture;
}

void load_images(ConfigStore& menu, const std::string& folder,
                 std::map<std::string, Picture>& surfaces) {
    for (int i = 1; i <= menu.get_int("num_surfs"); ++i) {
        std::string name = menu.get_string(numbered("surf", i, "_name"));
        if (surfaces.count(name) != 0) {
            continue;
        }
        Picture picture =
            load_picture(folder + "/" + menu.get_string(numbered("surf", i, "_path")));
        if (picture.empty()) {
            continue;
        }
        bool alpha = menu.get_string(numbered("surf", i, "_alpha")) == "true";
        surfaces[name] = alpha ? picture : opaque(picture);
    }
}

void load_texts(ConfigStore& menu, const std::string& folder, ConfigStore* substitutions,
                std::map<std::string, Picture>& surfaces) {
    for (int i = 1; i <= menu.get_int("num_tsurfs"); ++i) {
        std::string name = menu.get_string(numbered("tsurf", i, "_name"));
        std::string text =
            substitute_keys(menu.get_string(numbered("tsurf", i, "_text")), substitutions);
        std::string font = menu.get_string(numbered("tsurf", i, "_font"));
        if (surfaces.count(name) != 0) {
            continue;
        }
        for (int f = 1; f <= menu.get_int("num_fonts"); ++f) {
            if (menu.get_string(numbered("font", f, "_name")) != font) {
                continue;
            }
            Picture picture =
                render_text(folder + "/" + menu.get_string(numbered("font", f, "_path")),
                            menu.get_int(numbered("font", f, "_size")), text,
                            parse_color(menu.get_string(numbered("tsurf", i, "_color"))));
            if (!picture.empty()) {
                surfaces[name] = picture;
            }
            break;
        }
    }
}

MenuButton load_button(ConfigStore& menu, int i, std::map<std::string, Picture>& surfaces) {
    std::string prefix = numbered("button", i, "");
    MenuButton button;
    button.number = i;
    button.word = menu.get_string(prefix + "_return");
    button.x = menu.get_int(prefix + "_x");
    button.y = menu.get_int(prefix + "_y");
    std::string normal_name = menu.get_string(prefix + "_surf");
    std::string hover_name = menu.get_string(prefix + "_surf_over");
    if (surfaces.count(normal_name) != 0) {
        button.normal = surfaces[normal_name];
    }
    if (!hover_name.empty() && surfaces.count(hover_name) != 0) {
        button.hover = surfaces[hover_name];
    }
    std::string rect = menu.get_string(prefix + "_rect");
    button.hit = rect.empty() ? SDL_Rect{0, 0, Uint16(button.normal.w), Uint16(button.normal.h)}
                              : parse_rect(rect);
    button.hit.x = Sint16(button.hit.x + button.x);
    button.hit.y = Sint16(button.hit.y + button.y);
    return button;
}

bool inside(int x, int y, int left, int top, int w, int h) {
    return x >= left && y >= top && x <= left + w && y <= top + h;
}

}  // namespace

ShippedMenu::ShippedMenu(const std::string& folder, const std::string& file_name,
                         ConfigStore* substitutions) {
    ConfigStore menu;
    menu.load((folder + "/" + file_name).c_str());
    background = opaque(load_picture(folder + "/" + menu.get_string("background")));
    std::map<std::string, Picture> surfaces;
    load_images(menu, folder, surfaces);
    load_texts(menu, folder, substitutions, surfaces);
    for (int i = 1; i <= menu.get_int("num_buttons"); ++i) {
        buttons.push_back(load_button(menu, i, surfaces));
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
        if (inside(x, y, b.hit.x, b.hit.y, b.hit.w, b.hit.h) ||
            inside(x, y, b.x, b.y, b.normal.w, b.normal.h) ||
            inside(x, y, b.x, b.y, b.hover.w, b.hover.h)) {
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
