// Questions about a screenshot: does it show this picture here, this menu, these cells.
#pragma once

#include <set>
#include <utility>

#include "tests/e2e/picture.h"
#include "tests/e2e/shipped_data.h"

// Whether screen shows picture with its top-left corner at (x, y): at least 99% of the
// picture's opaque pixels (alpha 255) that fall on the screen have their colour there. False
// when no opaque pixel falls on the screen.
bool shows_picture(const Picture& screen, const Picture& picture, int x, int y);

// Whether screen shows the menu: its background wherever no button can be drawn (sampled on
// a grid) and every button's normal picture at its place.
bool shows_menu(const Picture& screen, const ShippedMenu& menu);

// Whether the two screenshots are the same inside rect.
bool same_area(const Picture& a, const Picture& b, const SDL_Rect& rect);

// Board cells as (column, row).
typedef std::pair<int, int> Cell;
typedef std::set<Cell> Cells;

// The cells of the board that show a block: more than a third of their pixels differ from
// the game's background image there.
Cells occupied_cells(const Picture& screen, const GameLayout& layout);

// Whether screen shows the game screen: the background image around the board (sampled on a
// grid, away from the board and the boxes).
bool shows_game_screen(const Picture& screen, const GameLayout& layout);
