// Drawing the game screen: the counters' digit positions, the next piece's centring and the
// board's cells repainted only where they changed.
#include <gtest/gtest.h>

#include <string>

#include "tests/game/game_fixture.h"
#include "tests/support/test_support.h"

namespace {

const Uint32 nothing = 0x000000;  // a cleared box pixel: transparent black
const Uint32 marker = 0x123456;   // painted straight onto the screen to see what is repainted

// Expects the glyph of digit to fill the w x h rectangle at (x, y) of box, and the pixels just
// left and right of it to hold something else.
void expect_glyph(SDL_Surface* box, int digit, int x, int y, int w, int h) {
    SCOPED_TRACE("digit " + std::to_string(digit) + " at x " + std::to_string(x));
    EXPECT_EQ(pixel_at(box, x, y), digit_colour(digit));
    EXPECT_EQ(pixel_at(box, x + w - 1, y + h - 1), digit_colour(digit));
    EXPECT_EQ(alpha_at(box, x, y), 255);
    if (x > 0) {
        EXPECT_NE(pixel_at(box, x - 1, y), digit_colour(digit));
    }
    if (x + w < box->w) {
        EXPECT_NE(pixel_at(box, x + w, y), digit_colour(digit));
    }
}

bool box_shows_colour(SDL_Surface* box, Uint32 colour) {
    for (int y = 0; y < box->h; y++) {
        for (int x = 0; x < box->w; x++) {
            if (pixel_at(box, x, y) == colour) {
                return true;
            }
        }
    }
    return false;
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
        {&g.points, &Game::draw_points, "points", g.points_box, 0, "0", 40, 10, 14, 3},
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
        int right = c.left + c.w * static_cast<int>(c.shown.size());
        for (size_t i = 0; i < c.shown.size(); i++) {
            expect_glyph(c.box, c.shown[i] - '0', c.left + c.w * static_cast<int>(i), c.y, c.w,
                         c.h);
        }
        if (c.left > 0) {
            EXPECT_EQ(pixel_at(c.box, c.left - 1, c.y), nothing);
            EXPECT_EQ(alpha_at(c.box, c.left - 1, c.y), 0);
        }
        if (right < c.box->w) {
            EXPECT_EQ(pixel_at(c.box, right, c.y), nothing);
        }
        EXPECT_EQ(pixel_at(c.box, right - 5, c.y - 1), nothing);
        EXPECT_EQ(pixel_at(c.box, right - 5, c.y + c.h), nothing);
        for (int digit = 0; digit < 10; digit++) {
            bool expected = c.shown.find(static_cast<char>('0' + digit)) != std::string::npos;
            EXPECT_EQ(box_shows_colour(c.box, digit_colour(digit)), expected) << "digit " << digit;
        }
    }
}

TEST_F(GameTest, BarIsCentredInTheNextPieceBox) {
    Game& g = build_game();
    g.next_piece =
        Piece(describe_piece(1, 1, true, 0, false, {{0, 1}, {1, 1}, {2, 1}, {3, 1}}), 0, 0, &g);
    g.compositor.find("next_piece")->dirty = false;
    g.draw_next_piece();
    EXPECT_TRUE(g.compositor.find("next_piece")->dirty);
    // off_x 0, off_y -10: the blocks fill x 0..79 at y 30..49.
    SDL_Surface* box = g.next_piece_box;
    EXPECT_EQ(pixel_at(box, 0, 30), tile_colour(0));
    EXPECT_EQ(pixel_at(box, 79, 49), tile_colour(0));
    EXPECT_EQ(alpha_at(box, 40, 40), 255);
    EXPECT_EQ(pixel_at(box, 0, 29), nothing);
    EXPECT_EQ(pixel_at(box, 0, 50), nothing);
    EXPECT_EQ(alpha_at(box, 0, 50), 0);
    // The tile is blended again once it has been copied.
    EXPECT_TRUE(g.block_tiles[0]->flags & SDL_SRCALPHA);
}

TEST_F(GameTest, UpdateScreenRepaintsOnlyChangedCells) {
    Game& g = build_game();
    g.update_screen();
    EXPECT_EQ(screen_pixel(cell_x(3), cell_y(2)), background_colour);

    fill_screen(marker);
    g.board[2][3] = 4;
    g.board[19][9] = 0;
    g.update_screen();
    EXPECT_EQ(g.shown_board, g.board);
    EXPECT_EQ(screen_pixel(cell_x(3) + 19, cell_y(2) + 19), tile_colour(4));
    EXPECT_EQ(screen_pixel(cell_x(9), cell_y(19)), tile_colour(0));
    // Unchanged cells, even right next to a changed one, are not repainted.
    EXPECT_EQ(screen_pixel(cell_x(4), cell_y(2)), marker);
    EXPECT_EQ(screen_pixel(cell_x(3) - 1, cell_y(2)), marker);
    EXPECT_EQ(screen_pixel(cell_x(0), cell_y(0)), marker);

    // Nothing changed: nothing is repainted.
    fill_screen(marker);
    g.update_screen();
    EXPECT_EQ(screen_pixel(cell_x(3), cell_y(2)), marker);
    for (const Element& element : g.compositor.elements) {
        EXPECT_FALSE(element.dirty) << element.name;
    }

    // An emptied cell shows what lies under it again.
    g.board[2][3] = empty_cell;
    g.update_screen();
    EXPECT_EQ(screen_pixel(cell_x(3), cell_y(2)), background_colour);
    EXPECT_EQ(screen_pixel(cell_x(9), cell_y(19)), marker);
}
