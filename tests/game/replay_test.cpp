// Whole games played headless by the rules benchmark's scripted player from a fixed seed,
// compared with tests/game/replay_expected.txt. After an intended rule change, check the
// replay_actual.txt that a failing run names by eye and copy it over the expected file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/replay_player.h"
#include "tests/game/game_fixture.h"

namespace {

// A seed whose deal gives singles, doubles, a triple, four rows at once and a level-up in a
// landing of several rows.
const unsigned replay_seed = 8;
const int steered_pieces = 150;

char result_letter(GravityResult result) {
    return "mLCG"[static_cast<int>(result)];
}

std::string counters(const Game& game) {
    char text[128];
    std::snprintf(text, sizeof text, "points %d lines %d level %d level_lines %d interval %u%s",
                  game.points, game.lines, game.level, game.level_lines, game.fall_interval,
                  game.collapse_pending ? " collapse pending" : "");
    return text;
}

// The letters of the gravity steps a placement took, or "drop".
std::string steps_text(const Placement& placement) {
    if (placement.dropped) {
        return placement.end == GravityResult::game_over ? "drop G" : "drop";
    }
    return std::string(static_cast<size_t>(placement.moves), 'm') + result_letter(placement.end);
}

// One steered game: every piece is placed by plan; the board is shown every tenth piece.
std::string steered_game(Game& game) {
    std::string log;
    for (int number = 1; number <= steered_pieces; number++) {
        if (game.collapse_pending) {
            log += std::string("step ") + result_letter(game.gravity_step()) + "\n";
        }
        Plan plan = choose_plan(game, number);
        int tile = game.current_piece.tile;
        Placement placement = play_plan(game, plan);
        log += "piece " + std::to_string(number) + " tile " + std::to_string(tile) + " turns " +
               std::to_string(plan.turns) + " shift " + std::to_string(plan.shift) + " pushes " +
               std::to_string(plan.pushes) + " " + steps_text(placement) + ": " + counters(game) +
               "\n";
        if (placement.end == GravityResult::game_over) {
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
    // From the source folder the test environment names: __FILE__ may be relative to the
    // build folder (a compiler cache rewrites paths), and the test runs elsewhere.
    const char* sources = std::getenv("TEST_SOURCE_DIR");
    ASSERT_NE(nullptr, sources);
    std::string expected_path = std::string(sources) + "/tests/game/replay_expected.txt";
    EXPECT_EQ(log, read_file(expected_path))
        << "the play differs from " << expected_path << "; it is in " << actual_path;
}
