#include "game/game_numbers.h"

#include <cstdio>

void PlayClock::start(Uint32 now) {
    banked = 0;
    since = now;
    running = true;
}

void PlayClock::stop(Uint32 now) {
    if (running) {
        banked += now - since;
        running = false;
    }
}

void PlayClock::resume(Uint32 now) {
    if (!running) {
        since = now;
        running = true;
    }
}

Uint32 PlayClock::played(Uint32 now) const {
    // Unsigned differences stay right when the tick counter wraps.
    return banked + (running ? now - since : 0);
}

double pieces_per_second(const GameNumbers& numbers) {
    return numbers.played_ms == 0 ? 0.0 : numbers.pieces * 1000.0 / numbers.played_ms;
}

double lines_per_minute(const GameNumbers& numbers) {
    return numbers.played_ms == 0 ? 0.0 : numbers.lines * 60000.0 / numbers.played_ms;
}

double presses_per_piece(const GameNumbers& numbers) {
    return numbers.pieces == 0 ? 0.0 : static_cast<double>(numbers.presses) / numbers.pieces;
}

std::string clock_digits(Uint32 milliseconds) {
    Uint32 hundredths = milliseconds / 10;
    char text[32];
    std::snprintf(text, sizeof text, "%u %02u %02u", hundredths / 6000, hundredths / 100 % 60,
                  hundredths % 100);
    return text;
}
