#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "tests/game/game_fixture.h"

namespace {

using Offsets = std::vector<std::pair<int, int>>;

Offsets offsets(const Piece& piece) {
    Offsets result;
    for (const BlockOffset& b : piece.blocks) {
        result.emplace_back(b.x, b.y);
    }
    return result;
}

}  // namespace

TEST(PieceTurn, FollowsTheTurnTablesAndComesBack) {
    const struct {
        std::string piece;
        const char* turns;  // r right, l left
        Offsets after;
    } cases[] = {
        // About the centre cell.
        {piece_tee, "r", {{1, 0}, {1, 1}, {1, 2}, {2, 1}}},
        {piece_tee, "l", {{1, 2}, {1, 1}, {1, 0}, {0, 1}}},
        // About the corner below and right of the centre cell.
        {piece_bar, "r", {{2, 0}, {2, 1}, {2, 2}, {2, 3}}},
        {piece_bar, "l", {{1, 3}, {1, 2}, {1, 1}, {1, 0}}},
        {piece_bar, "rrrr", {{0, 1}, {1, 1}, {2, 1}, {3, 1}}},
        // The square turns about its own middle onto its own cells.
        {piece_square, "r", {{1, 0}, {1, 1}, {0, 0}, {0, 1}}},
        // An alternating piece turns right, left, right, whatever the key.
        {piece_ess, "lll", {{2, 1}, {2, 2}, {1, 0}, {1, 1}}},
    };
    for (const auto& c : cases) {
        Piece piece(c.piece, 0, 0, nullptr);
        for (const char* turn = c.turns; *turn != 0; turn++) {
            ASSERT_TRUE(piece.turn(*turn == 'l'));
        }
        EXPECT_EQ(offsets(piece), c.after) << c.turns << " of tile " << piece.tile;
    }
}

TEST_F(GameTest, WallsFloorAndBlocksStopMoves) {
    Game& g = build_game();
    const struct {
        int x, y;    // where the tee is placed
        bool block;  // a settled block at (7, 19)
        int dx, dy;
        bool can;
    } moves[] = {
        // Above the well only the walls count. On the floor: blocked below; beside it a
        // settled block blocks, its own cells do not.
        {0, -4, false, -1, 0, false}, {0, -4, false, 7, 0, true},  {0, -4, false, 8, 0, false},
        {0, -4, false, 5, 2, true},   {4, 18, false, 0, 1, false}, {4, 18, false, 1, 0, true},
        {4, 18, true, 1, 0, false},   {4, 18, true, -1, 0, true},  {4, 18, true, 0, -1, true}};
    for (const auto& m : moves) {
        g.reset();
        g.set_cell(7, 19, m.block ? 6 : empty_cell);
        place_piece(g, piece_tee, m.x, m.y);
        EXPECT_EQ(g.current_piece.can_move(m.dx, m.dy), m.can)
            << m.x << "," << m.y << " by " << m.dx << "," << m.dy;
    }
    // A piece on no board is never blocked.
    EXPECT_TRUE(Piece(piece_tee, -5, 100, nullptr).can_move(-3, 50));
}

TEST_F(GameTest, ARefusedTurnChangesNothing) {
    Game& g = build_game();
    // Next to a settled block the alternating piece cannot turn: its cells, the board and its
    // next direction stay as they were; once the block is gone it turns right all the same.
    place_piece(g, piece_ess, 0, 10);
    g.set_cell(2, 12, 6);
    auto before = g.board;
    Offsets blocks = offsets(g.current_piece);
    EXPECT_FALSE(g.turn_piece(true));
    EXPECT_EQ(offsets(g.current_piece), blocks);
    EXPECT_EQ(g.board, before);
    EXPECT_FALSE(g.current_piece.next_turn_left);
    g.set_cell(2, 12, empty_cell);
    EXPECT_TRUE(g.turn_piece(true));
    EXPECT_TRUE(g.current_piece.next_turn_left);
}

TEST_F(GameTest, ScoresTheSquareOfTheRowsTimesTheLevelRaisedAtTheTenthRow) {
    const struct {
        int level_lines, rows;  // before, at level 1: rows to clear with a standing bar
        int points, new_level_lines;
    } cases[] = {
        {8, 2, 8, 0},
        // Four rows from level_lines 9: one level-up, and level 2 already counts for them all.
        {9, 4, 32, 3},
    };
    Game& g = build_game();
    for (const auto& c : cases) {
        g.reset();
        g.level_lines = g.lines = c.level_lines;
        for (int row = 20 - c.rows; row < 20; row++) {
            fill_row(g, row);
        }
        place_piece(g, piece_upright_bar, -1, 0);
        g.draw_level();
        g.land_piece();
        // The level box shows the new level at once (its glyph's middle, in the box's middle).
        EXPECT_EQ(pixel_at(g.level_box, 30, 15), digit_colour(2));
        EXPECT_EQ(
            std::vector<int>({g.points, g.lines, g.level, g.level_lines,
                              static_cast<int>(g.fall_interval), g.collapse_pending}),
            std::vector<int>({c.points, c.level_lines + c.rows, 2, c.new_level_lines, 356, 1}))
            << "case " << &c - cases;
    }
}

TEST_F(GameTest, FallIntervalFollowsTheSpeedTableToSeventy) {
    Game& g = build_game();
    const Uint32 table[] = {500, 356, 260, 196, 154, 126, 107, 94, 86, 80, 76, 74, 72, 71, 70};
    EXPECT_EQ(g.fall_interval, table[0]);
    for (int level = 2; level <= 40; level++) {
        g.set_level(g.level + 1);
        EXPECT_EQ(g.fall_interval, table[std::min(level, 15) - 1]) << "level " << level;
    }
    // Play checks after every row, so only here can lines past ten reach a level-up: they
    // are kept towards the next level.
    g.level_lines = 13;
    g.set_level(g.level + 1);
    EXPECT_EQ(g.level_lines, 3);
}

TEST(RandomBetween, MapsTheDrawOntoTheRange) {
    EXPECT_EQ(random_between_with(0, 6, 4681), 0);
    EXPECT_EQ(random_between_with(6, 0, 4682), 1);
    EXPECT_EQ(random_between_with(0, 6, 32767), 6);
    // The whole int range must not overflow on the way.
    EXPECT_EQ(random_between_with(INT_MIN, INT_MAX, 0), INT_MIN);
    EXPECT_EQ(random_between_with(INT_MAX, INT_MIN, 32767), INT_MAX - 131071);
}

// What is dealt, and from where, and the counters and the board after a reset, the replay
// records.
TEST_F(GameTest, SpawnColumnAndResetFollowTheBoardTheGameWasBuiltWithAndResetRepaintsAll) {
    Game& g = build_game();
    // Later preferences neither move the spawn column nor shrink the reset.
    prefs.get_string("board_width") = "5";
    prefs.get_string("board_height") = "2";
    EXPECT_EQ(g.random_piece().x, 3);
    place_piece(g, piece_tee, 3, 17);
    g.update_screen();
    g.paused = g.collapse_pending = true;
    g.reset();
    EXPECT_FALSE(g.paused || g.collapse_pending);
    EXPECT_EQ(g.board.size(), 20u);
    EXPECT_EQ(g.shown_board, g.board);
    EXPECT_EQ(g.compositor.find("4:18")->surface, nullptr);
    for (const Element& element : g.compositor.elements) {
        EXPECT_TRUE(element.dirty) << element.name;
    }
    // On an odd, narrow board the spawn column is 5 / 2 - 2.
    prefs.get_string("board_height") = "20";
    EXPECT_EQ(build_game().random_piece().x, 0);
}

// A missing picture file and a board out of the window are in the reliability table.
TEST_F(GameTest, UnnamedImageOrUnusableBoardEndsTheProgramNamingIt) {
    const std::string board = "can't build a board of ";
    const std::string keys =
        ": check \"board_width\", \"board_height\", \"block_size\", \"board_x\" and \"board_y\"\n";
    const struct {
        const char* key;
        const char* value;  // nullptr: the key is missing
        std::string output;
    } cases[] = {
        {"blocks_img", nullptr,
         "couldn't load \"blocks image\", gotta go!\n\"blocks_img\" in prefs.txt names no file\n"},
        {"board_width", "0", board + "0 by 20 cells of 20 pixels at (100, 40)" + keys},
        {"board_x", "-2147483648",
         board + "10 by 20 cells of 20 pixels at (-2147483648, 40)" + keys},
    };
    for (const auto& c : cases) {
        ConfigStore saved = prefs;
        if (c.value == nullptr) {
            prefs.remove(c.key);
        } else {
            prefs.get_string(c.key) = c.value;
        }
        CommandResult result = run_in_child([this] { build_game(); });
        EXPECT_EQ(result.status, 1) << c.key;
        EXPECT_EQ(result.output, c.output) << c.key;
        prefs = saved;
    }
}
