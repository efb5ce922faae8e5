#include "bench/bench_scenes.h"

namespace {

const int tee_neighbours = 3;

bool is_straight(const Piece& piece) {
    bool one_column = true;
    bool one_row = true;
    for (const BlockOffset& block : piece.blocks) {
        one_column = one_column && block.x == piece.blocks[0].x;
        one_row = one_row && block.y == piece.blocks[0].y;
    }
    return one_column || one_row;
}

// A T shape: one block touches the other three.
bool is_tee(const Piece& piece) {
    for (const BlockOffset& centre : piece.blocks) {
        int neighbours = 0;
        for (const BlockOffset& other : piece.blocks) {
            int dx = other.x - centre.x;
            int dy = other.y - centre.y;
            neighbours += (dx * dx + dy * dy == 1) ? 1 : 0;
        }
        if (neighbours == tee_neighbours) {
            return true;
        }
    }
    return false;
}

// A piece dealt from description `index`, above the well in the spawn column.
Piece piece_from(Game& game, size_t index) {
    Sint16 column = static_cast<Sint16>(game.board_width() / 2 - 2);
    return Piece(game.piece_descriptions[index], column, -4, &game);
}

int smallest_row_offset(const Piece& piece) {
    int smallest = piece.blocks[0].y;
    for (const BlockOffset& block : piece.blocks) {
        smallest = block.y < smallest ? block.y : smallest;
    }
    return smallest;
}

// Makes piece the falling piece with its highest block on row `top` and offset (0, 0) on
// column `column`, and writes its blocks into the board as the rules keep them.
void place_current_piece(Game& game, Piece piece, int column, int top) {
    piece.x = static_cast<Sint16>(column);
    piece.y = static_cast<Sint16>(top - smallest_row_offset(piece));
    game.current_piece = piece;
    for (const BlockOffset& block : piece.blocks) {
        game.set_cell(piece.x + block.x, piece.y + block.y, piece.tile);
    }
}

// Fills rows first..last (inclusive) with varied tiles and one hole per row.
void fill_holed_rows(Game& game, int first, int last) {
    for (int row = first; row <= last; row++) {
        for (int column = 0; column < game.board_width(); column++) {
            bool hole = column == (row * 3) % game.board_width();
            game.set_cell(column, row, hole ? empty_cell : (column + row) % tile_count);
        }
    }
}

void start_new_game(Game& game) {
    game.reset();
    game.next_piece = piece_from(game, 0);
}

// Shows the prepared board and the boxes in one full repaint.
void show_everything(Game& game) {
    game.draw_next_piece();
    game.draw_level();
    game.draw_points();
    game.draw_lines();
    game.compositor.full_redraw = true;
    game.update_screen();
}

bool is_uniform_row(const Game& game, int row, bool full) {
    for (Uint8 cell : game.board[row]) {
        if ((cell != empty_cell) != full) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool set_up_half_filled_board(Game& game) {
    if (!game.has_pieces()) {
        return false;
    }
    size_t tee = 0;
    for (size_t index = 0; index < game.piece_descriptions.size(); index++) {
        if (is_tee(piece_from(game, index))) {
            tee = index;
            break;
        }
    }
    start_new_game(game);
    fill_holed_rows(game, game.board_height() / 2, game.board_height() - 1);
    place_current_piece(game, piece_from(game, tee), game.board_width() / 2 - 1, 2);
    show_everything(game);
    return true;
}

bool set_up_four_row_landing(Game& game) {
    const int height = game.board_height();
    const int well = game.board_width() - 1;
    if (height < 10) {
        return false;
    }
    for (size_t index = 0; index < game.piece_descriptions.size(); index++) {
        Piece piece = piece_from(game, index);
        if (!is_straight(piece)) {
            continue;
        }
        if (piece.blocks[0].x != piece.blocks[1].x && !piece.turn(false)) {
            return false;
        }
        if (piece.blocks[0].x != piece.blocks[1].x) {
            return false;
        }
        start_new_game(game);
        fill_holed_rows(game, height / 2, height - 5);
        // The shaft down to the full rows stays open.
        for (int row = height / 2; row <= height - 5; row++) {
            game.set_cell(well, row, empty_cell);
        }
        for (int row = height - 4; row < height; row++) {
            for (int column = 0; column < well; column++) {
                game.set_cell(column, row, (column + row) % tile_count);
            }
        }
        place_current_piece(game, piece, well - piece.blocks[0].x, 2);
        show_everything(game);
        return true;
    }
    return false;
}

int redraw_changed_cells(Game& game, SDL_Rect* changed, int capacity) {
    int stored = 0;
    for (int row = 0; row < game.board_height(); row++) {
        for (int column = 0; column < game.board_width(); column++) {
            Uint8 value = game.board[row][column];
            if (value == game.shown_board[row][column]) {
                continue;
            }
            game.shown_board[row][column] = value;
            Element* cell = game.cell_element(column, row);
            if (cell == nullptr) {
                continue;
            }
            cell->surface = value < tile_count ? game.block_tiles[value] : nullptr;
            cell->dirty = true;
            if (stored < capacity) {
                changed[stored++] =
                    SDL_Rect{static_cast<Sint16>(cell->x), static_cast<Sint16>(cell->y),
                             cell->source.w, cell->source.h};
            }
        }
    }
    game.compositor.redraw(game.screen);
    return stored;
}

int full_rows(const Game& game) {
    int count = 0;
    for (int row = 0; row < game.board_height(); row++) {
        count += is_uniform_row(game, row, true) ? 1 : 0;
    }
    return count;
}

bool rows_closed_up(const Game& game) {
    bool empty_seen = false;
    for (int row = game.board_height() - 1; row >= 0; row--) {
        bool empty = is_uniform_row(game, row, false);
        if (empty_seen && !empty) {
            return false;
        }
        empty_seen = empty_seen || empty;
    }
    return true;
}
