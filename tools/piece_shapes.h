// The readable text the designers edit (tools/pieces.txt), read into pieces and written out as
// the raw pieces file the game reads. Used by make_pieces, the checker and the data tests.
#pragma once

#include <string>
#include <vector>

#include "pieces/piece_shape.h"

// One piece of the readable form.
struct SourcePiece {
    std::string name;
    int line = 0;  // the line that starts the piece ("piece: <name>")
    PieceShape shape;
};

// Result of reading the readable form.
struct PiecesSource {
    std::vector<SourcePiece> pieces;
    // "" when the whole text was understood; else what was found and what is expected instead,
    // at the 1-based line error_line.
    std::string error;
    int error_line = 0;
};

// Parses the readable form (see tools/pieces.txt for its rules). Stops at the first error.
// Every shape is checked with shape_problem. A setting given twice for one piece is an error.
PiecesSource parse_pieces_source(const std::string& text);

// The whole raw pieces file for these pieces: one description and a line feed per piece.
std::string pieces_file_contents(const std::vector<SourcePiece>& pieces);
