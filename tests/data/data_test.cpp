// What the game relies on in the shipped data that derevarez-check (which finds it clean) does
// not judge: boxes apart, seven pieces, and menus that hovering leaves as a full repaint draws
// them, with no trace behind their translucent pictures.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <vector>

#include "config/config_store.h"
#include "menu/menu.h"
#include "pieces/piece_shape.h"
#include "settings/settings_table.h"

namespace {

std::string shipped(const std::string& file) {
    return std::string(std::getenv("TEST_SOURCE_DIR")) + "/data/" + file;
}

ConfigStore shipped_prefs() {
    ConfigStore prefs;
    EXPECT_EQ(0, prefs.load(shipped("prefs.txt").c_str()));
    return prefs;
}

// The keys named in the first column of data/README.md's table of prefs.txt, with the
// shorthand "level_x/_y/_w/_h" spelled out, each with its row's meaning.
std::map<std::string, std::string> documented_keys() {
    std::ifstream in(shipped("README.md"));
    std::string line;
    while (std::getline(in, line) && line != "## prefs.txt") {
    }
    std::map<std::string, std::string> keys;
    while (std::getline(in, line) && (keys.empty() || line.rfind("|", 0) == 0)) {
        std::string first_column = line.substr(0, line.find(" | ", 2));
        std::string meaning = line.substr(std::min(line.size(), line.rfind(" | ") + 3));
        for (size_t open = first_column.find('`'); open != std::string::npos;) {
            size_t close = first_column.find('`', open + 1);
            std::string names = first_column.substr(open + 1, close - open - 1);
            std::string stem = names.substr(0, names.find('/'));
            keys[stem] = meaning;
            for (size_t slash = names.find('/'); slash != std::string::npos;
                 slash = names.find('/', slash + 1)) {
                size_t end = names.find('/', slash + 1);
                keys[stem.substr(0, stem.rfind('_')) +
                     names.substr(slash + 1, end == std::string::npos ? end : end - slash - 1)] =
                    meaning;
            }
            open = first_column.find('`', close + 1);
        }
    }
    return keys;
}

}  // namespace

TEST(ShippedPrefs, EveryKeyIsInTheSettingsTableAndTheDocumentationListsTheTable) {
    std::set<std::string> table;
    for (const Setting& setting : all_settings()) {
        EXPECT_TRUE(table.insert(setting.key).second) << setting.key << " has two rows";
    }
    ConfigStore prefs = shipped_prefs();
    for (const std::string& key : prefs.order()) {
        EXPECT_TRUE(key.empty() || table.count(key) == 1) << key << " is not in the table";
    }
    std::map<std::string, std::string> documented = documented_keys();
    std::set<std::string> named;
    for (const auto& row : documented) {
        named.insert(row.first);
    }
    EXPECT_EQ(named, table);
    // Where a row calls a key optional or gives the numbers it takes, the table agrees, and
    // every number with a range of its own has it documented.
    const std::regex range(R"((-?\d+)(?: \([^)]*\))? to (-?\d+))");
    for (const Setting& setting : all_settings()) {
        const std::string& meaning = documented[setting.key];
        if (meaning.find("optional") != std::string::npos) {
            EXPECT_FALSE(setting.needed) << setting.key;
        }
        std::smatch numbers;
        bool ranged = setting.kind == SettingKind::number && setting.max != INT_MAX;
        EXPECT_EQ(ranged, std::regex_search(meaning, numbers, range)) << setting.key;
        if (ranged && !numbers.empty()) {
            EXPECT_EQ(setting.min, std::stoi(numbers[1])) << setting.key;
            EXPECT_EQ(setting.max, std::stoi(numbers[2])) << setting.key;
        }
    }
}

TEST(ShippedPrefs, TenByTwentyBoardRepeatingKeysAndBoxesApartFromTheBoard) {
    ConfigStore prefs = shipped_prefs();
    EXPECT_EQ(10, prefs.get_int("board_width"));
    EXPECT_EQ(20, prefs.get_int("board_height"));
    EXPECT_GT(prefs.get_int("key_repeat_delay"), 0);  // 0 switches repeating off
    // The checker keeps each box inside the window; here they must also keep apart.
    auto box = [&prefs](const std::string& name, int w, int h) {
        return SDL_Rect{Sint16(prefs.get_int(name + "_x")), Sint16(prefs.get_int(name + "_y")),
                        Uint16(w), Uint16(h)};
    };
    int block = prefs.get_int("block_size");
    std::vector<SDL_Rect> boxes{box("board", 10 * block, 20 * block),
                                box("next_piece", 4 * block, 4 * block)};
    for (std::string name : {"level", "points", "lines"}) {
        boxes.push_back(box(name, prefs.get_int(name + "_w"), prefs.get_int(name + "_h")));
    }
    for (size_t i = 0; i < boxes.size(); ++i) {
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            const SDL_Rect& a = boxes[i];
            const SDL_Rect& b = boxes[j];
            EXPECT_FALSE(a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h)
                << "boxes " << i << " and " << j << " (0 is the board)";
        }
    }
}

// How they turn is derevarez-check's business: it finds the shipped pieces clean.
TEST(ShippedPieces, SevenPiecesWithTheirOwnTiles) {
    std::ifstream in(shipped(shipped_prefs().get_string("pieces_file")), std::ios::binary);
    std::set<int> tiles;
    int count = 0;
    for (std::string line; std::getline(in, line); ++count) {
        PieceShape shape;
        ASSERT_TRUE(read_description(line, shape)) << line;
        tiles.insert(shape.tile);
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
    auto pixels = [screen] {
        const Uint8* bytes = static_cast<const Uint8*>(screen->pixels);
        return std::vector<Uint8>(bytes, bytes + screen->pitch * screen->h);
    };
    std::filesystem::current_path(std::getenv("TEST_RUN_DIR"));
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
        std::vector<Uint8> after_hovers = pixels();
        menu.compositor.full_redraw = true;
        menu.compositor.redraw(screen);
        EXPECT_TRUE(after_hovers == pixels());
    }
    SDL_Quit();
}
