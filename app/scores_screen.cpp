// Recording a finished game and showing a piece set's tables of best games, one mode at a time.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/mode_screens.h"
#include "app/scores_screens.h"
#include "config/player_prefs.h"
#include "menu/menu.h"
#include "replays/replay_folder.h"
#include "scores/score_file.h"
#include "session/session.h"

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

// The table the games of mode rank in.
ScoreTable& table_of(ScoreFile& scores, const Game& game, const GameMode& mode) {
    return scores.table(piece_set_id(game.piece_descriptions), table_mode(mode));
}

}  // namespace

std::vector<std::string> verified_rows(const ConfigStore& prefs, Game* game,
                                       const ScoreTable& table, const GameMode& mode) {
    std::vector<std::string> files(table.entries.size());
    if (game == nullptr || !replays_enabled(prefs)) {
        return files;
    }
    std::string piece_set = piece_set_id(game->piece_descriptions);
    for (const KeptReplay& kept : list_replays(optional_value(prefs, "replays_folder"))) {
        GameMode played;
        played.day = kept.header.day;
        if (kept.header.piece_set != piece_set || !mode_from_word(kept.header.mode, played.mode) ||
            table_mode(played) != table_mode(mode)) {
            continue;
        }
        for (size_t row = 0; row < files.size(); row++) {
            if (files[row].empty() &&
                is_replay_of(kept.header, table.entries[row], table.by_time)) {
                Replay replay;
                std::string problem;
                bool proven = read_replay(kept.file, replay, problem) &&
                              verify_replay(*game, replay).verified;
                files[row] = proven ? kept.file : "";
                break;
            }
        }
    }
    // The replays' seeds dealt their pieces; the next game deals from the clock again.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    return files;
}

namespace {

// Shows table (of mode) with the entry at place (0 = first; -1 for none) highlighted, and the
// tab of its mode lit, until a word that leaves it: "back" (or none), "quit", a mode's word.
// Each row whose replay is verified is marked ("markN" shows the menu file's "verified_text")
// and choosing it ("rowN") watches it on game.
std::string show_table(ConfigStore& prefs, const ScoreTable& table, int place, const GameMode& mode,
                       Game* game) {
    std::string menu_file = optional_value(prefs, "scores_menu");
    if (menu_file.empty()) {
        return "back";
    }
    // The texts for an empty table, the headings and the modes' titles belong to the skin, so
    // they come from the menu file itself.
    ConfigStore texts;
    texts.load(menu_file.c_str());
    ConfigStore keys = table_keys(table, optional_value(texts, "empty_text"));
    keys.set("mode", mode_title(texts, mode.mode));
    keys.set("score_head",
             optional_value(texts, table.by_time ? "time_heading" : "points_heading"));
    std::vector<std::string> replays = verified_rows(prefs, game, table, mode);
    for (size_t row = 0; row < replays.size(); row++) {
        std::string mark = replays[row].empty() ? "" : optional_value(texts, "verified_text");
        keys.set("mark" + int_to_text(static_cast<int>(row + 1)), mark);
    }
    // The full screen key and the repeat of a held direction work here as in the other menus.
    Session session(prefs);
    while (true) {
        std::string word;
        {
            Menu menu(menu_file.c_str(), &keys);
            menu.session = &session;
            highlight_row(menu, place + 1);
            highlight_buttons(menu, "_mode", mode_info(mode.mode).word);
            word = menu.run();
        }
        Mode other = Mode::marathon;
        bool table_word = mode_from_word(word, other) && mode_info(other).ranked;
        if (word == "quit" || word == "back" || word.empty() || table_word) {
            return word;
        }
        size_t row = word.compare(0, 3, "row") == 0 ? std::atoi(word.c_str() + 3) : 0;
        Replay replay;
        std::string problem;
        if (row >= 1 && row <= replays.size() && !replays[row - 1].empty() &&
            read_replay(replays[row - 1], replay, problem) &&
            watch_replay(prefs, *game, replay, replays[row - 1])) {
            return "quit";
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

// Runs the scores screen from mode on, switching tables as the player asks; true when the
// window was closed. With watcher the rows' replays are verified and watched on it.
bool browse_tables(ConfigStore& prefs, ScoreFile& scores, const Game& game, GameMode mode,
                   int place, Game* watcher) {
    while (true) {
        std::string word = show_table(prefs, table_of(scores, game, mode), place, mode, watcher);
        if (!mode_from_word(word, mode.mode)) {
            return word == "quit";
        }
        // The daily table shown is today's, whatever day the last game was played on.
        mode.day = utc_day(std::time(nullptr));
        place = -1;
    }
}

}  // namespace

void highlight_row(Menu& menu, int row) {
    if (row >= 1) {
        highlight_buttons(menu, "_row", int_to_text(row));
    }
}

std::string optional_value(const ConfigStore& prefs, const std::string& key) {
    const std::string* value = prefs.find(key);
    return value == nullptr ? std::string() : *value;
}

bool scores_enabled(const ConfigStore& prefs) {
    return !optional_value(prefs, "scores_file").empty();
}

ScoreEntry game_entry(const Game& game) {
    GameNumbers numbers = game.numbers(SDL_GetTicks());
    return ScoreEntry{"",         game.points, game.lines,
                      game.level, today(),     static_cast<int>(numbers.played_ms)};
}

std::string best_text(const ConfigStore& prefs, const Game& game) {
    std::string mode = table_mode(game.mode);
    ScoreFile scores;
    if (mode.empty() || !scores_enabled(prefs) ||
        !scores.read(optional_value(prefs, "scores_file").c_str())) {
        return "-";
    }
    ScoreTable& table = table_of(scores, game, game.mode);
    if (game.has_result()) {
        table.insert(game_entry(game));
    }
    if (table.entries.empty()) {
        return "-";
    }
    const ScoreEntry& best = table.entries[0];
    return table.by_time ? time_text(best.time) : int_to_text(best.points);
}

bool record_game(ConfigStore& prefs, const Game& game, bool window_closed) {
    ScoreFile scores;
    if (!read_scores(prefs, scores)) {
        return window_closed;
    }
    ScoreTable& table = table_of(scores, game, game.mode);
    ScoreEntry entry = game_entry(game);
    int place = table.place_for(entry);
    if (place < 0) {
        return window_closed;
    }
    TypedName typed = ask_name(prefs, entry, place, window_closed);
    entry.name = typed.name;
    table.insert(entry);
    scores.drop_old_days(utc_day(std::time(nullptr)));
    std::string file = optional_value(prefs, "scores_file");
    if (!scores.save(file.c_str())) {
        std::printf("couldn't save scores to: %s\n", file.c_str());
    }
    if (typed.window_closed) {
        return true;
    }
    return browse_tables(prefs, scores, game, game.mode, place, nullptr);
}

bool scores_screen(ConfigStore& prefs, Game& game) {
    ScoreFile scores;
    read_scores(prefs, scores);
    GameMode marathon;
    return browse_tables(prefs, scores, game, marathon, -1, &game);
}

ConfigStore sample_table_keys(const std::string& menu_file) {
    ScoreTable table;
    while (table.insert(ScoreEntry{std::string(name_length, 'W'), 99999999, 99999, 999,
                                   "2026-12-31"}) >= 0) {
    }
    ConfigStore menu;
    menu.load(menu_file.c_str());
    ConfigStore keys = table_keys(table, "");
    // The widest of the texts the game chooses between by the table shown.
    auto longest = [&menu](std::initializer_list<std::string> names) {
        std::string widest;
        for (const std::string& name : names) {
            const std::string* text = menu.find(name);
            widest = text != nullptr && text->size() > widest.size() ? *text : widest;
        }
        return widest;
    };
    keys.set("score_head", longest({"points_heading", "time_heading"}));
    keys.set("mode", longest({"mode_marathon", "mode_sprint", "mode_ultra", "mode_daily"}));
    // Shown only for an empty table, but a text that renders nothing is reported.
    std::string empty_text = menu.get_string("empty_text");
    keys.get_string("empty") = empty_text.empty() ? "-" : empty_text;
    // A row is marked only when its replay is verified, but a mark that renders nothing is
    // reported.
    std::string mark = menu.get_string("verified_text");
    for (int row = 1; row <= table_size; row++) {
        keys.get_string("mark" + int_to_text(row)) = mark.empty() ? "-" : mark;
    }
    return keys;
}

ConfigStore sample_entry_keys() {
    ConfigStore keys =
        entry_keys(ScoreEntry{std::string(name_length, 'W'), 99999999, 99999, 999, ""}, 9);
    keys.get_string("name") = std::string(name_length, 'W');
    return keys;
}
