// The benchmark scenes must be what their names promise, or the figures measure something
// else: a move that really moves, a landing that really clears four rows, a replay that
// really plays the recorded game again, and a cell pass that draws what update_screen draws.
#include "bench/bench_scenes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "bench/bench_world.h"
#include "bench/replay_player.h"

namespace {

class BenchScenes : public ::testing::Test {
protected:
    BenchWorld world;
    Game* game = nullptr;

    void SetUp() override {
        ASSERT_TRUE(world.open(BENCH_RUN_DIR, BENCH_SOURCE_DIR "/data/prefs.txt"));
        game = world.game.get();
    }

    int blocks_in_rows(int first, int last) const {
        int count = 0;
        for (int row = first; row <= last; row++) {
            for (Uint8 cell : game->board[row]) {
                count += cell != empty_cell ? 1 : 0;
            }
        }
        return count;
    }
};

}  // namespace

TEST_F(BenchScenes, HalfFilledBoardLetsTheTeeMoveBothWays) {
    ASSERT_TRUE(set_up_half_filled_board(*game));
    int height = game->board_height();
    int width = game->board_width();
    EXPECT_EQ(full_rows(*game), 0);
    EXPECT_EQ(blocks_in_rows(height / 2, height - 1), (height / 2) * (width - 1));
    EXPECT_EQ(blocks_in_rows(0, height / 2 - 1), 4);  // the falling piece
    EXPECT_EQ(game->shown_board, game->board);

    EXPECT_EQ(game->handle_event(world.key_event("move_left_key")), 1);
    EXPECT_EQ(game->handle_event(world.key_event("move_right_key")), 1);
    EXPECT_EQ(game->handle_event(world.key_event("move_right_key")), 1);
    EXPECT_EQ(blocks_in_rows(0, height / 2 - 1), 4);
}

TEST_F(BenchScenes, CellPassDrawsWhatUpdateScreenDraws) {
    ASSERT_TRUE(set_up_half_filled_board(*game));
    game->handle_event(world.key_event("move_left_key"));
    game->update_screen();
    ScreenShot by_update_screen(world.screen);

    ASSERT_TRUE(set_up_half_filled_board(*game));
    ScreenShot before_move(world.screen);
    std::vector<std::vector<Uint8>> board_before = game->board;
    game->handle_event(world.key_event("move_left_key"));
    SDL_Rect changed[8];
    int count = redraw_changed_cells(*game, changed, 8);
    EXPECT_EQ(game->shown_board, game->board);

    // One area per changed cell, in board order, each exactly the cell.
    int block = world.prefs.get_int("block_size");
    int stored = 0;
    for (int row = 0; row < game->board_height(); row++) {
        for (int column = 0; column < game->board_width(); column++) {
            if (board_before[row][column] == game->board[row][column]) {
                continue;
            }
            ASSERT_LT(stored, count);
            EXPECT_EQ(changed[stored].x, world.prefs.get_int("board_x") + column * block);
            EXPECT_EQ(changed[stored].y, world.prefs.get_int("board_y") + row * block);
            EXPECT_EQ(changed[stored].w, block);
            stored++;
        }
    }
    EXPECT_EQ(stored, count);
    EXPECT_GE(count, 2);
    EXPECT_EQ(by_update_screen.changed_pixels(world.screen), 0);
    EXPECT_GT(before_move.changed_pixels(world.screen), 0);
}

TEST_F(BenchScenes, LandingClearsFourRowsAndTheNextStepClosesThemUp) {
    ASSERT_TRUE(set_up_four_row_landing(*game));
    EXPECT_EQ(full_rows(*game), 0);
    EXPECT_EQ(game->handle_event(world.key_event("drop_key")), 1);
    EXPECT_EQ(game->lines, 4);
    EXPECT_EQ(game->points, 16);
    EXPECT_TRUE(game->collapse_pending);
    EXPECT_FALSE(rows_closed_up(*game));  // the emptied rows wait for one step

    int blocks = blocks_in_rows(0, game->board_height() - 1);
    EXPECT_EQ(game->gravity_step(), GravityResult::collapsed);
    EXPECT_TRUE(rows_closed_up(*game));
    EXPECT_EQ(blocks_in_rows(0, game->board_height() - 1), blocks);
}

TEST_F(BenchScenes, ReplayPlaysTheRecordedGameAgain) {
    std::vector<Plan> plans;
    ReplayResult recorded = record_replay(*game, 7, 300, plans);
    EXPECT_EQ(recorded.pieces, 300);
    EXPECT_EQ(plans.size(), 300u);
    EXPECT_GT(recorded.lines, 50);  // the player is good enough for a long game

    ReplayResult replayed = play_replay(*game, 7, plans);
    EXPECT_EQ(replayed.pieces, recorded.pieces);
    EXPECT_EQ(replayed.games, recorded.games);
    EXPECT_EQ(replayed.lines, recorded.lines);
    EXPECT_EQ(replayed.points, recorded.points);
}

TEST_F(BenchScenes, ScreenShotCountsExactlyTheChangedPixels) {
    SDL_FillRect(world.screen, nullptr, 0);
    ScreenShot shot(world.screen);
    EXPECT_EQ(shot.changed_pixels(world.screen), 0);
    SDL_Rect square{10, 20, 7, 5};
    SDL_FillRect(world.screen, &square, SDL_MapRGB(world.screen->format, 1, 2, 3));
    EXPECT_EQ(shot.changed_pixels(world.screen), 35);
}

TEST_F(BenchScenes, KeyEventCarriesTheBoundKey) {
    world.prefs.get_string("move_left_key") = "left";
    EXPECT_EQ(world.key_event("move_left_key").key.keysym.sym, SDLK_LEFT);
    world.prefs.get_string("move_left_key") = "no such key";
    EXPECT_EQ(world.key_event("move_left_key").key.keysym.sym, SDLK_UNKNOWN);
}
