#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "tests/game/game_fixture.h"

namespace {

// The cells showing the landing shadow after an update, as "column:row " texts.
std::string shadow_cells(Game& g) {
    g.update_screen();
    std::string cells;
    for (int row = 0; row < g.board_height(); row++) {
        for (int column = 0; column < g.board_width(); column++) {
            if ((g.shown_board[row][column] & 0xF8) == shadow_cell) {
                cells += cell_name(column, row) + " ";
            }
        }
    }
    return cells;
}

}  // namespace

TEST_F(GameTest, TheShadowShowsWhereThePieceWouldLandAndLeavesTheBoardAlone) {
    prefs.get_string("ghost_piece") = "1";
    Game& g = build_game();
    struct Case {
        std::string piece;
        int x, y;
        bool stack;  // row 19 filled but for column 0
        const char* shadow;
    } cases[] = {
        {piece_bar, 3, -4, false, "3:19 4:19 5:19 6:19 "},         // above the well
        {piece_bar, 3, -4, true, "3:18 4:18 5:18 6:18 "},          // on a stack
        {piece_bar, 3, 18, false, ""},                             // already resting
        {piece_tee, 0, 10, true, "1:17 0:18 1:18 2:18 "},          // over a hole it cannot reach
        {piece_upright_bar, 0, 5, false, "1:16 1:17 1:18 1:19 "},  // across its own cells
    };
    for (const Case& c : cases) {
        g.reset();
        if (c.stack) {
            fill_row(g, 19);
        }
        place_piece(g, c.piece, c.x, c.y);
        auto board = g.board;
        EXPECT_EQ(shadow_cells(g), c.shadow) << c.x << "," << c.y;
        EXPECT_EQ(g.board, board);
    }
    // It follows a move and shows on the screen, but not while rows wait to close up.
    g.handle_event(key_down(SDLK_RIGHT));
    EXPECT_EQ(shadow_cells(g), "2:16 2:17 2:18 2:19 ");
    EXPECT_NE(screen_pixel(cell_x(2), cell_y(19)), background_colour);
    g.collapse_pending = true;
    EXPECT_EQ(shadow_cells(g), "");
    g.collapse_pending = false;
    prefs.get_string("ghost_piece") = "0";
    EXPECT_EQ(shadow_cells(g), "");
}

TEST_F(GameTest, HoldSwapsOncePerPieceTakesTheNextIntoAnEmptyBoxAndEmptiesAtANewGame) {
    prefs.get_string("hold_piece") = "1";
    prefs.get_string("hold_key") = "c";
    prefs.get_string("hold_y") = "260";
    Game& g = build_game();
    g.current_piece = g.dealt_piece(2);  // the tee
    g.next_piece = g.dealt_piece(1);     // the square
    g.show_hold_box();
    g.move_piece(0, 6);
    g.turn_piece(false);

    // The turned tee leaves the well and goes into the box as dealt; the square starts.
    EXPECT_EQ(g.handle_event(key_down(SDLK_c)), 1);
    EXPECT_EQ(row_blocks(g, 2) + row_blocks(g, 3) + row_blocks(g, 4), "");
    EXPECT_EQ(g.held_piece.blocks[3].y, 0);
    EXPECT_EQ(g.current_piece.dealt_from, 1);
    g.update_screen();
    EXPECT_EQ(screen_pixel(40, 260 + 30), tile_colour(2));  // the tee's top block in the box
    EXPECT_EQ(g.handle_event(key_down(SDLK_c)), 0);         // once per piece

    // After a landing the tee comes back out; the next piece stays.
    g.land_piece();
    int landed_next = g.current_piece.dealt_from, next = g.next_piece.dealt_from;
    EXPECT_EQ(g.handle_event(key_down(SDLK_c)), 1);
    EXPECT_EQ(g.current_piece.dealt_from, 2);
    EXPECT_EQ(g.current_piece.y, -4) << "it starts above the well like a dealt piece";
    EXPECT_EQ(g.held_piece.dealt_from, landed_next);
    EXPECT_EQ(g.next_piece.dealt_from, next);
    g.reset();
    EXPECT_FALSE(g.holding);
}

TEST_F(GameTest, TheBagDealsEachDescriptionOncePerBagAndReplaysFromTheSeed) {
    Game& g = build_game();
    // Missing keys are off, and reading them does not add them to the preferences.
    size_t keys = prefs.values().size();
    g.update_screen();
    g.handle_event(key_down(SDLK_c));
    g.random_piece();
    EXPECT_EQ(prefs.values().size(), keys);

    prefs.get_string("bag_dealer") = "1";
    auto deal = [&g] {
        std::vector<int> dealt;
        for (int i = 0; i < 7 * 30; i++) {
            dealt.push_back(g.random_piece().dealt_from);
        }
        return dealt;
    };
    std::srand(5);
    std::vector<int> dealt = deal();
    for (size_t bag = 0; bag < dealt.size(); bag += 7) {
        EXPECT_EQ(std::set<int>(dealt.begin() + bag, dealt.begin() + bag + 7).size(), 7u) << bag;
    }
    EXPECT_FALSE(std::equal(dealt.begin(), dealt.begin() + 7, dealt.begin() + 7));
    g.random_piece();  // a bag begun: the next game starts a fresh one
    g.reset();
    std::srand(5);
    EXPECT_EQ(deal(), dealt);
}
