// The kicks file: every problem the game's reader finds, at its line, with the nearest name
// that was meant.
#pragma once

#include <string>

#include "tools/check/checked_file.h"
#include "config/problems.h"

// Checks the kicks file the preferences can play with: "kicks_file", or with a
// "modern_handling" key the one the switch turns on; the problems of that one are warnings, since
// the game works without kicks until the player switches it on. piece_count is how many lines
// the pieces file has, -1 when it cannot be read (the names are then not counted). A file that
// cannot be read is reported at the key's line.
void check_kicks(const CheckedFile& prefs, int piece_count, Report& report);

// Checks the kicks file named file_name against a pieces file of piece_count pieces (-1: not
// counted), its problems as errors or warnings. False when it cannot be read.
bool check_kicks_file(const std::string& file_name, int piece_count, bool as_warnings,
                      Report& report);
