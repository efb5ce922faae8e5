// The modes screen and the summary of a game.
#include "app/mode_screens.h"

#include <cstdio>

#include "app/scores_screens.h"
#include "compositor/scaled_window.h"
#include "input/bindings.h"
#include "scores/score_table.h"

namespace {

std::string decimal(double value, int places) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", places, value);
    return text;
}

// Waits for the answer to a still screen shown since start; true when the window closed.
bool wait_to_go_on() {
    Uint32 start = SDL_GetTicks();
    SDL_Event event;
    while (SDL_WaitEvent(&event) != 0) {
        // The pad's first button goes on, as on the other screens that ask nothing.
        if (event.type == SDL_JOYBUTTONDOWN && event.jbutton.button != 0) {
            continue;
        }
        bool closed = false;
        if (game_over_answer(event, start, SDL_GetTicks(), &closed)) {
            return closed;
        }
    }
    return true;
}

}  // namespace

ConfigStore mode_keys(const ConfigStore& prefs, const GameMode& settings) {
    ConfigStore keys = shown_bindings(prefs);
    keys.set("sprint_lines", int_to_text(settings.sprint_lines));
    keys.set("ultra_seconds", int_to_text(settings.ultra_seconds));
    return keys;
}

bool modes_enabled(const ConfigStore& prefs) {
    return !optional_value(prefs, "modes_menu").empty();
}

ModeChoice choose_mode(ConfigStore& prefs, std::time_t now, GameMode* mode) {
    GameMode settings = game_mode(prefs, Mode::marathon, now);
    ConfigStore keys = mode_keys(prefs, settings);
    Menu menu(optional_value(prefs, "modes_menu").c_str(), &keys);
    Session session(prefs);
    menu.session = &session;
    while (true) {
        std::string word = menu.run();
        if (mode_from_word(word, settings.mode)) {
            *mode = settings;
            return ModeChoice::play;
        }
        if (word == "quit") {
            return ModeChoice::closed;
        }
        if (word == "back" || word.empty()) {
            return ModeChoice::back;
        }
    }
}

std::string mode_title(const ConfigStore& menu_file, Mode mode) {
    std::string word = mode_info(mode).word;
    const std::string* title = menu_file.find("mode_" + word);
    return title != nullptr && !title->empty() ? *title : word;
}

ConfigStore summary_keys(const GameNumbers& numbers, const std::string& title,
                         const std::string& best) {
    ConfigStore keys;
    keys.set("mode", title);
    keys.set("points", int_to_text(numbers.points));
    keys.set("lines", int_to_text(numbers.lines));
    keys.set("level", int_to_text(numbers.level));
    keys.set("time", time_text(static_cast<int>(numbers.played_ms)));
    keys.set("pieces", int_to_text(numbers.pieces));
    keys.set("pieces_per_second", decimal(pieces_per_second(numbers), 2));
    keys.set("lines_per_minute", decimal(lines_per_minute(numbers), 1));
    keys.set("presses_per_piece", decimal(presses_per_piece(numbers), 2));
    keys.set("best", best);
    return keys;
}

bool summary_screen(ConfigStore& prefs, const Game& game, const std::string& best) {
    std::string menu_file = optional_value(prefs, "summary_menu");
    ConfigStore texts;
    texts.load(menu_file.c_str());
    ConfigStore keys =
        summary_keys(game.numbers(SDL_GetTicks()), mode_title(texts, game.mode.mode), best);
    Menu menu(menu_file.c_str(), &keys);
    paint_menu(menu);
    // Keys pressed while the last pieces fell were meant for the game.
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
    }
    return wait_to_go_on();
}

void highlight_buttons(Menu& menu, const std::string& suffix, const std::string& value) {
    int count = static_cast<int>(menu.compositor.elements.size()) - 1;
    for (int i = 1; i <= count; i++) {
        std::string prefix = "button" + int_to_text(i);
        const std::string* mark = menu.config.find(prefix + suffix);
        if (mark == nullptr || *mark != value) {
            continue;
        }
        const std::string* lit_name = menu.config.find(prefix + "_surf_new");
        SDL_Surface* lit = lit_name != nullptr ? menu.surfaces[*lit_name] : nullptr;
        if (lit != nullptr) {
            menu.compositor.elements[i].surface = lit;
            // A hover that ends puts the button's own surface back: the lit one from now on.
            menu.config.set(prefix + "_surf", *lit_name);
        }
    }
}

void paint_menu(Menu& menu) {
    menu.screen = drawing_surface();
    if (menu.screen == nullptr) {
        return;
    }
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    scale_back(x, y);
    menu.update_hover(x, y);
    menu.compositor.full_redraw = true;
    menu.compositor.redraw(menu.screen);
    menu.compositor.present(menu.screen);
}

ConfigStore sample_mode_keys(const ConfigStore& prefs) {
    GameMode widest;
    widest.sprint_lines = sprint_lines_setting.highest;
    widest.ultra_seconds = ultra_seconds_setting.highest;
    return mode_keys(prefs, widest);
}

ConfigStore sample_summary_keys(const std::string& menu_file) {
    ConfigStore menu;
    menu.load(menu_file.c_str());
    std::string title;
    for (const ModeInfo& info : mode_table) {
        std::string named = mode_title(menu, info.mode);
        title = named.size() > title.size() ? named : title;
    }
    GameNumbers numbers{99999999, 99999, 999, 99999, 999999, 5999990};
    return summary_keys(numbers, title, time_text(5999990));
}
