// The pictures of the best-games screen and the name-entry screen.
#pragma once

#include <string>

// Writes scores_background.png (width x height, a backdrop with one large panel),
// score_row.png / score_row_new.png (a table row, plain and lit for the newest game) and
// name_field.png (the box the name is typed in) into `folder`. False when one cannot be written.
bool make_scores_images(int width, int height, const std::string& folder);
