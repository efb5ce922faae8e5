// The shipped data: what derevarez-check does not judge (it finds the data clean, see
// check_test.cpp) but the game still relies on. The boxes of prefs.txt keep apart, the pieces
// turn without wandering, and after any number of partial redraws the shipped menus look exactly
// as one full repaint draws them: hovering leaves no trace behind their translucent pictures.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <set>
#include <vector>

#include "config/config_store.h"
#include "menu/menu.h"
#include "tests/support/test_support.h"
#include "tools/piece_shapes.h"

namespace {

std::string source_dir() {
    return std::getenv("TEST_SOURCE_DIR");
}

ConfigStore shipped_prefs() {
    ConfigStore prefs;
    EXPECT_EQ(0, prefs.load((source_dir() + "/data/prefs.txt").c_str()));
    return prefs;
}

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

std::vector<Uint32> pixels_of(SDL_Surface* screen) {
    std::vector<Uint32> pixels;
    for (int y = 0; y < screen->h; ++y) {
        for (int x = 0; x < screen->w; ++x) {
            pixels.push_back(pixel_at(screen, x, y));
        }
    }
    return pixels;
}

}  // namespace

TEST(ShippedPrefs, TenByTwentyBoardRepeatingKeysAndBoxesApartFromTheBoard) {
    ConfigStore prefs = shipped_prefs();
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
    ConfigStore prefs = shipped_prefs();
    std::ifstream in(source_dir() + "/data/" + prefs.get_string("pieces_file"), std::ios::binary);
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

TEST(HoverRepaint, ManyHoversLeaveEachMenuAsAFullRepaintDrawsIt) {
    ConfigStore prefs = shipped_prefs();
    ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO));
    SDL_Surface* screen =
        SDL_SetVideoMode(prefs.get_int("window_w"), prefs.get_int("window_h"), 32, SDL_SWSURFACE);
    ASSERT_NE(nullptr, screen);
    char previous_dir[PATH_MAX];
    ASSERT_NE(nullptr, getcwd(previous_dir, sizeof previous_dir));
    ASSERT_EQ(0, chdir(std::getenv("TEST_RUN_DIR")));
    for (const char* key : {"main_menu", "prefs_menu"}) {
        SCOPED_TRACE(key);
        ConfigStore keys = prefs;
        Menu menu(prefs.get_string(key).c_str(), &keys);
        menu.compositor.redraw(screen);
        // In and out of every button, and straight from one button into the next, so that
        // the areas of one redraw overlap.
        for (int round = 0; round < 20; ++round) {
            for (const SDL_Rect& r : menu.button_rects) {
                for (int x : {r.x + r.w / 2, -100}) {
                    if (menu.update_hover(x, r.y + r.h / 2)) {
                        menu.compositor.redraw(screen);
                    }
                }
                menu.update_hover(r.x + 1, r.y + 1);
                menu.compositor.redraw(screen);
            }
        }
        std::vector<Uint32> after_hovers = pixels_of(screen);
        menu.compositor.full_redraw = true;
        menu.compositor.redraw(screen);
        EXPECT_TRUE(after_hovers == pixels_of(screen));
    }
    EXPECT_EQ(0, chdir(previous_dir));
    SDL_Quit();
}
