// A piece as its description gives it, and the rules every reader of descriptions shares: how a
// description's 13 bytes are laid out, how a block turns about the centre, and which lines of a
// pieces file the game can deal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

const size_t piece_description_length = 13;
const int piece_tile_count = 7;  // the block tiles cut from the blocks image
const int piece_box_size = 4;    // offsets 0..3: the spawn rows and the next piece box assume it

// Offset of one block from the piece's position (x = column, y = row, rows growing downward).
// Unsigned, as the game stores it: a turn that would drive an offset below 0 wraps it far
// outside any well, so such a turn is always refused.
struct BlockOffset {
    std::uint16_t x;
    std::uint16_t y;

    // The offsets as signed numbers: a wrapped offset reads back as the negative it came from.
    int column() const { return static_cast<std::int16_t>(x); }
    int row() const { return static_cast<std::int16_t>(y); }
    bool in_box() const;
};

// The fields of a description. A description holds exactly four blocks; the readable form the
// pieces tool reads may hold any number until it is checked.
struct PieceShape {
    std::uint16_t centre_x = 0;
    std::uint16_t centre_y = 0;
    bool half_centre = false;  // turns about the corner below and right of the centre cell
    bool alternates = false;   // only two orientations: turns alternate right, left, right...
    int tile = 0;
    std::vector<BlockOffset> blocks;
};

// Where each field lies in a description.
enum DescriptionByte : size_t {
    centre_x_byte = 0,
    centre_y_byte = 1,
    half_centre_byte = 2,  // 0 = false, any other value = true
    tile_byte = 3,
    alternates_byte = 4,   // 0 = false, any other value = true
    first_block_byte = 5,  // then x, y of each block in turn
};

// The signed byte at `index` of a description, sign-extended as every field of it is.
int description_byte(const std::string& description, size_t index);
// Block k (0..3) of a description; the offsets are signed bytes, so 255 wraps to 65535.
BlockOffset description_block(const std::string& description, size_t k);

// Reads a description of at least piece_description_length bytes (later bytes are ignored).
// False, with `shape` left alone, when it is shorter.
bool read_description(const std::string& description, PieceShape& shape);

// The piece_description_length bytes of a shape with four blocks (without the line feed).
std::string description_bytes(const PieceShape& shape);

// One block turned about a centre (left = anticlockwise): about the centre cell, or about its
// lower right corner when half_centre is set. The sums wrap in 16 bits like the offsets.
BlockOffset turned_offset(BlockOffset block, std::uint16_t centre_x, std::uint16_t centre_y,
                          bool half_centre, bool left);

// One orientation of a piece, and how the turns reached it: "dealt", "right", "right x2", ...
struct PieceLook {
    std::string label;
    std::vector<BlockOffset> blocks;
};

// Every orientation a player can reach, in the order the game's turns make them: the dealt one,
// then three right turns; for an alternating piece its right turn and the left turn back.
std::vector<PieceLook> piece_looks(const PieceShape& shape);

// Why the game skips this pieces file line, or null when it can deal it: shorter than 13 bytes,
// a tile outside 0..6, or a block offset outside 0..3. A block further down than 3 would start
// inside the well at row -4 without being written there, and its first move would erase
// whatever settled block it had appeared on.
const char* dealing_problem(const std::string& line);

// Why a designed piece is not fit to ship, or "" when it is: not exactly four blocks, two
// blocks on one cell, a tile outside 0..6, a centre outside 0..3, or an offset that leaves 0..3
// in some reachable orientation.
std::string shape_problem(const PieceShape& shape);

// The lines of a pieces file as the game splits them: at every byte 10, a last line without a
// line feed included, no extra empty line after a final line feed.
std::vector<std::string> pieces_file_lines(const std::string& contents);
