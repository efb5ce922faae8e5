// The pieces file in both of its forms: the readable text the designers edit (tools/pieces.txt)
// and the raw 13-byte lines the game reads. Used by make_pieces and by the data tests.
#pragma once

#include <string>
#include <vector>

struct ShapeBlock {
    int x;  // column within the piece's 4 by 4 box
    int y;  // row, growing downward
};

// One piece as the game sees it right after dealing it.
struct PieceShape {
    std::string name;  // only in the readable form; the raw file has no names
    int line = 0;      // the readable form's line that starts the piece; 0 for the raw file
    int centre_x = 0;
    int centre_y = 0;
    bool half_centre = false;
    bool alternates = false;
    int tile = 0;
    std::vector<ShapeBlock> blocks;

    // The piece after one turn, by the game's turning rule: about the middle of the centre
    // cell, or about its lower right corner when half_centre is set. Right is clockwise.
    // Offsets are returned as plain ints, so a turn that leaves the box shows as a negative
    // or large value instead of wrapping.
    PieceShape turned(bool left) const;

    // The 13 raw bytes of the piece's line in the pieces file (without the line feed).
    std::string description() const;
};

// Reads one raw description (at least 13 bytes; later bytes are ignored, as the game does).
// Returns false and leaves `shape` alone when the description is shorter than 13 bytes.
bool parse_description(const std::string& description, PieceShape& shape);

// Every orientation a player can reach from the dealt piece: the two of an alternating piece
// (it only ever turns right, then left), the four of any other. The first is the dealt one.
std::vector<PieceShape> reachable_orientations(const PieceShape& shape);

// Why the game could not use this piece, or "" when it can: not exactly four blocks, two
// blocks on one cell, a tile outside 0..6, a centre outside 0..3, or an offset that leaves
// 0..3 in some reachable orientation.
std::string shape_problem(const PieceShape& shape);

// Result of reading the readable form.
struct PiecesSource {
    std::vector<PieceShape> shapes;
    // "" when the whole text was understood; else what was found and what is expected instead,
    // at the 1-based line error_line.
    std::string error;
    int error_line = 0;
};

// Parses the readable form (see tools/pieces.txt for its rules). Stops at the first error.
// Every shape is checked with shape_problem. A setting given twice for one piece is an error.
PiecesSource parse_pieces_source(const std::string& text);

// The whole raw pieces file for these shapes: one description and a line feed per shape.
std::string pieces_file_contents(const std::vector<PieceShape>& shapes);
