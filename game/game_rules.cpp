// The rules: the board, moves, turns, landing, full rows, scoring, speed and dealing.
#include <cstdio>
#include <cstdlib>

#include "game/game.h"

void Game::check_board_geometry() {
    int width = config->get_int("board_width");
    int height = config->get_int("board_height");
    int block = config->get_int("block_size");
    // Every cell must exist and every cell's position must fit SDL's 16-bit screen coordinates;
    // an empty or enormous board would send the rules and the drawing past its edges.
    long long right = config->get_int("board_x") + static_cast<long long>(block) * width;
    long long bottom = config->get_int("board_y") + static_cast<long long>(block) * height;
    if (width <= 0 || height <= 0 || block <= 0 || right > 32767 || bottom > 32767) {
        std::printf("can't build a board of %i by %i cells of %i pixels: check \"board_width\", "
                    "\"board_height\" and \"block_size\"\n",
                    width, height, block);
        std::exit(1);
    }
}

void Game::build_board() {
    std::vector<Uint8> row(config->get_int("board_width"), empty_cell);
    board.assign(config->get_int("board_height"), row);
    shown_board = board;
}
