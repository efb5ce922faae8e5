// The whole check of a game folder: "prefs.txt" and every file it names.
#pragma once

#include "tools/check/report.h"

// Checks the game folder that is the current directory, as the game would read it: "prefs.txt",
// the game's images, the pieces file and both menu files with their images and fonts. Every
// problem goes into report. Needs SDL initialised with its video part (key names) and SDL_ttf
// (fonts); draws nothing and opens no window.
void check_game_folder(Report& report);
