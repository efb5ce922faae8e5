// The whole check of a game folder: "prefs.txt" and every file it names.
#pragma once

#include "tools/check/checked_file.h"
#include "tools/check/pieces_check.h"
#include "config/problems.h"

// Checks the game folder that is the current directory, as the game would read it: "prefs.txt",
// the game's images, the pieces file and both menu files with their images and fonts. Every
// problem goes into report. Needs SDL initialised with its video part (key names) and SDL_ttf
// (fonts); draws nothing and opens no window. A menu font named without a folder that the
// folder lacks is taken from the system folder the build copies it from. pieces_source, when
// given, is the readable source of the pieces file (see check_pieces_file). Every skin is then
// checked too (see check_skins).
void check_game_folder(Report& report, const PiecesSourceText* pieces_source = nullptr);

// Checks the settings of prefs (loaded, perhaps with a skin worn over it) and every file they
// name: the game's images, the pieces file and the menus, as check_game_folder does.
void check_settings_and_files(const CheckedFile& prefs, const PiecesSourceText* pieces_source,
                              Report& report);
