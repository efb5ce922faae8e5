// Building the game: the screen layout, the tiles, the pieces file and the fatal failures.
#include <gtest/gtest.h>

#include "tests/game/game_fixture.h"
#include "tests/support/test_support.h"

TEST_F(GameTest, LaysOutTheScreenInDrawingOrderAndCutsSevenTiles) {
    Game& g = build_game();
    std::string names;
    for (const Element& element : g.compositor.elements) {
        names += element.name + " ";
    }
    EXPECT_EQ(names.substr(0, 48), "background next_piece level points lines 0:0 1:0");
    EXPECT_EQ(names.substr(names.size() - 17), "8:19 9:19 paused ");
    EXPECT_EQ(g.compositor.elements.size(), 5u + 200u + 1u);
    // Where the cells and the paused picture stand, the screen tests see.
    EXPECT_EQ(g.cell_element(3, 2)->name, "3:2");
    EXPECT_EQ(g.compositor.find("paused")->surface, nullptr);
    EXPECT_EQ(g.paused_picture(), g.compositor.find("paused"));
    EXPECT_EQ(g.shown_board, g.board);

    EXPECT_EQ(g.blocks_image, nullptr);
    for (int i = 0; i < tile_count; i++) {
        SDL_Surface* tile = g.block_tiles[i];
        ASSERT_NE(tile, nullptr);
        EXPECT_EQ(std::make_pair(tile->w, tile->h), std::make_pair(test_block, test_block));
        EXPECT_EQ(pixel_at(tile, 0, 0), tile_colour(i)) << "tile " << i;
        EXPECT_EQ(alpha_at(tile, 0, 0), 255);
    }
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
        {"board_height", "2000", board + "10 by 2000 cells of 20 pixels at (100, 40)" + keys},
        {"board_x", "-2147483648",
         board + "10 by 20 cells of 20 pixels at (-2147483648, 40)" + keys},
    };
    for (const auto& c : cases) {
        ConfigStore saved = prefs;
        if (c.value == nullptr) {
            prefs.values.erase(c.key);
        } else {
            prefs.get_string(c.key) = c.value;
        }
        CommandResult result = run_in_child([this] { build_game(); });
        EXPECT_EQ(result.status, 1) << c.key;
        EXPECT_EQ(result.output, c.output) << c.key;
        prefs = saved;
    }
}

TEST(Piece, IsBuiltFromSignedDescriptionBytes) {
    std::string description =
        describe_piece(-1, 2, true, 3, true, {{0, 1}, {1, 1}, {2, 1}, {-2, 0}}) + "extra";
    description[2] = static_cast<char>(0xFF);
    Piece piece(description, 3, -4, nullptr);
    EXPECT_EQ(std::vector<int>({piece.centre_x, piece.centre_y, piece.tile, piece.blocks[2].x,
                                piece.blocks[3].x, piece.x, piece.y}),
              std::vector<int>({65535, 2, 3, 2, 65534, 3, -4}));
    EXPECT_TRUE(piece.half_centre && piece.alternates);
    EXPECT_FALSE(piece.next_turn_left);
}
