// The rules: the board, moves, turns, landing, full rows, scoring, speed and dealing.
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "game/game.h"

void Game::check_board_geometry() {
    int width = config->get_int("board_width");
    int height = config->get_int("board_height");
    int block = config->get_int("block_size");
    // Every cell must exist and every cell's position must fit SDL's 16-bit screen coordinates;
    // an empty or enormous board would send the rules and the drawing past its edges.
    int x = config->get_int("board_x");
    int y = config->get_int("board_y");
    long long right = x + static_cast<long long>(block) * width;
    long long bottom = y + static_cast<long long>(block) * height;
    if (width <= 0 || height <= 0 || block <= 0 || x < -32768 || y < -32768 || right > 32767 ||
        bottom > 32767) {
        std::printf(
            "can't build a board of %i by %i cells of %i pixels at (%i, %i): check "
            "\"board_width\", \"board_height\", \"block_size\", \"board_x\" and "
            "\"board_y\"\n",
            width, height, block, x, y);
        std::exit(1);
    }
}

void Game::build_board() {
    std::vector<Uint8> row(config->get_int("board_width"), empty_cell);
    board.assign(config->get_int("board_height"), row);
    shown_board = board;
}

namespace {

// Writes value into every board cell a piece covers; cells outside the well are skipped.
void write_piece(Game& game, const Piece& piece, int value) {
    for (const BlockOffset& b : piece.blocks) {
        game.set_cell(piece.x + static_cast<int>(b.x), piece.y + static_cast<int>(b.y), value);
    }
}

// Rows emptied at one landing; every cleared row counts towards the next level.
int clear_full_rows(Game& game, int base) {
    int cleared = 0;
    for (int row = base; row < base + 4; row++) {
        if (game.row_uniform(true, row)) {
            for (int col = 0; col < game.board_width(); col++) {
                game.set_cell(col, row, empty_cell);
            }
            cleared++;
            game.lines++;
            game.level_lines++;
        }
        // Checked after every row, but the modulo in set_level keeps it to one level-up.
        if (game.level_lines > 9 && game.level_rises()) {
            game.set_level(game.level + 1);
            game.draw_level();
            game.pass_sounds.add(SoundEvent::level);
        }
    }
    return cleared;
}

}  // namespace

int random_between_with(int lo, int hi, int r) {
    if (lo > hi) {
        std::swap(lo, hi);
    }
    // 64 bits: hi - lo + 1 alone overflows an int for wide ranges.
    long long span = static_cast<long long>(hi) - lo + 1;
    return static_cast<int>(lo + span * r / random_range);
}

void Game::set_cell(int col, int row, int value) {
    if (col < 0 || row < 0 || col >= board_width() || row >= board_height()) {
        return;
    }
    board[row][col] = static_cast<Uint8>(value);
}

void Game::move_piece(int dx, int dy) {
    Piece old = current_piece;
    current_piece.x = static_cast<Sint16>(current_piece.x + dx);
    current_piece.y = static_cast<Sint16>(current_piece.y + dy);
    // Erase everything first so blocks whose old and new places overlap end up written.
    write_piece(*this, old, empty_cell);
    write_piece(*this, current_piece, current_piece.tile);
}

bool Game::turn_piece(bool left) {
    Piece old = current_piece;
    if (!current_piece.turn(left) && !turn_with_kicks(left)) {
        return false;
    }
    write_piece(*this, old, empty_cell);
    write_piece(*this, current_piece, current_piece.tile);
    return true;
}

GravityResult Game::gravity_step() {
    if (collapse_pending) {
        collapse_rows();
        collapse_pending = false;
        return GravityResult::collapsed;
    }
    if (current_piece.can_move(0, 1)) {
        move_piece(0, 1);
        return GravityResult::moved;
    }
    if (current_piece.top_row() < 0) {
        return GravityResult::game_over;
    }
    if (landing_waits()) {
        return GravityResult::resting;
    }
    land_piece();
    return GravityResult::landed;
}

void Game::land_piece() {
    // A piece on no board is never blocked and would fall forever.
    while (current_piece.board != nullptr && current_piece.can_move(0, 1)) {
        move_piece(0, 1);
    }
    write_piece(*this, current_piece, current_piece.tile);
    int base = current_piece.y;
    pieces_played++;

    current_piece = take_next_piece();
    start_new_piece();
    hold_used = false;
    draw_next_piece();

    int cleared = clear_full_rows(*this, base);
    pass_sounds.add(SoundEvent::land);
    if (cleared > 0) {
        pass_sounds.add(cleared >= 4 ? SoundEvent::clear4 : SoundEvent::clear);
    }
    points += cleared * cleared * level;
    // The emptied rows stay visible for one gravity step before the rows above close up.
    if (cleared > 0 && board_height() > 1) {
        collapse_pending = true;
    }
    draw_points();
    draw_lines();
}

bool Game::row_uniform(bool full, int row) {
    if (row < 0 || row >= board_height()) {
        return false;
    }
    for (int col = 0; col < board_width(); col++) {
        if (current_piece.occupies(col, row)) {
            return false;
        }
        bool empty = board[row][col] == empty_cell;
        if (full == empty) {
            return false;
        }
    }
    return true;
}

bool Game::collapse_rows() {
    int gap = 0;
    int moved = 0;
    for (int row = board_height() - 1; row >= 0; row--) {
        if (row_uniform(false, row)) {
            gap++;
            continue;
        }
        if (gap == 0) {
            continue;
        }
        for (int col = 0; col < board_width(); col++) {
            if (current_piece.occupies(col, row)) {
                continue;
            }
            board[row + gap][col] = board[row][col];
            board[row][col] = empty_cell;
            moved++;
        }
    }
    if (moved > 0) {
        collapse_pending = false;
        return true;
    }
    return false;
}

void Game::speed_up() {
    // (interval + 35) / 1.5 in integers; its fixed point 70 is the fastest fall.
    fall_interval = 2 * (fall_interval + 35) / 3;
}

void Game::set_level(int new_level) {
    speed_up();
    level = new_level;
    level_lines %= 10;
}

int Game::random_between(int lo, int hi) {
    // Only the low 15 bits, so every C library gives the same 32768 equally likely values.
    return random_between_with(lo, hi, std::rand() % random_range);
}

Piece Game::random_piece() {
    if (!has_pieces()) {
        // Callers refuse to start a game without pieces; dealing garbage would be worse than
        // stopping here.
        std::printf("no piece to deal: the pieces file gave none\n");
        std::fflush(stdout);
        std::abort();
    }
    int last = static_cast<int>(piece_descriptions.size()) - 1;
    return dealt_piece(option_on("bag_dealer") ? draw_from_bag() : random_between(0, last));
}

Piece Game::dealt_piece(int index) {
    Piece piece(piece_descriptions[index], spawn_column(), -4, this);
    piece.dealt_from = index;
    return piece;
}

void Game::reset() {
    paused = false;
    collapse_pending = false;
    pass_sounds = SoundEvents();
    level = 1;
    points = 0;
    lines = 0;
    level_lines = 0;
    fall_interval = 500;
    empty_hold();
    bag.clear();
    for (int row = 0; row < board_height(); row++) {
        for (int col = 0; col < board_width(); col++) {
            board[row][col] = empty_cell;
            shown_board[row][col] = empty_cell;
            if (Element* cell = cell_element(col, row)) {
                cell->surface = nullptr;
            }
        }
    }
    // The whole game screen is repainted at the next redraw.
    for (Element& element : compositor.elements) {
        element.dirty = true;
    }
}
