// The player's options: the landing shadow, the hold box and the bag dealer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "tests/game/game_fixture.h"
#include "tests/game/loop_helpers.h"

namespace {

const std::string piece_column =
    describe_piece(1, 1, true, 0, false, {{1, 0}, {1, 1}, {1, 2}, {1, 3}});

// The cells that show the landing shadow after an update, as "column:row " texts.
std::string shadow_cells(Game& g) {
    g.update_screen();
    std::string cells;
    for (int row = 0; row < g.board_height(); row++) {
        for (int column = 0; column < g.board_width(); column++) {
            if (g.shown_board[row][column] - shadow_cell >= 0 &&
                g.shown_board[row][column] - shadow_cell < tile_count) {
                cells += cell_name(column, row) + " ";
            }
        }
    }
    return cells;
}

// tile blended at alpha 128 over the test background, as SDL blends, give or take rounding.
bool shows_shadow_of(Uint32 pixel, int tile) {
    for (int shift : {16, 8, 0}) {
        int under = (background_colour >> shift) & 0xFF;
        int over = (tile_colour(tile) >> shift) & 0xFF;
        if (std::abs(static_cast<int>((pixel >> shift) & 0xFF) - (under + (over - under) / 2)) >
            2) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST_F(GameTest, TheShadowLiesWhereThePieceWouldLandAndNeverTouchesTheBoard) {
    prefs.get_string("ghost_piece") = "1";
    Game& g = build_game();
    struct Case {
        std::string piece;
        int x, y;
        std::set<int> full_rows;  // filled but for column 0
        const char* shadow;
    } cases[] = {
        {piece_bar, 3, -4, {}, "3:19 4:19 5:19 6:19 "},    // above the well
        {piece_bar, 3, -4, {19}, "3:18 4:18 5:18 6:18 "},  // on a stack
        {piece_bar, 3, 18, {}, ""},                        // already resting
        {piece_tee, 0, 10, {19}, "1:17 0:18 1:18 2:18 "},  // in the well
        {piece_column, 0, 5, {}, "1:16 1:17 1:18 1:19 "},  // across its own cells
        {piece_column, -1, 15, {19}, "0:19 "},             // half inside its landing place
    };
    for (const Case& c : cases) {
        g.reset();
        for (int row : c.full_rows) {
            fill_row(g, row);
        }
        place_piece(g, c.piece, c.x, c.y);
        auto board = g.board;
        EXPECT_EQ(shadow_cells(g), c.shadow) << c.x << "," << c.y;
        EXPECT_EQ(g.board, board);
    }
    g.collapse_pending = true;
    EXPECT_EQ(shadow_cells(g), "");
    g.collapse_pending = false;
    prefs.get_string("ghost_piece") = "0";
    EXPECT_EQ(shadow_cells(g), "");
}

TEST_F(GameTest, TheShadowFollowsThePieceHidesWhilePausedAndGoesWhenItLands) {
    prefs.get_string("ghost_piece") = "1";
    prefs.get_string("ghost_alpha") = "128";
    Game& g = build_game();
    g.current_piece = g.dealt_piece(0);  // the bar
    g.next_piece = g.dealt_piece(1);
    g.update_screen();
    EXPECT_TRUE(shows_shadow_of(screen_pixel(cell_x(3), cell_y(19)), 0));

    g.handle_event(key_down(SDLK_RIGHT));
    g.handle_event(key_down(SDLK_UP));  // upright in column 6
    g.update_screen();
    EXPECT_EQ(screen_pixel(cell_x(3), cell_y(19)), background_colour);
    EXPECT_TRUE(shows_shadow_of(screen_pixel(cell_x(6), cell_y(16)), 0));
    EXPECT_TRUE(shows_shadow_of(screen_pixel(cell_x(6), cell_y(19)), 0));

    g.handle_event(key_down(SDLK_p));
    EXPECT_EQ(screen_pixel(cell_x(6), cell_y(19)), background_colour);
    EXPECT_EQ(g.handle_event(key_down(SDLK_p)), 1);
    g.update_screen();
    EXPECT_TRUE(shows_shadow_of(screen_pixel(cell_x(6), cell_y(19)), 0));

    g.handle_event(key_down(SDLK_SPACE));
    g.update_screen();
    EXPECT_EQ(screen_pixel(cell_x(6), cell_y(16)), tile_colour(0));
    EXPECT_TRUE(shows_shadow_of(screen_pixel(cell_x(3), cell_y(19)), 1));  // the square's
}

TEST_F(GameTest, HoldSwapsOncePerPieceTakesTheNextIntoAnEmptyBoxAndEmptiesAtANewGame) {
    prefs.get_string("hold_piece") = "1";
    prefs.get_string("hold_key") = "c";
    prefs.get_string("hold_x") = "10";
    prefs.get_string("hold_y") = "260";
    Game& g = build_game();
    g.current_piece = g.dealt_piece(2);  // the tee
    g.next_piece = g.dealt_piece(1);     // the square
    g.show_hold_box();
    g.move_piece(0, 6);
    g.turn_piece(false);

    // The tee leaves the well and goes into the box unturned; the square starts in its place.
    EXPECT_EQ(g.handle_event(key_down(SDLK_c)), 1);
    EXPECT_EQ(row_blocks(g, 2) + row_blocks(g, 3) + row_blocks(g, 4), "");
    EXPECT_EQ(g.held_piece.tile, 2);
    EXPECT_EQ(g.held_piece.blocks[3].y, 0);
    EXPECT_EQ(g.current_piece.tile, 1);
    EXPECT_EQ(g.current_piece.y, -4);
    g.update_screen();
    EXPECT_EQ(screen_pixel(10 + 40, 260 + 30), tile_colour(2));

    // Once per piece: the square cannot go back; after it lands, the tee comes out.
    EXPECT_EQ(g.handle_event(key_down(SDLK_c)), 0);
    EXPECT_EQ(g.current_piece.tile, 1);
    int next = g.next_piece.dealt_from;
    g.land_piece();
    int after = g.next_piece.dealt_from;
    EXPECT_EQ(g.handle_event(key_down(SDLK_c)), 1);
    EXPECT_EQ(g.current_piece.tile, 2);
    EXPECT_EQ(g.held_piece.dealt_from, next);
    EXPECT_EQ(g.next_piece.dealt_from, after);

    // A piece from the box starts above the well like a dealt one: a full well ends the game.
    for (int row = 0; row < 20; row++) {
        fill_row(g, row);
    }
    g.land_piece();
    EXPECT_EQ(g.handle_event(key_down(SDLK_c)), 1);
    GravityResult result;
    while ((result = g.gravity_step()) == GravityResult::moved) {
    }
    EXPECT_EQ(result, GravityResult::game_over);

    g.reset();
    g.show_hold_box();
    g.update_screen();
    EXPECT_FALSE(g.holding);
    EXPECT_EQ(screen_pixel(10 + 40, 260 + 30), background_colour);
    prefs.get_string("hold_piece") = "0";
    EXPECT_EQ(g.handle_event(key_down(SDLK_c)), 0);
}

TEST_F(GameTest, TheBagDealsEachDescriptionOncePerBagAndReplaysFromTheSeed) {
    Game& g = build_game();
    auto deal = [&g](int count) {
        std::vector<int> dealt;
        for (int i = 0; i < count; i++) {
            dealt.push_back(g.random_piece().dealt_from);
        }
        return dealt;
    };
    // Off while the keys are missing, which are not added to the preferences either.
    g.update_screen();
    g.handle_event(key_down(SDLK_c));
    deal(10);
    EXPECT_TRUE(g.bag.empty());
    for (const char* key : {"ghost_piece", "hold_piece", "hold_key", "bag_dealer"}) {
        EXPECT_EQ(prefs.values.count(key), 0u) << key;
    }

    prefs.get_string("bag_dealer") = "1";
    std::srand(5);
    std::vector<int> dealt = deal(7 * 50);
    std::set<std::vector<int>> orders;
    for (size_t start = 0; start < dealt.size(); start += 7) {
        std::vector<int> bag(dealt.begin() + start, dealt.begin() + start + 7);
        orders.insert(bag);
        EXPECT_EQ(std::set<int>(bag.begin(), bag.end()).size(), 7u) << "bag at " << start;
    }
    EXPECT_GT(orders.size(), 40u);
    g.reset();
    std::srand(5);
    EXPECT_EQ(deal(7 * 50), dealt);
}
