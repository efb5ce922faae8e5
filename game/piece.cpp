// Pieces: reading the pieces file, building pieces from descriptions, and the piece operations.
#include <cstdio>
#include <fstream>

#include "game/game.h"

void Game::load_pieces() {
    std::string file_name = config->get_string("pieces_file");
    std::ifstream in(file_name, std::ios::binary);
    if (!in) {
        std::printf("couldn't read pieces file: %s\n", file_name.c_str());
        return;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); number++) {
        // A line that cannot describe a piece would be dealt as garbage or draw with a tile
        // that does not exist; skip it and tell the author which one it was.
        if (const char* problem = dealing_problem(line)) {
            std::printf("%s:%i: skipped a piece: %s\n", file_name.c_str(), number, problem);
            continue;
        }
        piece_descriptions.push_back(line);
    }
}

Piece::Piece()
    : centre_x(0),
      centre_y(0),
      half_centre(false),
      alternates(false),
      next_turn_left(false),
      blocks{},
      tile(0),
      board(nullptr),
      x(0),
      y(0),
      dealt_from(-1),
      orientation(0) {}

Piece::Piece(const std::string& description, Sint16 x, Sint16 y, Game* board)
    : centre_x(static_cast<Uint16>(description_byte(description, centre_x_byte))),
      centre_y(static_cast<Uint16>(description_byte(description, centre_y_byte))),
      half_centre(description[half_centre_byte] != 0),
      alternates(description[alternates_byte] != 0),
      next_turn_left(false),
      blocks{},
      tile(description_byte(description, tile_byte)),
      board(board),
      x(x),
      y(y),
      dealt_from(-1),
      orientation(0) {
    for (size_t k = 0; k < 4; k++) {
        blocks[k] = description_block(description, k);
    }
}

namespace {

// Board column or row of one block: the position sign-extended, the offset zero-extended, so a
// wrapped offset lands far outside the well instead of just left of it.
int block_col(const Piece& piece, int k) {
    return piece.x + static_cast<int>(piece.blocks[k].x);
}

int block_row(const Piece& piece, int k) {
    return piece.y + static_cast<int>(piece.blocks[k].y);
}

}  // namespace

bool Piece::occupies(int col, int row) const {
    for (int k = 0; k < 4; k++) {
        if (block_col(*this, k) == col && block_row(*this, k) == row) {
            return true;
        }
    }
    return false;
}

bool Piece::is_free(int col, int row) const {
    if (board == nullptr) {
        return true;
    }
    if (col < 0 || col >= board->board_width()) {
        return false;
    }
    if (row < 0) {
        return true;  // above the well only the walls count
    }
    if (row >= board->board_height()) {
        return false;
    }
    // The piece's own blocks are stored in the board, so they must not block it.
    if (occupies(col, row)) {
        return true;
    }
    return board->board[row][col] == empty_cell;
}

bool Piece::can_move(int dx, int dy) const {
    if (board == nullptr) {
        return true;
    }
    for (int k = 0; k < 4; k++) {
        if (!is_free(block_col(*this, k) + dx, block_row(*this, k) + dy)) {
            return false;
        }
    }
    return true;
}

bool Piece::turn(bool left) {
    return turn_shifted(left, 0, 0);
}

bool Piece::turn_shifted(bool left, int dx, int dy) {
    if (alternates) {
        left = next_turn_left;
    }
    BlockOffset new_blocks[4];
    for (int k = 0; k < 4; k++) {
        new_blocks[k] = turned_offset(blocks[k], centre_x, centre_y, half_centre, left);
    }
    // Tested against the piece as it stands, so the cells it covers now count as free.
    if (board != nullptr) {
        for (const BlockOffset& b : new_blocks) {
            if (!is_free(x + dx + static_cast<int>(b.x), y + dy + static_cast<int>(b.y))) {
                return false;
            }
        }
    }
    for (int k = 0; k < 4; k++) {
        blocks[k] = new_blocks[k];
    }
    x = static_cast<Sint16>(x + dx);
    y = static_cast<Sint16>(y + dy);
    orientation = (orientation + (left ? 3 : 1)) % 4;
    if (alternates) {
        next_turn_left = !next_turn_left;
    }
    return true;
}

Sint16 Piece::top_row() const {
    Uint16 highest = 3;
    for (const BlockOffset& b : blocks) {
        if (b.y < highest) {
            highest = b.y;
        }
    }
    return static_cast<Sint16>(y + highest);
}
