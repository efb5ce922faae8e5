// Questions about a screenshot: does it show this picture here, this menu, these cells.
#pragma once

#include <set>
#include <string>
#include <utility>

#include "tests/e2e/picture.h"
#include "tests/e2e/shipped_data.h"

// Whether screen shows picture with its top-left corner at (x, y): at least 99% of the
// picture's opaque pixels (alpha 255) that fall on the screen have their colour there. False
// when no opaque pixel falls on the screen.
bool shows_picture(const Picture& screen, const Picture& picture, int x, int y);

// The whole menu as its compositor draws it, every button whose lit area (its hit rectangle,
// edges included) holds pointer showing its hover surface.
Picture compose_menu(const ShippedMenu& menu, Spot pointer);

// "" when screen shows expected (all but one pixel in a thousand within a rounding step of
// blending) inside expected's area; otherwise how many pixels differ and the first of them.
std::string picture_mismatch(const Picture& screen, const Picture& expected);

// Whether screen shows the composed menu (picture_mismatch is "").
bool shows_menu(const Picture& screen, const ShippedMenu& menu, Spot pointer);

// Whether screen looks like expected rather than like other wherever those two differ
// clearly: a looser test than picture_mismatch, for pictures a partial repaint leaves blended
// a second time at the edges of translucent pixels.
bool closer_to(const Picture& screen, const Picture& expected, const Picture& other);

// Whether the two screenshots look alike inside rect: nearly all pixels the same and none
// far off. Translucent edges blended a second time pass; a different digit or block does not.
bool looks_alike(const Picture& a, const Picture& b, const SDL_Rect& rect);

// Board cells as (column, row).
typedef std::pair<int, int> Cell;
typedef std::set<Cell> Cells;

// The cells of the board that show a block: more than a third of their pixels differ from
// the game's background image there.
Cells occupied_cells(const Picture& screen, const GameLayout& layout);

// Whether screen shows the game screen: the background image around the board (sampled on a
// grid, away from the board and the boxes).
bool shows_game_screen(const Picture& screen, const GameLayout& layout);
