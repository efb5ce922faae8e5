#include "tools/check/scores_check.h"

#include "scores/score_file.h"

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
