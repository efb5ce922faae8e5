#include "bench/replay_player.h"

#include <cstdlib>

namespace {

const int widest_shift = 5;

// Board scoring weights, in hundredths: full rows are good, height, holes and bumps are bad.
const int weight_full_row = 76;
const int weight_height = -51;
const int weight_hole = -36;
const int weight_bump = -18;
const int topped_out = -1000000;

void start_game(Game& game, ReplayResult& result) {
    game.reset();
    game.current_piece = game.random_piece();
    game.next_piece = game.random_piece();
    result.games++;
}

bool turn_and_shift(Piece& piece, const Plan& plan) {
    for (int k = 0; k < plan.turns; k++) {
        if (!piece.turn(false)) {
            return false;
        }
    }
    int step = plan.shift < 0 ? -1 : 1;
    for (int k = 0; k != plan.shift; k += step) {
        if (!piece.can_move(step, 0)) {
            return false;
        }
        piece.x = static_cast<Sint16>(piece.x + step);
    }
    return true;
}

// Heights, holes and bumps of the board with the settled piece written in and full rows
// taken out.
int judge(const Game& game, const Piece& piece) {
    std::vector<std::vector<Uint8>> board = game.board;
    for (const BlockOffset& block : piece.blocks) {
        int row = piece.y + block.y;
        if (row < 0) {
            return topped_out;
        }
        board[row][piece.x + block.x] = piece.tile;
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
    int total_height = 0, holes = 0, bumps = 0, previous = -1;
    for (size_t column = 0; column < kept[0].size(); column++) {
        int height = 0;
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
    return weight_full_row * full + weight_height * total_height + weight_hole * holes +
           weight_bump * bumps;
}

Plan choose_plan(const Game& game, long long number) {
    Plan best{0, 0, number % 2 == 0};
    int best_score = topped_out - 1;
    for (int turns = 0; turns < 4; turns++) {
        for (int shift = -widest_shift; shift <= widest_shift; shift++) {
            Plan plan{static_cast<Uint8>(turns), static_cast<Sint8>(shift), best.drop};
            Piece trial = game.current_piece;
            if (!turn_and_shift(trial, plan)) {
                continue;
            }
            while (trial.can_move(0, 1)) {
                trial.y = static_cast<Sint16>(trial.y + 1);
            }
            int score = judge(game, trial);
            if (score > best_score) {
                best_score = score;
                best = plan;
            }
        }
    }
    return best;
}

// Carries the plan out as the keys and the fall clock would. False when the game is over.
bool place_piece(Game& game, const Plan& plan) {
    for (int k = 0; k < plan.turns; k++) {
        game.turn_piece(false);
    }
    int step = plan.shift < 0 ? -1 : 1;
    for (int k = 0; k != plan.shift && game.current_piece.can_move(step, 0); k += step) {
        game.move_piece(step, 0);
    }
    if (plan.drop) {
        // The drop key's own test for the end of the game.
        if (!game.current_piece.can_move(0, 1) && game.current_piece.y < 0) {
            return false;
        }
        game.land_piece();
        return true;
    }
    GravityResult step_result;
    do {
        step_result = game.gravity_step();
    } while (step_result == GravityResult::moved);
    return step_result != GravityResult::game_over;
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
            recorded->push_back(choose_plan(game, number));
        }
        const Plan& plan = recorded != nullptr ? recorded->back() : replayed[number];
        result.pieces++;
        if (!place_piece(game, plan)) {
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

ReplayResult record_replay(Game& game, unsigned seed, int pieces, std::vector<Plan>& plans) {
    plans.clear();
    return run_replay(game, seed, pieces, plans, &plans);
}

ReplayResult play_replay(Game& game, unsigned seed, const std::vector<Plan>& plans) {
    return run_replay(game, seed, static_cast<long long>(plans.size()), plans, nullptr);
}
