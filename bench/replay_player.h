// A long seeded game without a screen: a scripted player places every piece with the rules'
// own operations (turns, moves, drops and gravity steps, as the keys and the fall clock would).
// The player's choices are recorded once; replaying them from the same seed plays the very
// same game, so a timed replay costs only the rules.
#pragma once

#include <SDL.h>

#include <vector>

#include "game/game.h"

// How one piece is placed: right turns, columns to shift (negative: left), and whether it is
// dropped at once or left to gravity.
struct Plan {
    Uint8 turns;
    Sint8 shift;
    bool drop;
};

// What a replay did.
struct ReplayResult {
    long long pieces = 0;
    long long games = 0;  // games started; a topped-out game is reset and a new one dealt
    long long lines = 0;
    long long points = 0;
};

// Seeds the random generator, then plays `pieces` pieces on game, choosing each placement by
// looking at the board (holes, height, bumps, full rows) and appending it to plans.
ReplayResult record_replay(Game& game, unsigned seed, int pieces, std::vector<Plan>& plans);

// Seeds the random generator and plays the recorded plans again, one piece each. With the
// seed and the plans of record_replay it gives the same result.
ReplayResult play_replay(Game& game, unsigned seed, const std::vector<Plan>& plans);
