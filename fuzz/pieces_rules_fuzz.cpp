// Fuzzes the pieces file and the rules together: a fuzzed pieces file is read by a real Game
// (dummy video driver, small generated images), then a fuzzed sequence of moves, turns, drops,
// holds, gravity steps, pauses, redraws and new games is played on it. After every action the
// board must hold only 255 or tiles 0..6, the falling piece's cells in the well must hold its
// tile, the bag holds only undealt descriptions, and within one game the counters never go
// down; a redraw shows the board with the landing shadow in its empty cells.
//
// Input: byte 0 picks the board width (1..12) and, from byte 0 / 12, the bag dealer (bit 0) and
// the hold box (bit 1); byte 1 the height (1..20) and, from byte 1 / 20, the landing shadow
// (bit 0); bytes 2 and 3 the length of the pieces file (little-endian), then the pieces file,
// then one byte per action (see action_table).
#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "fuzz/fuzz_support.h"
#include "game/game.h"

namespace {

enum Action {
    key_left,
    key_right,
    key_down,
    key_turn_left,
    key_turn_right,
    key_drop,
    key_pause,
    key_hold,
    focus_lost,
    gravity,
    redraw,
    new_game
};

// An action byte picks one entry (modulo 32). Gravity steps come most often, as in a real
// game; redraws and new games, which repaint or rename every cell, least.
const Action action_table[32] = {
    gravity,       gravity,        gravity,        gravity,        gravity,       gravity,
    gravity,       gravity,        key_left,       key_left,       key_left,      key_right,
    key_right,     key_right,      key_down,       key_down,       key_turn_left, key_turn_left,
    key_turn_left, key_turn_right, key_turn_right, key_turn_right, key_drop,      key_drop,
    key_drop,      key_pause,      key_pause,      focus_lost,     redraw,        redraw,
    new_game,      key_hold};

const SDLKey action_keys[] = {SDLK_LEFT, SDLK_RIGHT, SDLK_DOWN, SDLK_z,
                              SDLK_UP,   SDLK_SPACE, SDLK_p,    SDLK_c};

void save_strip(const std::string& name, int w, int h, int count) {
    SDL_Surface* strip =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h * count, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    require(strip != nullptr, "cannot make an image");
    for (int i = 0; i < count; i++) {
        SDL_Rect stripe{0, static_cast<Sint16>(i * h), static_cast<Uint16>(w),
                        static_cast<Uint16>(h)};
        SDL_FillRect(strip, &stripe, 0x203040u * static_cast<Uint32>(i + 1));
    }
    require(SDL_SaveBMP(strip, (scratch_folder() + "/" + name).c_str()) == 0, "cannot save");
    SDL_FreeSurface(strip);
}

// Which of the player's options a fuzzed world has on.
struct Options {
    bool bag;
    bool hold;
    bool shadow;
};

// The preferences of the fuzzed world; only the board size and the options vary.
void fill_prefs(ConfigStore& prefs, int width, int height, Options options) {
    prefs.get_string("bag_dealer") = options.bag ? "1" : "0";
    prefs.get_string("hold_piece") = options.hold ? "1" : "0";
    prefs.get_string("ghost_piece") = options.shadow ? "1" : "0";
    const std::string folder = scratch_folder() + "/";
    prefs.get_string("pieces_file") = folder + "pieces.dat";
    prefs.get_string("board_width") = int_to_text(width);
    prefs.get_string("board_height") = int_to_text(height);
    const char* numbers[][2] = {
        {"block_size", "4"},       {"board_x", "100"},        {"board_y", "10"},
        {"next_piece_x", "4"},     {"next_piece_y", "4"},     {"level_x", "4"},
        {"level_y", "40"},         {"level_w", "12"},         {"level_h", "6"},
        {"points_x", "4"},         {"points_y", "50"},        {"points_w", "12"},
        {"points_h", "4"},         {"lines_x", "4"},          {"lines_y", "60"},
        {"lines_w", "12"},         {"lines_h", "4"},          {"key_repeat_delay", "0"},
        {"key_repeat_rate", "0"},  {"pause_key", "p"},        {"turn_left_key", "z"},
        {"turn_right_key", "up"},  {"move_left_key", "left"}, {"move_right_key", "right"},
        {"move_down_key", "down"}, {"drop_key", "space"},     {"hold_key", "c"},
        {"hold_x", "4"},           {"hold_y", "70"}};
    for (const auto& [key, value] : numbers) {
        prefs.get_string(key) = value;
    }
    const char* images[][2] = {{"background_img", "background.bmp"}, {"level_font", "digits.bmp"},
                               {"small_num_font", "digits.bmp"},     {"game_over_img", "over.bmp"},
                               {"paused_img", "paused.bmp"},         {"blocks_img", "blocks.bmp"}};
    for (const auto& [key, file] : images) {
        prefs.get_string(key) = folder + file;
    }
}

struct Counters {
    int level;
    int points;
    int lines;
    Uint32 fall_interval;
};

Counters counters_of(const Game& game) {
    return Counters{game.level, game.points, game.lines, game.fall_interval};
}

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
    require(game.level >= before.level, "the level went down");
    require(game.points >= before.points, "the points went down");
    require(game.lines >= before.lines, "the lines went down");
    require(game.fall_interval <= before.fall_interval, "the fall slowed down");
    require(game.fall_interval >= 70, "the fall is faster than 70 ms");
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

void deal(Game& game) {
    game.current_piece = game.random_piece();
    game.next_piece = game.random_piece();
    game.show_hold_box();
}

void new_game_on(Game& game) {
    game.reset();
    deal(game);
}

// Plays one action; true when it ended the game.
bool play_action(Game& game, Action action) {
    if (action <= key_pause) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = action_keys[action];
        return game.handle_event(event) == 2;
    }
    switch (action) {
        case focus_lost: {
            SDL_Event event{};
            event.type = SDL_ACTIVEEVENT;
            event.active.state = SDL_APPINPUTFOCUS;
            event.active.gain = 0;
            game.handle_event(event);
            return false;
        }
        case gravity:
            // The fall clock runs no steps while the game is paused.
            return !game.paused && game.gravity_step() == GravityResult::game_over;
        case redraw:
            if (!game.paused) {
                game.update_screen();
                check_shown(game);
            }
            return false;
        default:
            return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    require(SDL_Init(SDL_INIT_VIDEO) == 0, "SDL_Init failed");
    require(SDL_SetVideoMode(320, 200, 32, SDL_SWSURFACE) != nullptr, "no window");
    save_strip("background.bmp", 320, 200, 1);
    save_strip("digits.bmp", 3, 4, 10);
    save_strip("over.bmp", 20, 8, 1);
    save_strip("paused.bmp", 18, 6, 1);
    save_strip("blocks.bmp", 4, 4, tile_count);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) {
        return 0;
    }
    int width = 1 + data[0] % 12;
    int height = 1 + data[1] % 20;
    Options options{(data[0] / 12 & 1) != 0, (data[0] / 24 & 1) != 0, (data[1] / 20 & 1) != 0};
    size_t pieces_size = data[2] | (static_cast<size_t>(data[3]) << 8);
    data += 4;
    size -= 4;
    if (pieces_size > size) {
        pieces_size = size;
    }
    write_bytes(scratch_folder() + "/pieces.dat", data, pieces_size);
    const uint8_t* actions = data + pieces_size;
    size_t action_count_in_input = size - pieces_size;

    ConfigStore prefs;
    fill_prefs(prefs, width, height, options);
    Game game(prefs);
    if (!game.has_pieces()) {
        return 0;  // the shell refuses to start a game then
    }
    // The game seeds from the clock; a fixed seed makes every input replay the same way.
    std::srand(width * 31 + height);
    deal(game);
    Counters before = counters_of(game);
    for (size_t i = 0; i < action_count_in_input; i++) {
        Action action = action_table[actions[i] % 32];
        bool ended = action == new_game || play_action(game, action);
        if (ended) {
            new_game_on(game);
            before = counters_of(game);
        }
        check_game(game, before);
        before = counters_of(game);
    }
    return 0;
}
