// Checks of the best-games settings: the scores file and the name last entered.
#pragma once

#include "config/config_store.h"
#include "tools/check/checked_file.h"
#include "tools/check/report.h"

// Whether prefs switches the best games on (a "scores_file" line with a file name).
bool scores_switched_on(const CheckedFile& prefs);

// Checks the settings the best games read from prefs: "scores_file" names a file, and an
// existing one is read with the game's own reader, each line it would skip reported (a
// warning: the game drops that line at its next save); "scores_menu" and "name_menu" are
// there (the menus themselves are checked as menus); "player_name" is a name the game offers.
void check_scores_settings(const CheckedFile& prefs, Report& report);

// The texts the game fills the scores menu with (a full table of wide sample entries, and the
// menu's "empty_text" for an empty table) and the name-entry menu with, so that every text of
// those menus can be rendered as the game renders it. menu_file is the scores menu's file.
ConfigStore sample_table_keys(const std::string& menu_file);
ConfigStore sample_entry_keys();
