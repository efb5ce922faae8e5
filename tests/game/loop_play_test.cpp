// The fall clock driven with chosen tick counts, and whole games played headless through play.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/game/game_fixture.h"
#include "tests/game/loop_helpers.h"

namespace {

using LoopPlayTest = GameTest;

TEST_F(LoopPlayTest, FallClockTakesOneStepPerElapsedIntervalAcrossTheWrap) {
    Game& g = build_game();
    const struct {
        Uint32 last_fall, now;
        bool paused;
        int rows;  // the steps taken
        Uint32 after;
    } cases[] = {
        {1000, 1500, false, 0, 1000},
        {1000, 1501, false, 1, 1500},
        // A stall: every due step in one pass, each moving the clock by exactly one interval.
        {1000, 2600, false, 3, 2500},
        {1000, 9000, true, 0, 1000},
        // 528 ms have passed across the wrap: one step is due.
        {0xFFFFFE00u, 0x10, false, 1, 0xFFFFFFF4u},
        // 16 ms before the wrap nothing is due, although last_fall + fall_interval has wrapped.
        {0xFFFFFF00u, 0xFFFFFF10u, false, 0, 0xFFFFFF00u},
    };
    for (const auto& c : cases) {
        g.reset();
        place_piece(g, piece_tee, 3, 0);
        g.paused = c.paused;
        g.last_fall = c.last_fall;
        Game::FallSteps steps = g.advance_fall_clock(c.now);
        EXPECT_EQ(steps.changed, c.rows > 0) << c.now;
        EXPECT_FALSE(steps.game_over);
        EXPECT_EQ(g.current_piece.y, c.rows) << c.now;
        EXPECT_EQ(g.last_fall, c.after) << c.now;
    }

    // The bar falls one row to just above a full row 0, then cannot enter: the game is over,
    // and the third due step changes nothing more.
    g.reset();
    fill_row(g, 0);
    place_piece(g, piece_bar, 3, -3);
    std::vector<std::vector<Uint8>> board = g.board;
    g.last_fall = 1000;
    Game::FallSteps steps = g.advance_fall_clock(2501);
    EXPECT_TRUE(steps.changed && steps.game_over);
    EXPECT_EQ(g.current_piece.y, -2);
    EXPECT_EQ(g.last_fall, 2500u);
    EXPECT_EQ(g.board, board);
}

TEST_F(LoopPlayTest, APausedGameWakesOnItsKeysAndClosingTheWindowEndsPlayWithoutGameOver) {
    Game& g = build_game();
    // No gravity step during the test, however slowly it runs.
    g.fall_interval = 1000000;
    SDL_Event pause = key_down(SDLK_p);
    ASSERT_EQ(SDL_PushEvent(&pause), 0);
    // Sent once the paused loop is asleep: the resume key, a move and a drop behind it.
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        for (SDLKey key : {SDLK_p, SDLK_RIGHT, SDLK_SPACE}) {
            SDL_Event event = key_down(key);
            SDL_PushEvent(&event);
        }
    });
    {
        RepeatedPush close(quit_event(), 600, 100);
        EXPECT_TRUE(g.play());
    }
    player.join();
    EXPECT_FALSE(g.paused);
    EXPECT_EQ(key_repeat(), std::make_pair(200, 50));

    // The first piece was moved one column right, dropped to the floor and drawn there.
    std::string floor = row_blocks(g, 18) + row_blocks(g, 19);
    EXPECT_EQ(floor.size(), 4u) << board_text(g);
    EXPECT_EQ(floor.find_first_of("0123"), std::string::npos) << board_text(g);
    int column = floor[floor.size() - 1] - '0';
    EXPECT_EQ(screen_pixel(cell_x(column) + 5, cell_y(19) + 5), tile_colour(g.board[19][column]));
    // The counters were drawn at the start: a 0 at the right of the points box at (10, 150)
    // (box x 40, y 3), and the cleared rest of the box shows the background through; no
    // game-over picture over the well's centre.
    EXPECT_EQ(screen_pixel(50, 153), digit_colour(0));
    EXPECT_EQ(screen_pixel(49, 153), background_colour);
    EXPECT_EQ(screen_pixel(200, 240), background_colour);
}

}  // namespace
