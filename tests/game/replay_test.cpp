// A headless replay of whole games: with a fixed seed, a scripted player drives the real Game
// through moves, turns, drops and gravity steps, and the text of the play is compared with
// tests/game/replay_expected.txt. Any change to the rules changes the text.
//
// After an intended rule change, check the replay_actual.txt that a failing run names by eye
// and copy it over the expected file.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/game/board_text.h"
#include "tests/game/game_fixture.h"
#include "tests/support/test_support.h"

namespace {

// A seed whose deal gives singles, doubles, a triple, four rows at once and a level-up in a
// landing of several rows.
const unsigned replay_seed = 8;
const int steered_pieces = 150;

// How the player places a piece: the turns (0 none, 1 right, 2 right twice, 3 one left), the
// columns to shift, whether to drop it or let gravity bring it down, and how many rows to
// push it down by hand first.
struct Plan {
    int turns;
    int shift;
    bool drop;
    int pushes;
};

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* pattern, ...) {
    char text[256];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(text, sizeof text, pattern, args);
    va_end(args);
    return text;
}

// Turns the piece as a plan says, with the rule operations; false if a turn was refused.
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

// How good the board would be with the piece settled and its full rows gone: full rows count
// for, height, holes and bumps against. Only the player's taste; the rules never see it.
int judge(const Game& game, const Piece& piece) {
    std::vector<std::vector<Uint8>> board = game.board;
    for (const BlockOffset& b : piece.blocks) {
        int row = piece.y + b.y;
        if (row < 0) {
            return -100000;  // would end the game
        }
        board[row][piece.x + b.x] = 0;
    }
    std::vector<std::vector<Uint8>> kept;
    for (const auto& row : board) {
        bool full = true;
        for (Uint8 cell : row) {
            full = full && cell != empty_cell;
        }
        if (!full) {
            kept.push_back(row);
        }
    }
    int full = static_cast<int>(board.size() - kept.size());
    int holes = 0;
    int total_height = 0;
    int bumps = 0;
    int previous = -1;
    int well = 0;
    for (size_t col = 0; col < kept[0].size(); col++) {
        int height = 0;
        for (size_t row = 0; row < kept.size(); row++) {
            if (kept[row][col] != empty_cell) {
                height = height ? height : static_cast<int>(kept.size() - row);
            } else if (height) {
                holes++;
            }
        }
        total_height += height;
        well = height;
        bumps += previous < 0 ? 0 : std::abs(height - previous);
        previous = height;
    }
    return 300 * full * full - 51 * total_height - 36 * holes - 18 * bumps - 100 * well;
}

Plan choose_plan(Game& game, int number) {
    Plan best{0, 0, number % 2 == 0, number % 3};
    int best_score = -1000000;
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
                best.turns = turns;
                best.shift = shift;
            }
        }
    }
    return best;
}

char result_letter(GravityResult result) {
    switch (result) {
        case GravityResult::moved: return 'm';
        case GravityResult::landed: return 'L';
        case GravityResult::collapsed: return 'C';
        case GravityResult::game_over: return 'G';
    }
    return '?';
}

std::string counters(const Game& game) {
    return format("points %d lines %d level %d level_lines %d interval %u%s", game.points,
                  game.lines, game.level, game.level_lines, game.fall_interval,
                  game.collapse_pending ? " collapse pending" : "");
}

// Carries out the plan on the real game with the operations the keys use. Returns the
// letters of the gravity steps taken, or "drop".
std::string play_plan(Game& game, const Plan& plan) {
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
        game.land_piece();
        return "drop";
    }
    std::string steps;
    GravityResult result;
    do {
        result = game.gravity_step();
        steps += result_letter(result);
    } while (result == GravityResult::moved);
    return steps;
}

// One steered game: every piece is placed by plan; the board is shown every tenth piece.
std::string steered_game(Game& game) {
    std::string log;
    for (int number = 1; number <= steered_pieces; number++) {
        if (game.collapse_pending) {
            log += format("step %c\n", result_letter(game.gravity_step()));
        }
        Plan plan = choose_plan(game, number);
        int tile = game.current_piece.tile;
        std::string steps = play_plan(game, plan);
        log += format("piece %d tile %d turns %d shift %d pushes %d %s: ", number, tile,
                      plan.turns, plan.shift, plan.pushes, steps.c_str()) +
               counters(game) + "\n";
        if (steps.back() == 'G') {
            return log + "game over\n" + board_text(game);
        }
        if (number % 10 == 0) {
            log += board_text(game);
        }
    }
    return log;
}

// No more steering: pieces fall where they are dealt until the stack ends the game.
std::string unsteered_end(Game& game) {
    std::string steps;
    GravityResult result;
    do {
        result = game.gravity_step();
        if (result != GravityResult::moved) {
            steps += result_letter(result);
        }
    } while (result != GravityResult::game_over && steps.size() < 1000);
    return "unsteered " + steps + ": " + counters(game) + "\n" + board_text(game);
}

}  // namespace

TEST_F(GameTest, ReplayOfScriptedGamesMatchesTheRecording) {
    Game& g = build_game();
    std::srand(replay_seed);
    g.current_piece = g.random_piece();
    g.next_piece = g.random_piece();
    std::string log = steered_game(g);
    log += unsteered_end(g);

    g.reset();
    log += "after reset: " + counters(g) + "\n";
    g.current_piece = g.random_piece();
    g.next_piece = g.random_piece();
    log += unsteered_end(g);

    std::string actual_path = folder + "/replay_actual.txt";
    write_file(actual_path, log);
    // Beside this source file, which the build names by its full path.
    std::string source = __FILE__;
    std::string expected_path = source.substr(0, source.rfind('/')) + "/replay_expected.txt";
    EXPECT_EQ(log, read_file(expected_path))
        << "the play differs from " << expected_path << "; it is in " << actual_path;
}
