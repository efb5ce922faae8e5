// What an author should hear about one line of a pieces file: the faults that make the game
// skip it and the looks that play badly (blocks on one cell, a piece in parts, turns that leave
// the box or make the piece wander).
#pragma once

#include <string>
#include <vector>

#include "pieces/piece_shape.h"

struct PieceProblem {
    bool warning;  // the game deals the piece, but it plays badly
    std::string message;
};

// Whether line is a description followed by the carriage return of a CR LF line end.
bool ends_in_carriage_return(const std::string& line);

// The problems of a line of at least piece_description_length bytes, in the order found: its
// length past 13 (a warning), a tile outside 0..6 and offsets outside 0..3 (errors: the game
// skips the line, and nothing else is looked at), blocks on one cell and a piece in parts
// (warnings), turns whose looks leave 0..3 (errors) and a piece whose middle moves by a cell
// or more as it turns (a warning). Returns whether the game can deal it.
bool piece_problems(const std::string& line, std::vector<PieceProblem>& problems);
