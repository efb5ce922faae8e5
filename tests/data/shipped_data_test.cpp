// The shipped prefs.txt and pieces file: what derevarez-check does not judge (it finds the data
// clean, see check_test.cpp) but the game still relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <vector>

#include "tests/data/shipped_data.h"
#include "tools/piece_shapes.h"

namespace {

struct Area {
    int x, y, w, h;
};

Area box(ConfigStore& prefs, const std::string& name) {
    return Area{prefs.get_int(name + "_x"), prefs.get_int(name + "_y"), prefs.get_int(name + "_w"),
                prefs.get_int(name + "_h")};
}

bool overlap(const Area& a, const Area& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// The piece's cells moved so that the smallest column and row are 0 (its look), or as they
// stand in the 4 by 4 box.
std::set<std::pair<int, int>> cells(const PieceShape& shape, bool moved_to_corner) {
    int min_x = 99, min_y = 99;
    for (const ShapeBlock& block : shape.blocks) {
        min_x = std::min(min_x, block.x);
        min_y = std::min(min_y, block.y);
    }
    std::set<std::pair<int, int>> result;
    for (const ShapeBlock& block : shape.blocks) {
        result.insert(moved_to_corner ? std::make_pair(block.x - min_x, block.y - min_y)
                                      : std::make_pair(block.x, block.y));
    }
    return result;
}

}  // namespace

TEST(ShippedPrefs, TenByTwentyBoardRepeatingKeysAndBoxesApartFromTheBoard) {
    ConfigStore prefs = load_shipped("prefs.txt");
    EXPECT_EQ(10, prefs.get_int("board_width"));
    EXPECT_EQ(20, prefs.get_int("board_height"));
    EXPECT_GT(prefs.get_int("key_repeat_delay"), 0);  // 0 switches repeating off
    // The checker keeps each box inside the window; here they must also keep apart.
    int block = prefs.get_int("block_size");
    Area board{prefs.get_int("board_x"), prefs.get_int("board_y"),
               prefs.get_int("board_width") * block, prefs.get_int("board_height") * block};
    Area next{prefs.get_int("next_piece_x"), prefs.get_int("next_piece_y"), 4 * block, 4 * block};
    std::vector<Area> boxes{next, box(prefs, "level"), box(prefs, "points"), box(prefs, "lines")};
    for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_FALSE(overlap(boxes[i], board)) << "box " << i;
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            EXPECT_FALSE(overlap(boxes[i], boxes[j])) << "boxes " << i << " and " << j;
        }
    }
}

TEST(ShippedPieces, SevenPiecesWithTheirOwnTilesTurnWithoutWandering) {
    ConfigStore prefs = load_shipped("prefs.txt");
    std::ifstream in(data_path(prefs.get_string("pieces_file")), std::ios::binary);
    std::set<int> tiles;
    int count = 0;
    for (std::string line; std::getline(in, line); ++count) {
        SCOPED_TRACE("line " + std::to_string(count + 1));
        ASSERT_EQ(13u, line.size());
        PieceShape shape;
        ASSERT_TRUE(parse_description(line, shape));
        tiles.insert(shape.tile);
        EXPECT_EQ("", shape_problem(shape));
        PieceShape quarter = shape.turned(false);
        PieceShape half = quarter.turned(false);
        if (cells(quarter, true) == cells(shape, true)) {
            // The square: a turn that changes nothing on screen must not move it either.
            EXPECT_EQ(cells(shape, false), cells(quarter, false));
        } else if (cells(half, true) == cells(shape, true) &&
                   cells(half, false) != cells(shape, false)) {
            // Two looks only: four-way turning would shift it, so it must alternate.
            EXPECT_TRUE(shape.alternates);
        } else {
            EXPECT_FALSE(shape.alternates) << "a piece with four looks would lose two";
        }
    }
    EXPECT_EQ(7, count);
    EXPECT_EQ((std::set<int>{0, 1, 2, 3, 4, 5, 6}), tiles);
}
