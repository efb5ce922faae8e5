// Building the game: the screen layout, the tiles, the pieces file and the fatal failures.
#include <gtest/gtest.h>

#include "tests/game/game_fixture.h"
#include "tests/support/test_support.h"

TEST_F(GameTest, LaysOutTheScreenInDrawingOrder) {
    Game& g = build_game();
    const std::vector<Element>& elements = g.compositor.elements;
    ASSERT_EQ(elements.size(), 5u + 200u + 1u);
    const char* fixed[] = {"background", "next_piece", "level", "points", "lines"};
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(elements[i].name, fixed[i]);
    }
    EXPECT_EQ(elements[5].name, "0:0");
    EXPECT_EQ(elements[6].name, "1:0");
    EXPECT_EQ(elements[15].name, "0:1");
    EXPECT_EQ(elements[204].name, "9:19");
    EXPECT_EQ(elements.back().name, "paused");

    Element* cell = g.compositor.find("3:2");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->x, 160);
    EXPECT_EQ(cell->y, 80);
    EXPECT_EQ(cell->surface, nullptr);
    EXPECT_FALSE(cell->whole_surface);
    EXPECT_EQ(cell->source.w, test_block);

    // A 101x31 picture centred on a 200x400 well at (100, 40).
    Element* paused = g.compositor.find("paused");
    EXPECT_EQ(paused->x, 150);
    EXPECT_EQ(paused->y, 225);
    EXPECT_EQ(paused->surface, nullptr);
    EXPECT_EQ(g.next_piece_box->w, 80);
    EXPECT_EQ(g.next_piece_box->h, 80);
    EXPECT_EQ(g.level_box->w, 60);
    EXPECT_EQ(g.points_box->h, 20);
    EXPECT_EQ(g.board_width(), 10);
    EXPECT_EQ(g.board_height(), 20);
    EXPECT_EQ(g.shown_board, g.board);
    EXPECT_EQ(g.board[19][9], empty_cell);
}

TEST_F(GameTest, CutsSevenTilesFromOneColumn) {
    Game& g = build_game();
    EXPECT_EQ(g.blocks_image, nullptr);
    for (int i = 0; i < tile_count; i++) {
        SDL_Surface* tile = g.block_tiles[i];
        ASSERT_NE(tile, nullptr);
        EXPECT_EQ(tile->w, test_block);
        EXPECT_EQ(tile->h, test_block);
        Uint32 raw = *static_cast<Uint32*>(tile->pixels);
        Uint8 r, gr, b, a;
        SDL_GetRGBA(raw, tile->format, &r, &gr, &b, &a);
        EXPECT_EQ((Uint32(r) << 16) | (Uint32(gr) << 8) | b, tile_colour(i)) << "tile " << i;
        EXPECT_EQ(a, 255);
    }
}

TEST_F(GameTest, MissingImageEndsTheProgramNamingIt) {
    prefs.get_string("paused_img") = "nowhere.png";
    CommandResult result = run_in_child([this] { build_game(); });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "couldn't load \"paused image\", gotta go!\n");

    prefs.get_string("paused_img") = "paused.bmp";
    prefs.values.erase("blocks_img");
    result = run_in_child([this] { build_game(); });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "couldn't load \"blocks image\", gotta go!\n");
}

TEST_F(GameTest, RefusesABoardWithoutCellsOrBeyondScreenCoordinates) {
    for (auto [key, value] : {std::pair<const char*, const char*>{"board_width", "0"},
                              {"board_height", "-3"},
                              {"block_size", ""},
                              {"board_height", "2000"}}) {
        ConfigStore saved = prefs;
        prefs.get_string(key) = value;
        CommandResult result = run_in_child([this] { build_game(); });
        EXPECT_EQ(result.status, 1) << key << "=" << value;
        EXPECT_NE(result.output.find("can't build a board"), std::string::npos) << result.output;
        prefs = saved;
    }
}

TEST_F(GameTest, SkipsPieceLinesThatCannotBeDealtAndSaysWhich) {
    std::string good = describe_piece(1, 1, false, 2, false, {{0, 1}, {1, 1}, {2, 1}, {1, 0}});
    std::string bad_tile = describe_piece(1, 1, false, 7, false, {{0, 1}, {1, 1}, {2, 1}, {1, 0}});
    std::string negative_tile = bad_tile;
    negative_tile[3] = static_cast<char>(0xFF);
    write_pieces(good + "\n" + "short\n" + bad_tile + "\n" + "\n" + negative_tile + "\n" + good +
                 "\r\n" + good);
    CommandResult result = run_in_child([this] {
        Game& g = build_game();
        std::printf("kept %zu\n", g.piece_descriptions.size());
    });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output,
              "pieces.dat:2: skipped a piece: shorter than 13 bytes\n"
              "pieces.dat:3: skipped a piece: its tile (byte 4) is not 0 to 6\n"
              "pieces.dat:4: skipped a piece: shorter than 13 bytes\n"
              "pieces.dat:5: skipped a piece: its tile (byte 4) is not 0 to 6\n"
              "kept 3\n");
}

TEST_F(GameTest, MissingPiecesFileLeavesNothingToDeal) {
    prefs.get_string("pieces_file") = "absent.dat";
    CommandResult result = run_in_child([this] {
        Game& g = build_game();
        std::printf("has pieces: %d\n", g.has_pieces());
    });
    EXPECT_EQ(result.output, "couldn't read pieces file: absent.dat\nhas pieces: 0\n");
}

TEST(Piece, IsBuiltFromSignedDescriptionBytes) {
    std::string description =
        describe_piece(-1, 2, true, 3, true, {{0, 1}, {1, 1}, {2, 1}, {-2, 0}}) + "extra";
    description[2] = static_cast<char>(0xFF);
    Piece piece(description, 3, -4, nullptr);
    EXPECT_EQ(piece.centre_x, 65535);
    EXPECT_EQ(piece.centre_y, 2);
    EXPECT_TRUE(piece.half_centre);
    EXPECT_TRUE(piece.alternates);
    EXPECT_FALSE(piece.next_turn_left);
    EXPECT_EQ(piece.tile, 3);
    EXPECT_EQ(piece.blocks[2].x, 2);
    EXPECT_EQ(piece.blocks[3].x, 65534);
    EXPECT_EQ(piece.x, 3);
    EXPECT_EQ(piece.y, -4);
}
