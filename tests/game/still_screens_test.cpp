// The pause and game-over screens: what they show, what they leave alone, the fall clock on
// resume and the answers to the game-over picture.
#include <gtest/gtest.h>

#include "tests/game/game_fixture.h"

TEST_F(GameTest, PauseHidesTheBlocksAndShowsThePausedImage) {
    Game& g = build_game();
    g.board[0][0] = 2;   // outside the paused image
    g.board[10][5] = 3;  // under the paused image (150..250, 225..255)
    g.update_screen();
    auto board = g.board;
    ASSERT_EQ(screen_pixel(cell_x(0), cell_y(0)), tile_colour(2));
    fill_screen(marker);

    // Only the hidden blocks and the paused image are repainted; the board itself stays.
    g.toggle_pause();
    EXPECT_TRUE(g.paused);
    EXPECT_EQ(g.board, board);
    EXPECT_EQ(screen_pixel(cell_x(0), cell_y(0)), background_colour);
    EXPECT_EQ(screen_pixel(150, 225), paused_colour);
    EXPECT_EQ(screen_pixel(149, 225), marker);
    EXPECT_EQ(screen_pixel(cell_x(1), cell_y(0)), marker);

    // Resuming draws nothing; the next update puts every block back and uncovers the well.
    g.toggle_pause();
    EXPECT_EQ(screen_pixel(cell_x(0), cell_y(0)), background_colour);
    g.update_screen();
    EXPECT_EQ(screen_pixel(cell_x(0), cell_y(0)), tile_colour(2));
    EXPECT_EQ(screen_pixel(cell_x(5), cell_y(10)), tile_colour(3));
    EXPECT_EQ(screen_pixel(250, 255), background_colour);
}

TEST_F(GameTest, ResumeKeepsThePartOfTheIntervalThatHadRun) {
    Game& g = build_game();
    g.update_screen();
    g.fall_interval = 500;
    g.last_fall = 10250;
    g.pause_game();
    g.resume_game(20000);
    EXPECT_EQ(g.last_fall, 19750u);
    EXPECT_FALSE(g.paused);

    // Unsigned arithmetic: a resume soon after the tick count wrapped still lands one partial
    // interval before the present.
    g.pause_game();
    g.last_fall = 0xFFFFFF00u;  // 4294967040 mod 500 = 40
    g.resume_game(100);
    EXPECT_EQ(g.last_fall, 60u);
}

TEST_F(GameTest, GameOverAnswers) {
    SDL_Event release = key_down(SDLK_RETURN);
    release.type = release.key.type = SDL_KEYUP;
    SDL_Event pad_button{};
    pad_button.type = SDL_JOYBUTTONDOWN;
    const Uint32 start = 5000, wrap = 0xFFFFFF00u;
    const struct {
        SDL_Event event;
        Uint32 start, now;
        bool answered, end_program;
    } cases[] = {
        {key_down(SDLK_RETURN), start, start, true, false},
        {quit_event(), start, start, true, true},
        // Space only once more than 1.5 s have passed, counted as elapsed time across the wrap
        // of the tick count too.
        {key_down(SDLK_SPACE), start, start + 1500, false, false},
        {key_down(SDLK_SPACE), start, start + 1501, true, false},
        {key_down(SDLK_SPACE), wrap, wrap + 1000, false, false},
        {key_down(SDLK_SPACE), wrap, wrap + 2000, true, false},
        {key_down(SDLK_a), start, start + 5000, false, false},
        {release, start, start, false, false},
        {pad_button, start, start + 1500, false, false},
        {pad_button, start, start + 1501, true, false},
    };
    for (const auto& c : cases) {
        bool end_program = !c.end_program;  // poisoned: an answer must set it
        EXPECT_EQ(game_over_answer(c.event, c.start, c.now, &end_program), c.answered)
            << "case " << &c - cases;
        if (c.answered) {
            EXPECT_EQ(end_program, c.end_program) << "case " << &c - cases;
        }
    }
}

TEST_F(GameTest, GameOverShowsTheImageAndTakesOnlyAnAnswerGivenWhileItIsUp) {
    Game& g = build_game();
    g.update_screen();
    SDL_EnableKeyRepeat(200, 50);
    // Return would lead back to the menu; queued before the picture it must not count, and
    // the close request that follows ends the program.
    SDL_Event early = key_down(SDLK_RETURN);
    SDL_PushEvent(&early);
    {
        RepeatedPush close(quit_event(), 100, 50);
        EXPECT_TRUE(g.show_game_over());
    }
    EXPECT_EQ(key_repeat(), std::make_pair(0, 0));
    // 121x41 centred on the 200x400 well at (100, 40): (140, 220) to (260, 260).
    EXPECT_EQ(screen_pixel(140, 220), game_over_colour);
    EXPECT_EQ(screen_pixel(260, 260), game_over_colour);
    EXPECT_EQ(screen_pixel(139, 219), background_colour);
}
