// Board positions the benchmarks start from, built with the rules' own operations on the
// shipped pieces, and a copy of update_screen's cell pass for timing the redraw without the
// flip.
#pragma once

#include "game/game.h"

// A new game on a board whose lower half is filled (one hole per row, so no row is full),
// with a T-shaped piece (the first description with that shape, else the first one) standing
// in the upper half at column board_width / 2 - 1. The screen is repainted in full and
// shown_board agrees with board. False when the pieces file has no pieces.
bool set_up_half_filled_board(Game& game);

// A new game whose four bottom rows are full except the rightmost column, with holed rows
// above them up to half the height, and the straight piece (the first description whose
// blocks lie in one line, turned upright) standing above that column near the top. Dropping
// it clears exactly four rows and leaves a collapse pending. The screen is repainted in full.
// False when no straight piece exists or the board is too small (fewer than 10 rows).
bool set_up_four_row_landing(Game& game);

// update_screen without its flip: gives each changed cell element its tile and redraws the
// compositor onto the screen. The areas of the first `capacity` changed cells are stored in
// `changed` (may be null when capacity is 0); returns how many were stored.
int redraw_changed_cells(Game& game, SDL_Rect* changed = nullptr, int capacity = 0);

// The number of full rows of the board.
int full_rows(const Game& game);
// True when no empty row lies below a row with blocks: the rows have closed up.
bool rows_closed_up(const Game& game);
