// The fall clock driven with chosen tick counts, and a whole game played headless through play
// with keys and a pad.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "tests/game/game_fixture.h"

namespace {

SDL_Event pad_event(Uint8 type, Uint8 number, int value) {
    SDL_Event event{};
    event.type = type;
    if (type == SDL_JOYAXISMOTION) {
        event.jaxis = SDL_JoyAxisEvent{type, 0, number, static_cast<Sint16>(value)};
    } else if (type == SDL_JOYHATMOTION) {
        event.jhat = SDL_JoyHatEvent{type, 0, number, static_cast<Uint8>(value)};
    } else {
        event.jbutton = SDL_JoyButtonEvent{type, 0, number, SDL_PRESSED};
    }
    return event;
}

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

TEST_F(LoopPlayTest, APausedGameWakesOnItsKeyTakesThePadAndTheLeaveKeyEndsItUncounted) {
    prefs.get_string("move_right_pad") = "axis 0+";
    prefs.get_string("move_left_pad") = "hat left";
    prefs.get_string("drop_pad") = "button 2";
    prefs.get_string("leave_key") = "escape";
    Game& g = build_game();
    // No gravity step during the test, however slowly it runs.
    g.fall_interval = 1000000;
    SDL_Event pause = key_down(SDLK_p);
    ASSERT_EQ(SDL_PushEvent(&pause), 0);
    // Sent once the paused loop is asleep: the resume key; the axis inside the dead zone, then
    // past it (one column right); a drop; the next piece held left on the hat until the wall.
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        for (SDL_Event event :
             {key_down(SDLK_p), pad_event(SDL_JOYAXISMOTION, 0, 12000),
              pad_event(SDL_JOYAXISMOTION, 0, 20000), pad_event(SDL_JOYAXISMOTION, 0, 0),
              pad_event(SDL_JOYBUTTONDOWN, 2, 0), pad_event(SDL_JOYHATMOTION, 0, SDL_HAT_LEFT)}) {
            SDL_PushEvent(&event);
        }
    });
    {
        RepeatedPush leave(key_down(SDLK_ESCAPE), 1100, 100);
        EXPECT_FALSE(g.play());
    }
    player.join();
    EXPECT_EQ(g.last_end, GameEnd::left);
    EXPECT_FALSE(g.paused);
    EXPECT_EQ(key_repeat(), std::make_pair(0, 0));

    // The dropped piece's leftmost block, whichever piece was dealt, is one column right of the
    // spawn column's 3, and drawn.
    std::string columns;
    for (int row = 16; row < 20; row++) {
        columns += row_blocks(g, row);
    }
    int column = *std::min_element(columns.begin(), columns.end()) - '0';
    EXPECT_EQ(column, 4) << board_text(g);
    int row = g.board[19][column] != empty_cell ? 19 : 18;
    EXPECT_EQ(screen_pixel(cell_x(column) + 5, cell_y(row) + 5), tile_colour(g.board[row][column]));
    EXPECT_FALSE(g.current_piece.can_move(-1, 0)) << "the held direction did not repeat";
    // The counters were drawn at the start: a 0 at the right of the points box at (10, 150)
    // (box x 40, y 3), and the cleared rest of the box shows the background through; no
    // game-over picture over the well's centre.
    EXPECT_EQ(screen_pixel(50, 153), digit_colour(0));
    EXPECT_EQ(screen_pixel(49, 153), background_colour);
    EXPECT_EQ(screen_pixel(200, 240), background_colour);
}

}  // namespace
