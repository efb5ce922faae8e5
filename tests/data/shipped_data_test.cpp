// The shipped prefs.txt, the pictures and the pieces file it names: everything the game
// reads at start must be there, load, and fit the window.
#include "tests/data/shipped_data.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "tools/piece_shapes.h"

namespace {

const char* const kTextKeys[] = {
    "main_menu",      "prefs_menu",     "pieces_file",    "pause_key",
    "turn_left_key",  "turn_right_key", "move_left_key",  "move_right_key",
    "move_down_key",  "drop_key",       "background_img", "level_font",
    "small_num_font", "game_over_img",  "paused_img",     "blocks_img",
};
const char* const kNumberKeys[] = {
    "window_w",   "window_h", "board_width", "board_height", "key_repeat_delay", "key_repeat_rate",
    "block_size", "board_x",  "board_y",     "next_piece_x", "next_piece_y",     "level_x",
    "level_y",    "level_w",  "level_h",     "points_x",     "points_y",         "points_w",
    "points_h",   "lines_x",  "lines_y",     "lines_w",      "lines_h",
};
const char* const kBindingKeys[] = {
    "pause_key",      "turn_left_key", "turn_right_key", "move_left_key",
    "move_right_key", "move_down_key", "drop_key",
};

struct Area {
    int x, y, w, h;
};

Area box(ConfigStore& prefs, const std::string& name) {
    return Area{prefs.get_int(name + "_x"), prefs.get_int(name + "_y"), prefs.get_int(name + "_w"),
                prefs.get_int(name + "_h")};
}

bool inside(const Area& inner, const Area& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
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

std::vector<std::string> file_lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

// Turns as the game turns: an alternating piece goes right, left, right, ... whatever is asked.
std::string offsets_after_turns(PieceShape shape, bool left) {
    bool next_turn_left = false;
    for (int turn = 1; turn <= 4; ++turn) {
        bool direction = shape.alternates ? next_turn_left : left;
        shape = shape.turned(direction);
        next_turn_left = !next_turn_left;
        for (const ShapeBlock& block : shape.blocks) {
            if (block.x < 0 || block.x > 3 || block.y < 0 || block.y > 3) {
                return "turn " + std::to_string(turn) + " moves a block to (" +
                       std::to_string(block.x) + ", " + std::to_string(block.y) + ")";
            }
        }
    }
    return "";
}

// The piece's cells moved so that the smallest column and row are 0, sorted: its look.
std::set<std::pair<int, int>> look(const PieceShape& shape) {
    int min_x = 99, min_y = 99;
    for (const ShapeBlock& block : shape.blocks) {
        min_x = std::min(min_x, block.x);
        min_y = std::min(min_y, block.y);
    }
    std::set<std::pair<int, int>> cells;
    for (const ShapeBlock& block : shape.blocks) {
        cells.insert({block.x - min_x, block.y - min_y});
    }
    return cells;
}

std::set<std::pair<int, int>> cells(const PieceShape& shape) {
    std::set<std::pair<int, int>> result;
    for (const ShapeBlock& block : shape.blocks) {
        result.insert({block.x, block.y});
    }
    return result;
}

}  // namespace

TEST(ShippedPrefs, HasEveryKeyTheGameReads) {
    ConfigStore prefs = load_shipped("prefs.txt");
    for (const char* key : kTextKeys) {
        EXPECT_TRUE(has_key(prefs, key)) << key;
        EXPECT_FALSE(prefs.get_string(key).empty()) << key;
    }
    for (const char* key : kNumberKeys) {
        EXPECT_TRUE(has_key(prefs, key)) << key;
        EXPECT_TRUE(is_number(prefs.get_string(key))) << key << ": " << prefs.get_string(key);
    }
    EXPECT_EQ(10, prefs.get_int("board_width"));
    EXPECT_EQ(20, prefs.get_int("board_height"));
    EXPECT_GT(prefs.get_int("key_repeat_delay"), 0);
    EXPECT_GT(prefs.get_int("key_repeat_rate"), 0);
}

TEST(ShippedPrefs, BindingsAreDistinctSdlKeyNames) {
    SdlSession sdl;
    std::set<std::string> names;
    for (int key = SDLK_FIRST; key < SDLK_LAST; ++key) {
        names.insert(SDL_GetKeyName(static_cast<SDLKey>(key)));
    }
    names.erase("unknown key");
    ConfigStore prefs = load_shipped("prefs.txt");
    std::set<std::string> bound;
    for (const char* key : kBindingKeys) {
        std::string name = prefs.get_string(key);
        EXPECT_EQ(1u, names.count(name)) << key << " is bound to \"" << name << "\"";
        EXPECT_TRUE(bound.insert(name).second) << name << " is bound twice";
    }
}

TEST(ShippedPrefs, BoardAndBoxesFitTheWindowWithoutOverlapping) {
    ConfigStore prefs = load_shipped("prefs.txt");
    int block = prefs.get_int("block_size");
    Area window{0, 0, prefs.get_int("window_w"), prefs.get_int("window_h")};
    Area board{prefs.get_int("board_x"), prefs.get_int("board_y"),
               prefs.get_int("board_width") * block, prefs.get_int("board_height") * block};
    Area next{prefs.get_int("next_piece_x"), prefs.get_int("next_piece_y"), 4 * block, 4 * block};
    std::vector<Area> boxes{next, box(prefs, "level"), box(prefs, "points"), box(prefs, "lines")};
    EXPECT_TRUE(inside(board, window));
    for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(inside(boxes[i], window)) << "box " << i;
        EXPECT_FALSE(overlap(boxes[i], board)) << "box " << i;
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            EXPECT_FALSE(overlap(boxes[i], boxes[j])) << "boxes " << i << " and " << j;
        }
    }
}

TEST(ShippedImages, LoadAndHaveTheShapesTheGameCutsThemInto) {
    ConfigStore prefs = load_shipped("prefs.txt");
    int block = prefs.get_int("block_size");
    Area background = image_size(data_path(prefs.get_string("background_img")));
    EXPECT_EQ(prefs.get_int("window_w"), background.w);
    EXPECT_EQ(prefs.get_int("window_h"), background.h);

    Area blocks = image_size(data_path(prefs.get_string("blocks_img")));
    EXPECT_EQ(block, blocks.w);
    EXPECT_EQ(7 * block, blocks.h);

    Area large = image_size(data_path(prefs.get_string("level_font")));
    Area small = image_size(data_path(prefs.get_string("small_num_font")));
    ASSERT_GT(large.h, 0);
    ASSERT_GT(small.h, 0);
    EXPECT_EQ(0, large.h % 10);
    EXPECT_EQ(0, small.h % 10);
    // Two level digits and at least six score digits, each glyph as tall as its box allows.
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

TEST(ShippedPieces, SevenPiecesWithTheirOwnTilesStayInTheirBoxWhenTurned) {
    ConfigStore prefs = load_shipped("prefs.txt");
    std::vector<std::string> lines = file_lines(data_path(prefs.get_string("pieces_file")));
    ASSERT_EQ(7u, lines.size());
    std::set<int> tiles;
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1));
        ASSERT_EQ(13u, lines[i].size());
        PieceShape shape;
        ASSERT_TRUE(parse_description(lines[i], shape));
        tiles.insert(shape.tile);
        EXPECT_EQ("", shape_problem(shape));
        EXPECT_EQ("", offsets_after_turns(shape, true)) << "turning left";
        EXPECT_EQ("", offsets_after_turns(shape, false)) << "turning right";
    }
    EXPECT_EQ((std::set<int>{0, 1, 2, 3, 4, 5, 6}), tiles);
}

TEST(ShippedPieces, TurnWithoutWandering) {
    ConfigStore prefs = load_shipped("prefs.txt");
    for (const std::string& line : file_lines(data_path(prefs.get_string("pieces_file")))) {
        PieceShape shape;
        ASSERT_TRUE(parse_description(line, shape));
        SCOPED_TRACE("tile " + std::to_string(shape.tile));
        PieceShape quarter = shape.turned(false);
        PieceShape half = quarter.turned(false);
        if (look(quarter) == look(shape)) {
            // The square: a turn that changes nothing on screen must not move it either.
            EXPECT_EQ(cells(shape), cells(quarter));
        } else if (look(half) == look(shape) && cells(half) != cells(shape)) {
            // Two looks only: four-way turning would shift it, so it must alternate.
            EXPECT_TRUE(shape.alternates);
        } else {
            EXPECT_FALSE(shape.alternates) << "a piece with four looks would lose two";
        }
    }
}
