// What an author should hear about a pieces file: the faults that make the game skip a line
// and the looks that play badly (blocks on one cell, a piece in parts, turns that leave the box
// or make the piece wander).
#pragma once

#include <string>
#include <vector>

#include "pieces/piece_shape.h"

struct PieceProblem {
    int line;      // 1-based; 0 for the file as a whole
    bool warning;  // the game deals the piece, but it plays badly
    std::string message;
};

// The problems of a pieces file's lines (as pieces_file_lines splits them), in the order found:
// CR LF line endings (once, for the file; the carriage returns are then set aside), lines too
// short to deal (several that a byte 10 cut from one description are one problem, at the
// first), bytes past the 13th (a warning), a tile outside 0..6 and offsets outside 0..3 (the
// game skips the line, and nothing more is said of it), blocks on one cell and a piece in parts
// (warnings), turns whose looks leave 0..3, a piece whose middle moves by a cell or more as it
// turns (a warning), and a file without a single piece the game can deal.
std::vector<PieceProblem> pieces_file_problems(const std::vector<std::string>& lines);
