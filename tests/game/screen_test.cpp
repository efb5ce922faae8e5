#include <gtest/gtest.h>

#include <string>

#include "tests/game/game_fixture.h"

namespace {

const Uint32 nothing = 0x000000;  // a cleared box pixel: transparent black
const Uint32 marker = 0x123456;   // painted straight onto the screen to see what is repainted

// One row of a box as text: the digit whose colour a pixel has, "." for a cleared pixel,
// "?" for anything else.
std::string box_row(SDL_Surface* box, int y) {
    std::string row;
    for (int x = 0; x < box->w; x++) {
        Uint32 colour = pixel_at(box, x, y);
        char shown = colour == nothing && alpha_at(box, x, y) == 0 ? '.' : '?';
        for (int digit = 0; digit < 10; digit++) {
            shown = colour == digit_colour(digit) ? static_cast<char>('0' + digit) : shown;
        }
        row += shown;
    }
    return row;
}

}  // namespace

// Small glyphs are 10x14 in 50x20 boxes, so every glyph stands at y = 10 - 7 = 3, the last at
// x 40. Level glyphs are 15x20 in a 60x30 box: y = 15 - 10 = 5, centred on x 30.
TEST_F(GameTest, NumbersAreRightAlignedAndLevelCentred) {
    Game& g = build_game();
    const struct {
        int* counter;
        void (Game::*draw)();
        const char* element;
        SDL_Surface* box;
        int value;
        std::string shown;  // the digits drawn, from the left
        int left, w, h, y;  // where the first glyph stands, and the glyph size
    } cases[] = {
        {&g.points, &Game::draw_points, "points", g.points_box, 1234, "1234", 10, 10, 14, 3},
        // A shorter number leaves nothing of the longer one behind.
        {&g.points, &Game::draw_points, "points", g.points_box, 5, "5", 40, 10, 14, 3},
        // Digits that do not fit are cut off on the left.
        {&g.lines, &Game::draw_lines, "lines", g.lines_box, 123456, "23456", 0, 10, 14, 3},
        {&g.level, &Game::draw_level, "level", g.level_box, 7, "7", 22, 15, 20, 5},
        {&g.level, &Game::draw_level, "level", g.level_box, 12, "12", 15, 15, 20, 5},
        // The tens of 123 have no glyph; only the units show, at the box's centre line.
        {&g.level, &Game::draw_level, "level", g.level_box, 123, "3", 30, 15, 20, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.element) + " " + std::to_string(c.value));
        *c.counter = c.value;
        g.compositor.find(c.element)->dirty = false;
        (g.*c.draw)();
        EXPECT_TRUE(g.compositor.find(c.element)->dirty);
        std::string glyphs(static_cast<size_t>(c.left), '.');
        for (char digit : c.shown) {
            glyphs += std::string(static_cast<size_t>(c.w), digit);
        }
        glyphs.resize(static_cast<size_t>(c.box->w), '.');
        const std::string empty(static_cast<size_t>(c.box->w), '.');
        EXPECT_EQ(box_row(c.box, c.y - 1), empty);
        EXPECT_EQ(box_row(c.box, c.y), glyphs);
        EXPECT_EQ(box_row(c.box, c.y + c.h - 1), glyphs);
        EXPECT_EQ(box_row(c.box, c.y + c.h), empty);
    }
}

TEST_F(GameTest, BarIsCentredInTheNextPieceBox) {
    Game& g = build_game();
    g.next_piece = Piece(piece_bar, 0, 0, &g);
    g.compositor.find("next_piece")->dirty = false;
    g.draw_next_piece();
    EXPECT_TRUE(g.compositor.find("next_piece")->dirty);
    // off_x 0, off_y -10: the blocks fill x 0..79 at y 30..49.
    SDL_Surface* box = g.next_piece_box;
    EXPECT_EQ(pixel_at(box, 0, 30), tile_colour(0));
    EXPECT_EQ(pixel_at(box, 79, 49), tile_colour(0));
    EXPECT_EQ(pixel_at(box, 0, 29), nothing);
    EXPECT_EQ(pixel_at(box, 79, 50), nothing);
    // The tile is blended again once it has been copied.
    EXPECT_TRUE(g.block_tiles[0]->flags & SDL_SRCALPHA);
}

TEST_F(GameTest, UpdateScreenRepaintsOnlyChangedCellsAndPauseHidesThem) {
    Game& g = build_game();
    g.update_screen();
    SDL_FillRect(SDL_GetVideoSurface(), nullptr, marker);
    g.board[0][0] = 2;   // outside the paused image
    g.board[10][5] = 3;  // under the paused image (150..250, 225..255)
    g.update_screen();
    EXPECT_EQ(g.shown_board, g.board);
    EXPECT_EQ(screen_pixel(cell_x(0) + 19, cell_y(0) + 19), tile_colour(2));
    // Unchanged cells, even right next to a changed one, are not repainted.
    EXPECT_EQ(screen_pixel(cell_x(1), cell_y(0)), marker);
    EXPECT_EQ(screen_pixel(cell_x(5) - 1, cell_y(10)), marker);

    // Pausing repaints only the hidden blocks and the paused image; the board itself stays.
    auto board = g.board;
    SDL_FillRect(SDL_GetVideoSurface(), nullptr, marker);
    g.toggle_pause();
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

    // Only the emptied cell is repainted, and shows what lies under it again.
    SDL_FillRect(SDL_GetVideoSurface(), nullptr, marker);
    g.board[0][0] = empty_cell;
    g.update_screen();
    EXPECT_EQ(screen_pixel(cell_x(0), cell_y(0)), background_colour);
    EXPECT_EQ(screen_pixel(cell_x(5), cell_y(10)), marker);
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
        {key_down(SDLK_SPACE), wrap, wrap + 100, false, false},
        {key_down(SDLK_SPACE), wrap, wrap + 2000, true, false},
        {key_down(SDLK_a), start, start + 5000, false, false},
        {key_up(SDLK_RETURN), start, start, false, false},
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
    // 121x41 centred on the 200x400 well at (100, 40): from (140, 220).
    EXPECT_EQ(screen_pixel(140, 220), game_over_colour);
    EXPECT_EQ(screen_pixel(139, 219), background_colour);
}

TEST_F(GameTest, ALookReloadedFromTheFilesKeepsTheGameAndABrokenOneChangesNothing) {
    Game& g = build_game();
    place_piece(g, piece_square, 4, 0);
    fill_row(g, 19);
    g.points = 77;
    g.draw_points();
    g.update_screen();
    std::string board = board_text(g);
    Uint32 score = screen_pixel(10 + 50 - 5, 150 + 10);

    save_picture("background.bmp", 320, 480, 0x405060);
    std::string problem;
    ASSERT_TRUE(g.reload_look(problem)) << problem;
    EXPECT_EQ(board, board_text(g));
    EXPECT_EQ(77, g.points);
    EXPECT_EQ(0x405060u, screen_pixel(5, 300));
    EXPECT_EQ(tile_colour(1), screen_pixel(cell_x(5) + 5, cell_y(1) + 5));
    EXPECT_EQ(tile_colour(5), screen_pixel(cell_x(3) + 5, cell_y(19) + 5));
    EXPECT_EQ(score, screen_pixel(10 + 50 - 5, 150 + 10));

    prefs.set("paused_img", "gone.bmp");
    EXPECT_FALSE(g.reload_look(problem));
    EXPECT_EQ(0u, problem.find("paused_img: couldn't load \"gone.bmp\"")) << problem;
    EXPECT_EQ(0x405060u, screen_pixel(5, 300));
    EXPECT_EQ(tile_colour(1), screen_pixel(cell_x(5) + 5, cell_y(1) + 5));
}
