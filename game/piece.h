// A falling piece: four blocks at offsets from its position, a turning centre and the tile it
// is drawn with. Pieces are dealt from the raw descriptions of the pieces file.
#pragma once

#include <SDL.h>

#include <string>

#include "pieces/piece_shape.h"

class Game;

struct Piece {
    Uint16 centre_x;
    Uint16 centre_y;
    bool half_centre;     // turns about the corner below and right of the centre cell
    bool alternates;      // only two orientations: turns alternate right, left, right...
    bool next_turn_left;  // for an alternating piece: the direction of its next turn
    BlockOffset blocks[4];
    int tile;     // the value written into the board cells the piece covers (0..6)
    Game* board;  // the game whose board it lives on; null: never blocked
    Sint16 x;     // board column of offset (0, 0)
    Sint16 y;     // board row of offset (0, 0); negative above the well
    // Index of the description it was dealt from; -1 when it was not dealt.
    int dealt_from;
    // Right turns from the look it was dealt in, 0 to 3 (a left turn counts back one).
    int orientation;

    // A piece on no board, at (0, 0); only a placeholder until pieces are dealt.
    Piece();
    // A piece from a 13-byte description (bytes past the 13th are ignored). The caller makes
    // sure the description is at least 13 bytes long.
    Piece(const std::string& description, Sint16 x, Sint16 y, Game* board);

    // True if one of the blocks stands on board cell (col, row).
    bool occupies(int col, int row) const;
    // May a block of this piece stand on (col, row)? Walls and floor block, the space above
    // the well is free, the piece's own cells are free, other cells are free when empty.
    bool is_free(int col, int row) const;
    // True if every block shifted by (dx, dy) is free, or the piece has no board.
    bool can_move(int dx, int dy) const;
    // Turns the offsets about the centre (left = anticlockwise) if the turned piece fits.
    // An alternating piece ignores `left` and takes its own turn. False: nothing changed.
    bool turn(bool left);
    // The same turn tested and made with the piece moved by (dx, dy), cells it covers now
    // counting as free; the position moves only when the turn is made.
    bool turn_shifted(bool left, int dx, int dy);
    // Board row of the highest block, that block's offset counted as at most 3.
    Sint16 top_row() const;
};
