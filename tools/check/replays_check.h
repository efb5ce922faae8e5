// Checks of replays: the folder the games are recorded into, and, for derevarez-check --replay,
// replay files played again on the game of the current folder.
#pragma once

#include <string>
#include <vector>

#include "config/problems.h"
#include "tools/check/checked_file.h"

// With "replays_folder" set: an error when it names something that is not a folder (no game
// could be recorded there), and a warning for each file of the folder ending in ".txt" that
// the game's own reader refuses, at the line it names (the game does not list it).
void check_replays_settings(const CheckedFile& prefs, Report& report);

// Reads the current folder's "prefs.txt" (with its skin), builds the game on SDL's dummy video
// driver (started by the caller) and verifies each file: prints "<file>: verified: ...", or
// "<file>: refused: ..." / "<file>: does not match: ...", or the reader's "<file>:<line>: ..."
// for a file that is no sound replay. Returns 0 when every file is verified, 1 when one is not,
// 2 when the game cannot be built (no "prefs.txt" here, no window).
int check_replays(const std::vector<std::string>& files);
