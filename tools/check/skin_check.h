// Checks of the skins a player can choose, and of the window's scale.
#pragma once

#include <string>
#include <vector>

#include "colour/picture_colours.h"
#include "tools/check/checked_file.h"
#include "config/problems.h"

// Every skin folder of "skins_folder" and "my_skins_folder": its "skin.txt" as the game reads
// it (a missing file, a key that is not part of the look, a file that is missing or outside the
// folder are errors), then prefs with the skin worn, as check_settings_and_files checks it
// (problems prefs.txt alone has are not repeated; those of prefs.txt's own lines are reported
// at the skin's "skin.txt"), and the colours the skin brings itself: the tiles of its own
// blocks image (see check_tile_colours) and the texts of its own menus (see
// check_text_contrast). A "skin" that names no skin that can be shown is an error.
void check_skins(const CheckedFile& prefs, Report& report);

// Warns at file (line) for every two of the tile colours that one of the three deficiencies
// leaves closer than least_tile_difference, naming both tiles (counted from 1), the deficiency
// and the difference.
void check_tile_colours(const std::vector<Rgb>& tiles, const std::string& file, int line,
                        Report& report);

// Warns at each text of the menu whose colour has a contrast below least_text_contrast with
// what lies behind where its buttons show it: the background picture there, under any
// picture a button of a lower number shows on that spot, each taken as its average colour.
void check_text_contrast(const CheckedFile& menu, Report& report);
