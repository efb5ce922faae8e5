// Checks of the replays settings: the folder the games are recorded into and what it holds.
#pragma once

#include "tools/check/checked_file.h"
#include "config/problems.h"

// With "replays_folder" set: an error when it names something that is not a folder (no game
// could be recorded there), and a warning for each file of the folder ending in ".txt" that
// the game's own reader refuses, at the line it names (the game does not list it).
void check_replays_settings(const CheckedFile& prefs, Report& report);
