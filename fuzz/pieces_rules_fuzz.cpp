// Fuzzes the pieces file and the rules together: a real Game reads a fuzzed pieces file and
// plays a fuzzed sequence of actions on it, and after each the board, the falling piece, the
// bag, the counters and, after a redraw, the screen must agree. Input: byte 0 picks the width
// (1..12) and, from byte 0 / 12, the bag dealer (bit 0) and the hold box (bit 1); byte 1 the
// height (1..20) and, from byte 1 / 20, the landing shadow (bit 0); bytes 2 and 3 the length of
// the pieces file (little-endian); byte 4 the handling options (bit 0 a lock delay, bit 1 the
// kicks file, bits 2 to 4 the next count, bit 5 soft drop, bit 6 drop protection); byte 5 the
// length of the kicks file; then the pieces file, the kicks file, and one byte per action.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "fuzz/fuzz_support.h"
#include "game/game.h"

namespace {

// An action byte picks one letter (modulo 32): g a gravity step, the most frequent, as in a real
// game; l, r, d a move; z, u a turn; s the drop; p the pause; c the hold; f the focus lost; w a
// redraw; n a new game; t 100 ms passing (a lock delay running out, a held down key falling);
// k the down key let go.
const char action_letters[] = "ggggggglllrrrddzzzuuussppfwnctkt";
const char key_letters[] = "lrdzuspc";
const SDLKey keys[] = {SDLK_LEFT, SDLK_RIGHT, SDLK_DOWN, SDLK_z,
                       SDLK_UP,   SDLK_SPACE, SDLK_p,    SDLK_c};

// The fuzzed world; only the board size and the options vary.
const char* const world =
    "pieces_file: pieces.dat\nblock_size: 4\nboard_x: 100\nboard_y: 10\n"
    "next_piece_x: 4\nnext_piece_y: 4\nhold_x: 4\nhold_y: 70\n"
    "level_x: 4\nlevel_y: 40\nlevel_w: 12\nlevel_h: 6\npoints_x: 4\npoints_y: 50\n"
    "points_w: 12\npoints_h: 4\nlines_x: 4\nlines_y: 60\nlines_w: 12\nlines_h: 4\n"
    "key_repeat_delay: 0\nkey_repeat_rate: 0\npause_key: p\nturn_left_key: z\n"
    "turn_right_key: up\nmove_left_key: left\nmove_right_key: right\nmove_down_key: down\n"
    "drop_key: space\nhold_key: c\nbackground_img: background.bmp\nlevel_font: digits.bmp\n"
    "small_num_font: digits.bmp\ngame_over_img: over.bmp\npaused_img: paused.bmp\n"
    "blocks_img: blocks.bmp\n";

struct Counters {
    int level, points, lines;
    Uint32 fall_interval;
};

void check_game(const Game& game, const Counters& before) {
    for (const auto& row : game.board) {
        for (Uint8 cell : row) {
            require(cell == empty_cell || cell < tile_count, "a board cell holds no tile");
        }
    }
    const Piece& piece = game.current_piece;
    for (const BlockOffset& block : piece.blocks) {
        int col = piece.x + block.x;
        int row = piece.y + block.y;
        if (col >= 0 && row >= 0 && col < game.board_width() && row < game.board_height()) {
            require(game.board[row][col] == piece.tile, "a cell of the falling piece lost it");
        }
    }
    require(
        game.level >= before.level && game.points >= before.points && game.lines >= before.lines,
        "a counter went down");
    require(game.fall_interval <= before.fall_interval && game.fall_interval >= 70,
            "the fall slowed down or is faster than 70 ms");
    require(game.level_lines >= 0 && game.level_lines <= 9, "level_lines is not 0..9");
    std::set<int> bag(game.bag.begin(), game.bag.end());
    require(bag.size() == game.bag.size(), "the bag holds a description twice");
    require(
        bag.empty() || (*bag.begin() >= 0 && *bag.rbegin() < int(game.piece_descriptions.size())),
        "the bag holds no description");
}

// The screen shows every block of the board, and the landing shadow only in empty cells.
void check_shown(Game& game) {
    Piece shadow = game.landing_shadow();
    for (int row = 0; row < game.board_height(); row++) {
        for (int col = 0; col < game.board_width(); col++) {
            Uint8 shown = game.shown_board[row][col];
            require(shown == game.shown_value(col, row, shadow),
                    "the screen does not show the board");
            require(game.board[row][col] == empty_cell || shown == game.board[row][col],
                    "the shadow hides a block");
        }
    }
}

// Plays one action; true when it ended the game.
bool play_action(Game& game, char action) {
    SDL_Event event{};
    game.pass_time += 5;
    if (const char* key = std::strchr(key_letters, action)) {
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = keys[key - key_letters];
        return game.handle_event(event) == 2;
    }
    switch (action) {
        case 'f':
            event.type = SDL_ACTIVEEVENT;
            event.active.state = SDL_APPINPUTFOCUS;
            game.handle_event(event);
            return false;
        case 'g':  // the fall clock runs no steps while the game is paused
            return !game.paused && game.gravity_step() == GravityResult::game_over;
        case 't':
            game.pass_time += 100;
            game.soft_drop_step(game.pass_time);
            return game.rest_is_over() && game.gravity_step() == GravityResult::game_over;
        case 'k':
            event.type = SDL_KEYUP;
            event.key.keysym.sym = SDLK_DOWN;
            game.handle_event(event);
            return false;
        case 'w':
            if (!game.paused) {
                game.update_screen();
                check_shown(game);
            }
            return false;
        default:
            return action == 'n';
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    start_video(320, 200);
    save_strip("background.bmp", 320, 200, 1);
    save_strip("digits.bmp", 3, 4, 10);
    save_strip("over.bmp", 20, 8, 1);
    save_strip("paused.bmp", 18, 6, 1);
    save_strip("blocks.bmp", 4, 4, tile_count);
    write_bytes("world.txt", world, std::strlen(world));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6) {
        return 0;
    }
    ConfigStore prefs;
    require(prefs.load("world.txt") == 0, "no world");
    prefs.get_string("board_width") = int_to_text(1 + data[0] % 12);
    prefs.get_string("board_height") = int_to_text(1 + data[1] % 20);
    prefs.get_string("bag_dealer") = int_to_text(data[0] / 12 & 1);
    prefs.get_string("hold_piece") = int_to_text(data[0] / 24 & 1);
    prefs.get_string("ghost_piece") = int_to_text(data[1] / 20 & 1);
    size_t pieces_size = std::min(size - 6, data[2] | (static_cast<size_t>(data[3]) << 8));
    size_t kicks_size = std::min(size - 6 - pieces_size, static_cast<size_t>(data[5]));
    write_bytes("pieces.dat", data + 6, pieces_size);
    write_bytes("kicks.txt", data + 6 + pieces_size, kicks_size);
    int handling = data[4];
    prefs.set("lock_delay", handling & 1 ? "300" : "0");
    prefs.set("lock_resets", "3");
    prefs.set("kicks_file", handling & 2 ? "kicks.txt" : "");
    prefs.set("next_count", int_to_text(1 + (handling >> 2 & 7) % max_next_count));
    prefs.set("next_spacing", "8");
    prefs.set("soft_drop_interval", handling & 32 ? "30" : "0");
    prefs.set("drop_protect", handling & 64 ? "100" : "0");

    Game game(prefs);
    if (!game.has_pieces()) {
        return 0;  // the shell refuses to start a game then
    }
    // The game seeds from the clock; a fixed seed makes every input replay the same way.
    std::srand((1 + data[0] % 12) * 31 + 1 + data[1] % 20);
    bool new_game = true;
    game.start_handling();
    for (size_t i = 6 + pieces_size + kicks_size; i < size; i++) {
        if (new_game) {
            game.reset();
            game.current_piece = game.random_piece();
            game.next_piece = game.random_piece();
            game.deal_later_pieces();
            game.start_new_piece();
            game.show_hold_box();
        }
        Counters before{game.level, game.points, game.lines, game.fall_interval};
        new_game = play_action(game, action_letters[data[i] % 32]);
        check_game(game, before);
    }
    return 0;
}
