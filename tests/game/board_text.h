// The board as text for the rules tests: one line per row, "." for an empty cell, the tile
// digit for a block.
#pragma once

#include <string>

#include "game/game.h"

inline std::string board_text(const Game& game) {
    std::string text;
    for (const std::vector<Uint8>& row : game.board) {
        for (Uint8 cell : row) {
            text += cell == empty_cell ? '.' : static_cast<char>('0' + cell);
        }
        text += '\n';
    }
    return text;
}
