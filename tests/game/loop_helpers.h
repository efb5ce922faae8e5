// Helpers for the game loop tests: events as SDL delivers them, placing a known piece on the
// board, and a helper thread that feeds events into a loop that is already running.
#pragma once

#include <SDL.h>

#include <atomic>
#include <thread>
#include <utility>

#include "game/game.h"

// Indexes of the test pieces in the fixture's pieces file.
const int piece_i = 0;
const int piece_o = 1;
const int piece_t = 2;

inline SDL_Event key_down(SDLKey key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    return event;
}

inline SDL_Event focus_event(Uint8 state, Uint8 gain) {
    SDL_Event event{};
    event.type = SDL_ACTIVEEVENT;
    event.active.type = SDL_ACTIVEEVENT;
    event.active.state = state;
    event.active.gain = gain;
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

// Makes the test piece `index` the falling piece at (x, y), writes its cells into the board
// as the rules keep them, and deals a next piece.
inline void place_piece(Game& game, int index, int x, int y) {
    Piece& piece = game.current_piece;
    piece = Piece(game.piece_descriptions[index], static_cast<Sint16>(x), static_cast<Sint16>(y),
                  &game);
    for (const BlockOffset& block : piece.blocks) {
        game.set_cell(x + block.x, y + block.y, piece.tile);
    }
    game.next_piece = game.random_piece();
}

// Fills row with tile 0 except column 0, so it blocks pieces but is never a full row.
inline void fill_row_but_one(Game& game, int row) {
    for (int column = 1; column < game.board_width(); column++) {
        game.board[row][column] = 0;
    }
}

// Pushes one event from a helper thread, first after delay_ms and then every period_ms, until
// the pusher is destroyed: a blocking loop started after it is sure to receive the event, even
// if the loop discards what was queued before it began waiting.
class RepeatedPush {
public:
    RepeatedPush(SDL_Event event, Uint32 delay_ms, Uint32 period_ms)
        : stop(false), thread([this, event, delay_ms, period_ms] {
              wait(delay_ms);
              while (!stop) {
                  SDL_Event copy = event;
                  SDL_PushEvent(&copy);
                  wait(period_ms);
              }
          }) {}
    ~RepeatedPush() {
        stop = true;
        thread.join();
    }
    RepeatedPush(const RepeatedPush&) = delete;
    RepeatedPush& operator=(const RepeatedPush&) = delete;

private:
    std::atomic<bool> stop;
    std::thread thread;

    void wait(Uint32 ms) {
        for (Uint32 waited = 0; waited < ms && !stop; waited += 5) {
            SDL_Delay(5);
        }
    }
};
