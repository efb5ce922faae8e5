#include <gtest/gtest.h>

#include "tests/game/game_fixture.h"

TEST(GameNumbers, EachFormulaAndTheClockDigits) {
    const struct {
        int pieces, lines, presses;
        Uint32 played_ms;
        double per_second, per_minute, per_piece;
    } cases[] = {
        {100, 40, 250, 50000, 2.0, 48.0, 2.5},
        {1, 1, 0, 1, 1000.0, 60000.0, 0.0},  // one piece in one millisecond
        {3, 0, 7, 0, 0.0, 0.0, 7.0 / 3},     // no time: no division by zero
        {0, 0, 4, 1500, 0.0, 0.0, 0.0},      // no piece: nothing per piece
    };
    for (const auto& c : cases) {
        GameNumbers numbers{0, c.lines, 0, c.pieces, c.presses, c.played_ms};
        EXPECT_DOUBLE_EQ(pieces_per_second(numbers), c.per_second) << &c - cases;
        EXPECT_DOUBLE_EQ(lines_per_minute(numbers), c.per_minute) << &c - cases;
        EXPECT_DOUBLE_EQ(presses_per_piece(numbers), c.per_piece) << &c - cases;
    }
    EXPECT_EQ(clock_digits(0), "0 00 00");
    EXPECT_EQ(clock_digits(65309), "1 05 30");
    EXPECT_EQ(clock_digits(5999999), "99 59 99");

    // The clock stands still between stop and resume, and crosses the tick counter's wrap.
    PlayClock clock;
    clock.start(0xFFFFFF00u);
    EXPECT_EQ(clock.played(0x100u), 0x200u);
    clock.stop(0x100u);
    clock.stop(0x5000u);
    EXPECT_EQ(clock.played(0x9000u), 0x200u);
    clock.resume(0x9000u);
    EXPECT_EQ(clock.played(0x9010u), 0x210u);
    clock.stop(0x9010u);
    EXPECT_EQ(clock.played(0xA000u), 0x210u);
}

TEST_F(GameTest, SprintEndsOnItsRowsCountingEveryPieceAndPressAndTheClockGoesOn) {
    Game& g = build_game({{"drop_key", "space"}, {"restart_key", "r"}, {"sprint_lines", "2"}});
    g.mode = game_mode(prefs, Mode::sprint, 0);
    g.begin_mode(1000);
    // A turn refused at the wall is no press; the drop that clears a row is.
    place_piece(g, piece_upright_bar, -1, 0);
    fill_row(g, 19);
    EXPECT_EQ(g.handle_event(key_down(SDLK_LEFT)), 0);
    EXPECT_EQ(g.handle_event(key_down(SDLK_SPACE)), 1);
    bool running = true;
    bool changed = false;
    g.follow_mode(2000, running, changed);
    EXPECT_TRUE(running) << "one row of two ended the sprint";
    g.build_board();
    place_piece(g, piece_upright_bar, -1, 0);
    fill_row(g, 19);
    g.land_piece();
    g.follow_mode(4500, running, changed);
    EXPECT_FALSE(running);
    EXPECT_EQ(g.last_end, GameEnd::finished);
    EXPECT_TRUE(g.has_result());
    GameNumbers numbers = g.numbers(9000);  // the clock stopped at the goal
    EXPECT_EQ(std::vector<int>({numbers.lines, numbers.pieces, numbers.presses,
                                static_cast<int>(numbers.played_ms)}),
              std::vector<int>({2, 2, 1, 3500}));

    // A sprint lost before its rows has no result; the piece that could not enter counts.
    g.reset();
    g.last_end = GameEnd::lost;
    g.begin_mode(0);
    EXPECT_TRUE(g.top_out());
    g.reached_game_over = true;
    EXPECT_FALSE(g.has_result());
    EXPECT_EQ(g.pieces_played, 1);
    // The restart key answers while paused too, before the actions of the game.
    g.paused = true;
    EXPECT_EQ(g.handle_event(key_down(SDLK_r)), 5);
}

TEST_F(GameTest, UltraEndsOnItsTimeZenNeitherLosesNorRisesAndDailyDealsTheDaysPieces) {
    save_picture("timed.bmp", 320, 480, 0x305070);
    Game& g = build_game({{"timed_background_img", "timed.bmp"},
                          {"time_x", "10"},
                          {"time_y", "250"},
                          {"time_w", "80"},
                          {"time_h", "14"},
                          {"ultra_seconds", "2"}});
    g.mode = game_mode(prefs, Mode::ultra, 0);
    g.begin_mode(500);
    EXPECT_FALSE(g.goal_reached(2499));
    EXPECT_TRUE(g.goal_reached(2500));
    EXPECT_EQ(g.numbers(2600).played_ms, 2000u);
    // A reloaded look brings the timed background and the clock back with it.
    save_picture("timed.bmp", 320, 480, 0x506070);
    std::string problem;
    ASSERT_TRUE(g.reload_look(problem)) << problem;
    EXPECT_EQ(screen_pixel(5, 300), 0x506070u);
    ASSERT_NE(g.compositor.find("time"), nullptr);
    EXPECT_TRUE(g.time_box != nullptr && g.compositor.find("time")->surface == g.time_box);

    g.reset();
    g.mode.mode = Mode::zen;
    g.begin_mode(0);
    g.level_lines = 9;
    fill_row(g, 18);
    fill_row(g, 19);
    place_piece(g, piece_upright_bar, -1, 16);
    g.land_piece();
    EXPECT_EQ(g.level, 1);
    EXPECT_FALSE(g.top_out());
    EXPECT_EQ(board_text(g).find_first_not_of(".\n"), std::string::npos) << board_text(g);

    // The same day deals the same pieces, whatever was dealt before.
    auto deal = [&](const char* day) {
        g.mode.mode = Mode::daily;
        g.mode.day = day;
        g.mode.seed = day_seed(day);
        g.reset();
        g.begin_mode(0);
        std::string dealt;
        for (int i = 0; i < 12; i++) {
            dealt += char('0' + g.random_piece().dealt_from);
        }
        return dealt;
    };
    std::string today = deal("2026-12-07");
    EXPECT_NE(deal("2026-12-08"), today);
    EXPECT_EQ(deal("2026-12-07"), today);
}
