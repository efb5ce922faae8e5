// Checks of the best-games settings: the scores file and the name last entered.
#pragma once

#include "tools/check/checked_file.h"
#include "config/problems.h"

// Checks the settings the best games read from prefs: "scores_file" names a file, and an
// existing one is read with the game's own reader, each line it would skip reported (a
// warning: the game drops that line at its next save); "scores_menu" and "name_menu" are
// there (the menus themselves are checked as menus); "player_name" is a name the game offers.
void check_scores_settings(const CheckedFile& prefs, Report& report);
