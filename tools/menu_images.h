// The pictures of the main menu and the preferences menu. The texts on the buttons are
// rendered by the game from the menu files; these are the plates behind them.
#pragma once

#include <string>

#include "tools/image_parts.h"

// Writes menu_background.png and prefs_background.png (width x height), title.png,
// button.png / button_over.png, the tabs tab.png / tab_over.png / tab_lit.png and row.png / row_over.png into `folder`. Returns false when
// a picture cannot be written.
bool make_menu_images(FontShelf& fonts, int width, int height, const std::string& folder);
