// Pieces: reading the pieces file, building pieces from descriptions, and the piece operations.
#include <cstdio>
#include <fstream>

#include "game/game.h"

namespace {

const size_t description_length = 13;

// Description bytes are signed 8-bit values, sign-extended to the field's width.
Sint8 byte_at(const std::string& description, size_t index) {
    return static_cast<Sint8>(description[index]);
}

// Says why a pieces file line cannot be dealt, or returns null when it can.
const char* description_problem(const std::string& line) {
    if (line.size() < description_length) {
        return "shorter than 13 bytes";
    }
    int tile = byte_at(line, 3);
    if (tile < 0 || tile >= tile_count) {
        return "its tile (byte 4) is not 0 to 6";
    }
    return nullptr;
}

}  // namespace

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
        if (const char* problem = description_problem(line)) {
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
      y(0) {}

Piece::Piece(const std::string& description, Sint16 x, Sint16 y, Game* board)
    : centre_x(static_cast<Uint16>(byte_at(description, 0))),
      centre_y(static_cast<Uint16>(byte_at(description, 1))),
      half_centre(description[2] != 0),
      alternates(description[4] != 0),
      next_turn_left(false),
      blocks{},
      tile(byte_at(description, 3)),
      board(board),
      x(x),
      y(y) {
    for (int k = 0; k < 4; k++) {
        blocks[k].x = static_cast<Uint16>(byte_at(description, 5 + 2 * k));
        blocks[k].y = static_cast<Uint16>(byte_at(description, 6 + 2 * k));
    }
}
