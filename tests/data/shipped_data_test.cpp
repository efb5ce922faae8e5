// The shipped prefs.txt, the pictures and the pieces file it names: what derevarez-check does
// not judge (it finds the data clean, see check_test.cpp) but the game still relies on.
#include "tests/data/shipped_data.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <vector>

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

// The size of an image file, or 0 x 0 when IMG_Load cannot read it.
Area image_size(const std::string& path) {
    SDL_Surface* image = IMG_Load(path.c_str());
    if (image == nullptr) {
        return Area{0, 0, 0, 0};
    }
    Area size{0, 0, image->w, image->h};
    SDL_FreeSurface(image);
    return size;
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

TEST(ShippedImages, FitTheWindowTheirBoxesAndTheBoard) {
    ConfigStore prefs = load_shipped("prefs.txt");
    int block = prefs.get_int("block_size");
    Area background = image_size(data_path(prefs.get_string("background_img")));
    EXPECT_EQ(prefs.get_int("window_w"), background.w);
    EXPECT_EQ(prefs.get_int("window_h"), background.h);

    // Two level digits and at least six score digits, each glyph as tall as its box allows.
    Area large = image_size(data_path(prefs.get_string("level_font")));
    Area small = image_size(data_path(prefs.get_string("small_num_font")));
    Area level = box(prefs, "level");
    EXPECT_LE(2 * large.w, level.w);
    EXPECT_LE(large.h / 10, level.h);
    for (const char* name : {"points", "lines"}) {
        Area counter = box(prefs, name);
        EXPECT_LE(6 * small.w, counter.w) << name;
        EXPECT_LE(small.h / 10, counter.h) << name;
    }

    // The pause and game-over pictures are centred on the board and must not spill over it.
    for (const char* key : {"paused_img", "game_over_img"}) {
        Area picture = image_size(data_path(prefs.get_string(key)));
        EXPECT_GT(picture.w, 0) << key;
        EXPECT_LE(picture.w, prefs.get_int("board_width") * block) << key;
        EXPECT_LE(picture.h, prefs.get_int("board_height") * block) << key;
    }
}

TEST(ShippedImages, BlockTilesAreDistinctAndSeparatedByTransparentEdges) {
    ConfigStore prefs = load_shipped("prefs.txt");
    int block = prefs.get_int("block_size");
    SDL_Surface* image = IMG_Load(data_path(prefs.get_string("blocks_img")).c_str());
    ASSERT_NE(nullptr, image);
    ASSERT_EQ(32, image->format->BitsPerPixel);
    SDL_LockSurface(image);
    auto rgba = [&](int x, int y) {
        Uint32 raw = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(image->pixels) +
                                                y * image->pitch + x * 4);
        Uint8 r, g, b, a;
        SDL_GetRGBA(raw, image->format, &r, &g, &b, &a);
        return std::vector<int>{r, g, b, a};
    };
    std::set<std::vector<int>> centres;
    for (int tile = 0; tile < 7; ++tile) {
        std::vector<int> centre = rgba(block / 2, tile * block + block / 2);
        EXPECT_EQ(255, centre[3]) << "tile " << tile;
        centres.insert(centre);
        // The outermost pixel column and row are see-through, so neighbours read as separate.
        EXPECT_EQ(0, rgba(0, tile * block + block / 2)[3]) << "tile " << tile;
        EXPECT_EQ(0, rgba(block / 2, tile * block)[3]) << "tile " << tile;
    }
    SDL_UnlockSurface(image);
    SDL_FreeSurface(image);
    EXPECT_EQ(7u, centres.size());
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
