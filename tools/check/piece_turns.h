// A piece description and the looks the game's own turning gives it, for the checker and the
// viewer. Turns are made by the game's Piece on no board, so none is ever refused here.
#pragma once

#include <string>
#include <vector>

const size_t piece_description_length = 13;

struct BlockCell {
    int x;  // column within the piece's box
    int y;  // row, growing downward
};

// One orientation of a piece.
struct PieceLook {
    std::string label;              // how the turns reached it: "dealt", "right", "right x2", ...
    std::vector<BlockCell> blocks;  // the four offsets as signed numbers: a turn that drives an
                                    // offset below 0 shows as a negative value, not wrapped
};

struct PieceTurns {
    int centre_x;
    int centre_y;
    bool half_centre;
    bool alternates;
    int tile;
    // The dealt look, then the look after each turn in the order the game produces them: three
    // right turns for a piece with four looks; for an alternating piece its right turn and the
    // left turn that brings it back.
    std::vector<PieceLook> looks;
};

// The piece of a description of at least piece_description_length bytes (later bytes are
// ignored, as the game ignores them) and its looks.
PieceTurns piece_turns(const std::string& description);

// The lines of a pieces file as the game splits them: at every byte 10, a last line without a
// line feed included, no extra empty line after a final line feed.
std::vector<std::string> pieces_file_lines(const std::string& contents);
