// Checks of the ways to play: the modes' numbers, the clock's box, the timed background and
// the texts of the modes and summary menus.
#pragma once

#include "tools/check/checked_file.h"
#include "tools/check/prefs_check.h"
#include "config/problems.h"

// Checks "sprint_lines" and "ultra_seconds" (whole numbers in their range, else a warning: the
// game plays with the shipped value), "timed_background_img" (an image that loads, else a
// warning: the timed modes keep the usual background), and, with the modes switched on, that
// the clock has its box (a warning: the timed modes would show no clock). The box itself is
// checked with the game screen's others.
void check_modes_settings(const CheckedFile& prefs, Report& report);

// Warns when the main menu (loaded) offers no button answering "modes".
void check_modes_offered(const CheckedFile& main_menu, Report& report);
