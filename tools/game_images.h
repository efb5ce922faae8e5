// The pictures of the game screen, placed by the layout in prefs.txt.
#pragma once

#include <string>

#include "config/config_store.h"
#include "tools/image_parts.h"

// Glyph cells of the two digit strips (each strip is one cell wide and ten cells tall).
const int kLargeDigitWidth = 44;
const int kLargeDigitHeight = 62;
const int kSmallDigitWidth = 20;
const int kSmallDigitHeight = 30;

// Writes background.png, background_timed.png (with the clock's panel), blocks.png, digits_large.png, digits_small.png, paused.png and
// game_over.png into `folder`. The background frames the well and the boxes where `prefs`
// puts them. Returns false when a picture cannot be written.
bool make_game_images(ConfigStore& prefs, FontShelf& fonts, const std::string& folder);
