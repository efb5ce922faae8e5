// Recording a finished game and showing a piece set's table of best games.
#include <cstdio>
#include <ctime>

#include "app/scores_screens.h"
#include "config/player_prefs.h"
#include "menu/menu.h"
#include "scores/score_file.h"

namespace {

std::string today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

// Reads the scores file named in prefs, reporting damaged lines. False (with a message) when
// the file exists but cannot be read: then it must not be saved over.
bool read_scores(const ConfigStore& prefs, ScoreFile& scores) {
    std::string file = optional_value(prefs, "scores_file");
    if (!scores.read(file.c_str())) {
        std::printf("couldn't read scores file: %s\n", file.c_str());
        return false;
    }
    scores.report_skipped(file.c_str());
    return true;
}

// Shows table with the entry at place (0 = first; -1 for none) highlighted until "back".
bool show_table(ConfigStore& prefs, const ScoreTable& table, int place) {
    std::string menu_file = optional_value(prefs, "scores_menu");
    if (menu_file.empty()) {
        return false;
    }
    // The text for an empty table belongs to the skin, so it comes from the menu file itself.
    ConfigStore menu_keys;
    menu_keys.load(menu_file.c_str());
    ConfigStore keys = table_keys(table, optional_value(menu_keys, "empty_text"));
    Menu menu(menu_file.c_str(), &keys);
    // The full screen key and the repeat of a held direction work here as in the other menus.
    menu.prefs = &prefs;
    highlight_row(menu, place + 1);
    while (true) {
        std::string word = menu.run();
        if (word == "quit") {
            return true;
        }
        if (word == "back" || word.empty()) {
            return false;
        }
    }
}

// The name the game is saved under: asked on the name-entry screen unless the window is
// already closed or no screen is named. A new name is kept in "prefs.txt" for the next time.
TypedName ask_name(ConfigStore& prefs, const ScoreEntry& entry, int place, bool window_closed) {
    std::string offered = optional_value(prefs, "player_name");
    if (!valid_name(offered)) {
        offered.clear();
    }
    std::string menu_file = optional_value(prefs, "name_menu");
    if (window_closed || menu_file.empty()) {
        return TypedName{offered, window_closed};
    }
    ConfigStore keys = entry_keys(entry, place);
    TypedName typed = enter_name(menu_file, offered, keys);
    if (typed.name != offered) {
        prefs.set("player_name", typed.name);
        save_player_prefs(prefs);
    }
    return typed;
}

}  // namespace

void highlight_row(Menu& menu, int row) {
    if (row < 1) {
        return;
    }
    int count = static_cast<int>(menu.compositor.elements.size()) - 1;
    for (int i = 1; i <= count; i++) {
        std::string prefix = "button" + int_to_text(i);
        if (menu.config.get_int(prefix + "_row") != row) {
            continue;
        }
        SDL_Surface* lit = menu.surfaces[menu.config.get_string(prefix + "_surf_new")];
        if (lit != nullptr) {
            menu.compositor.elements[i].surface = lit;
        }
    }
}

std::string optional_value(const ConfigStore& prefs, const std::string& key) {
    const std::string* value = prefs.find(key);
    return value == nullptr ? std::string() : *value;
}

bool scores_enabled(const ConfigStore& prefs) {
    return !optional_value(prefs, "scores_file").empty();
}

bool record_game(ConfigStore& prefs, const Game& game, bool window_closed) {
    ScoreFile scores;
    if (!read_scores(prefs, scores)) {
        return window_closed;
    }
    ScoreTable& table = scores.tables[piece_set_id(game.piece_descriptions)];
    ScoreEntry entry{"", game.points, game.lines, game.level, today()};
    int place = table.place_for(entry.points);
    if (place < 0) {
        return window_closed;
    }
    TypedName typed = ask_name(prefs, entry, place, window_closed);
    entry.name = typed.name;
    table.insert(entry);
    std::string file = optional_value(prefs, "scores_file");
    if (!scores.save(file.c_str())) {
        std::printf("couldn't save scores to: %s\n", file.c_str());
    }
    if (typed.window_closed) {
        return true;
    }
    return show_table(prefs, table, place);
}

bool scores_screen(ConfigStore& prefs, const Game& game) {
    ScoreFile scores;
    read_scores(prefs, scores);
    return show_table(prefs, scores.tables[piece_set_id(game.piece_descriptions)], -1);
}
