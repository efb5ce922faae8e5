// A small, fully known game world for the game tests: a scratch folder with "prefs.txt",
// plain-colour images whose colours tell tiles and digits apart, and a pieces file, and a
// 32-bit window to draw into.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "game/game.h"
#include "tests/support/test_support.h"

// Window 320x480; board 10x20 cells of 20 pixels at (100, 40); next piece box at (10, 10);
// level box 60x30 at (10, 100); points box 50x20 at (10, 150); lines box 50x20 at (10, 200);
// level glyphs 15x20; small glyphs 10x14; paused image 101x31; game-over image 121x41.
const int test_block = 20;
const Uint32 background_colour = 0x202020;
const Uint32 paused_colour = 0xFFFF00;
const Uint32 game_over_colour = 0x00FFFF;

// The colours of block tile i and of digit d in the test images.
inline Uint32 tile_colour(int tile) {
    const Uint32 colours[tile_count] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFF00FF,
                                        0x00FFFF, 0xFF8000, 0x8000FF};
    return colours[tile];
}
inline Uint32 digit_colour(int digit) {
    return 0x10A000 + 0x100000 * static_cast<Uint32>(digit) + 0x10 * static_cast<Uint32>(digit);
}

// Four of the seven test pieces as the pieces file holds them: the bar (tile 0) lies on row 1 of
// its box, the square, the tee points up, the ess alternates its turns; and the bar standing in
// column 1.
extern const std::string piece_bar, piece_square, piece_tee, piece_ess, piece_upright_bar;

// Makes the piece of `description` the falling piece at (x, y), writes its cells into the
// board as the rules keep them during a game, and deals a next piece.
void place_piece(Game& game, const std::string& description, int x, int y);
// Saves a w by h picture of one colour (0xRRGGBB) as a BMP file.
void save_picture(const std::string& path, int w, int h, Uint32 rgb);
// Fills row with tile 5 except column 0: it blocks pieces but is never full.
void fill_row(Game& game, int row);
// The columns of row that hold a block, as text: "345".
std::string row_blocks(const Game& game, int row);
// The board as text: one line per row, "." for an empty cell, the tile digit for a block.
std::string board_text(const Game& game);

class GameTest : public ::testing::Test {
protected:
    ConfigStore prefs;
    std::unique_ptr<Game> game;
    std::string folder;

    // Opens a 32-bit window, writes the test world to a scratch folder named after the test,
    // loads its "prefs.txt" into prefs and makes the folder the working directory.
    void SetUp() override;
    void TearDown() override;

    // Builds the game from prefs, with settings (key, value) set in them first (change prefs to
    // vary the world).
    Game& build_game(const std::vector<std::pair<const char*, const char*>>& settings = {});
    Uint32 screen_pixel(int x, int y) { return pixel_at(SDL_GetVideoSurface(), x, y); }
    // The screen position of the top-left pixel of board cell (column, row).
    static int cell_x(int column) { return 100 + test_block * column; }
    static int cell_y(int row) { return 40 + test_block * row; }

private:
    std::string previous_folder;
};

inline SDL_Event key_down(SDLKey key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    return event;
}

inline SDL_Event key_up(SDLKey key) {
    SDL_Event event = key_down(key);
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    return event;
}

inline SDL_Event quit_event() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
}

// Key repeat as the game last set it: (delay, interval), (0, 0) when it is off.
inline std::pair<int, int> key_repeat() {
    int delay = -1;
    int interval = -1;
    SDL_GetKeyRepeat(&delay, &interval);
    return {delay, interval};
}

// Pushes one event from a helper thread, first after delay_ms and then every period_ms, until
// the pusher is destroyed: a blocking loop started after it is sure to receive the event, even
// if the loop discards what was queued before it began waiting.
class RepeatedPush {
public:
    RepeatedPush(SDL_Event event, Uint32 delay_ms, Uint32 period_ms)
        : thread([this, event, delay_ms, period_ms] {
              SDL_Delay(delay_ms);
              for (SDL_Event copy = event; !stop; copy = event) {
                  SDL_PushEvent(&copy);
                  SDL_Delay(period_ms);
              }
          }) {}
    ~RepeatedPush() {
        stop = true;
        thread.join();
    }

private:
    std::atomic<bool> stop{false};
    std::thread thread;
};
