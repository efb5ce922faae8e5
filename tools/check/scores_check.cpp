#include "tools/check/scores_check.h"

#include "scores/score_file.h"

bool scores_switched_on(const CheckedFile& prefs) {
    return !prefs.value("scores_file").empty();
}

void check_scores_settings(const CheckedFile& prefs, Report& report) {
    std::string file_name = prefs.value("scores_file");
    ScoreFile scores;
    if (!scores.read(file_name.c_str())) {
        prefs.error("scores_file", "cannot read the scores file " + quoted(file_name), report);
    }
    for (int line : scores.skipped_lines) {
        report.warning(file_name, line,
                       "not a score line the game can read: it is left out and dropped when the "
                       "next game is saved");
    }
    prefs.require("scores_menu", report);
    prefs.require("name_menu", report);
    if (prefs.has("player_name") && !valid_name(prefs.value("player_name"))) {
        prefs.warning("player_name",
                      quoted(prefs.value("player_name")) +
                          " is not a name the game offers (at "
                          "most 16 printable ASCII characters): it offers an empty one",
                      report);
    }
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
