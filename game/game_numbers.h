// The numbers of a game: the clock of the time played and the rates a summary shows.
#pragma once

#include <SDL.h>

#include <string>

// The time played: runs from start, stands still between stop and resume (a pause). Every
// operation takes "now" from its caller, in SDL_GetTicks milliseconds.
struct PlayClock {
    Uint32 banked = 0;  // played before the current run
    Uint32 since = 0;   // when the current run began
    bool running = false;

    void start(Uint32 now);
    void stop(Uint32 now);
    void resume(Uint32 now);
    // Milliseconds played up to now (wrap-safe).
    Uint32 played(Uint32 now) const;
};

// What one game counted.
struct GameNumbers {
    int points = 0;
    int lines = 0;
    int level = 0;
    int pieces = 0;   // every piece played, the last one of the game too
    int presses = 0;  // key or pad presses that moved, turned, dropped or held the piece
    Uint32 played_ms = 0;
};

// Pieces per second, rows per minute and presses per piece; 0 when nothing was played (no
// time, no piece) rather than a division by zero.
double pieces_per_second(const GameNumbers& numbers);
double lines_per_minute(const GameNumbers& numbers);
double presses_per_piece(const GameNumbers& numbers);

// The clock's digits as the game screen draws them: minutes, seconds and hundredths, separated
// by spaces ("1 05 30" for 65.3 s); the minutes are at least one digit.
std::string clock_digits(Uint32 milliseconds);
