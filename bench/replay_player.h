// A scripted player for seeded games without a screen, shared by the rules benchmark and the
// replay test (tests/game/replay_test.cpp): it places every piece with the rules' own
// operations (turns, moves, drops and gravity steps, as the keys and the fall clock would).
// Its choices are recorded once; replaying them from the same seed plays the very same game,
// so a timed replay costs only the rules.
#pragma once

#include <SDL.h>

#include <vector>

#include "game/game.h"

// How one piece is placed: the turns (0 none, 1 right, 2 right twice, 3 one left), the
// columns to shift (negative: left), whether it is dropped or left to gravity, and how many
// rows it is pushed down by hand first.
struct Plan {
    Uint8 turns;
    Sint8 shift;
    bool drop;
    Uint8 pushes;
};

// What placing one piece did: dropped or brought down by gravity (then `moves` steps moved
// it before the last step, whose result is `end`). A drop ends with landed or game_over.
struct Placement {
    bool dropped;
    int moves;
    GravityResult end;
};

// The player's plan for the falling piece, the `number`-th of the game (from 1): the turns and
// shift that leave the best board (full rows count for, height, holes, bumps and a filled
// right-hand column against); every second piece is dropped, and number % 3 rows pushed down.
Plan choose_plan(const Game& game, long long number);

// Carries the plan out on the real game as the keys and the fall clock would: turns, shifts
// while the piece can move, pushes, then the drop key or gravity steps until it settles.
Placement play_plan(Game& game, const Plan& plan);

// What a replay did.
struct ReplayResult {
    long long pieces = 0;
    long long games = 0;  // games started; a topped-out game is reset and a new one dealt
    long long lines = 0;
    long long points = 0;
};

// Seeds the random generator, then plays `pieces` pieces on game, choosing each placement by
// choose_plan and appending it to plans.
ReplayResult record_replay(Game& game, unsigned seed, int pieces, std::vector<Plan>& plans);

// Seeds the random generator and plays the recorded plans again, one piece each. With the
// seed and the plans of record_replay it gives the same result.
ReplayResult play_replay(Game& game, unsigned seed, const std::vector<Plan>& plans);
