#include "bench/replay_player.h"

#include <cstdlib>

namespace {

const int topped_out = -100000;

// Turns as planned with the rule operations; false if a turn was refused.
bool turn_as_planned(Piece& piece, int turns) {
    if (turns == 3) {
        return piece.turn(true);
    }
    for (int k = 0; k < turns; k++) {
        if (!piece.turn(false)) {
            return false;
        }
    }
    return true;
}

// Slides the piece one column at a time; false if a wall or a block is in the way.
bool shift_as_planned(Piece& piece, int shift) {
    int step = shift < 0 ? -1 : 1;
    for (int k = 0; k != shift; k += step) {
        if (!piece.can_move(step, 0)) {
            return false;
        }
        piece.x = static_cast<Sint16>(piece.x + step);
    }
    return true;
}

// How good the board would be with the piece settled and its full rows gone. Only the
// player's taste; the rules never see it.
int judge(const Game& game, const Piece& piece) {
    std::vector<std::vector<Uint8>> board = game.board;
    for (const BlockOffset& block : piece.blocks) {
        int row = piece.y + block.y;
        if (row < 0) {
            return topped_out;  // would end the game
        }
        board[row][piece.x + block.x] = 0;
    }
    std::vector<std::vector<Uint8>> kept;
    for (const std::vector<Uint8>& row : board) {
        bool full = true;
        for (Uint8 cell : row) {
            full = full && cell != empty_cell;
        }
        if (!full) {
            kept.push_back(row);
        }
    }
    int full = static_cast<int>(board.size() - kept.size());
    int total_height = 0, holes = 0, bumps = 0, previous = -1, height = 0;
    for (size_t column = 0; column < kept[0].size(); column++) {
        height = 0;
        for (size_t row = 0; row < kept.size(); row++) {
            if (kept[row][column] != empty_cell) {
                height = height != 0 ? height : static_cast<int>(kept.size() - row);
            } else if (height != 0) {
                holes++;
            }
        }
        total_height += height;
        bumps += previous < 0 ? 0 : std::abs(height - previous);
        previous = height;
    }
    // The last height is the right-hand column's, kept free as a well for long bars.
    return 300 * full * full - 51 * total_height - 36 * holes - 18 * bumps - 100 * height;
}

void start_game(Game& game, ReplayResult& result) {
    game.reset();
    game.current_piece = game.random_piece();
    game.next_piece = game.random_piece();
    result.games++;
}

// The one loop behind recording and replaying: with `recorded` each plan is chosen and
// appended there, without it the plans of `replayed` are taken in order.
ReplayResult run_replay(Game& game, unsigned seed, long long pieces,
                        const std::vector<Plan>& replayed, std::vector<Plan>* recorded) {
    ReplayResult result;
    std::srand(seed);
    start_game(game, result);
    for (long long number = 0; number < pieces; number++) {
        if (game.collapse_pending) {
            game.gravity_step();  // keys wait while the emptied rows close up
        }
        if (recorded != nullptr) {
            recorded->push_back(choose_plan(game, number + 1));
        }
        const Plan& plan = recorded != nullptr ? recorded->back() : replayed[number];
        result.pieces++;
        if (play_plan(game, plan).end == GravityResult::game_over) {
            result.lines += game.lines;
            result.points += game.points;
            start_game(game, result);
        }
    }
    result.lines += game.lines;
    result.points += game.points;
    return result;
}

}  // namespace

Plan choose_plan(const Game& game, long long number) {
    Plan best{0, 0, number % 2 == 0, static_cast<Uint8>(number % 3)};
    int best_score = topped_out * 10;
    for (int turns = 0; turns < 4; turns++) {
        for (int shift = -5; shift <= 6; shift++) {
            Piece trial = game.current_piece;
            if (!turn_as_planned(trial, turns) || !shift_as_planned(trial, shift)) {
                continue;
            }
            while (trial.can_move(0, 1)) {
                trial.y = static_cast<Sint16>(trial.y + 1);
            }
            int score = judge(game, trial);
            if (score > best_score) {
                best_score = score;
                best.turns = static_cast<Uint8>(turns);
                best.shift = static_cast<Sint8>(shift);
            }
        }
    }
    return best;
}

Placement play_plan(Game& game, const Plan& plan) {
    if (plan.turns == 3) {
        game.turn_piece(true);
    }
    for (int k = 0; k < plan.turns && plan.turns != 3; k++) {
        game.turn_piece(false);
    }
    int step = plan.shift < 0 ? -1 : 1;
    for (int k = 0; k != plan.shift && game.current_piece.can_move(step, 0); k += step) {
        game.move_piece(step, 0);
    }
    for (int k = 0; k < plan.pushes && game.current_piece.can_move(0, 1); k++) {
        game.move_piece(0, 1);
    }
    if (plan.drop) {
        bool ended = game.drop_current_piece() == 2;
        return {true, 0, ended ? GravityResult::game_over : GravityResult::landed};
    }
    Placement placement{false, 0, GravityResult::moved};
    while ((placement.end = game.gravity_step()) == GravityResult::moved) {
        placement.moves++;
    }
    return placement;
}

ReplayResult record_replay(Game& game, unsigned seed, int pieces, std::vector<Plan>& plans) {
    plans.clear();
    return run_replay(game, seed, pieces, plans, &plans);
}

ReplayResult play_replay(Game& game, unsigned seed, const std::vector<Plan>& plans) {
    return run_replay(game, seed, static_cast<long long>(plans.size()), plans, nullptr);
}
