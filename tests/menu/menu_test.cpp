#include "menu/menu.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <regex>
#include <set>

#include "tests/menu/menu_fixture.h"
#include "tests/support/test_support.h"

namespace {

const Uint32 grey = 0x404040, red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;

std::string text(const SDL_Rect& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.w) + "," +
           std::to_string(r.h);
}

}  // namespace

TEST_F(MenuTest, LaysOutBackgroundAndOneElementAndRectanglePerButton) {
    image("wide.bmp", 100, 20, red);
    image("small.bmp", 30, 10, green);
    Menu m(write_menu("background: back.bmp\n"
                      "num_surfs: 2\n"
                      "surf1_name: wide\nsurf1_path: wide.bmp\n"
                      "surf2_name: small\nsurf2_path: small.bmp\n"
                      "num_buttons: 4\n"
                      "button1_surf: wide\nbutton1_x: 50\nbutton1_y: 60\n"
                      "button1_rect: 0,0,100,20\n"
                      "button2_surf: small\nbutton2_x: 5\nbutton2_y: 7\n"
                      "button3_x: 9\nbutton3_y: 11\n"
                      "button4_surf: small\nbutton4_x: 20\nbutton4_y: 30\nbutton4_rect: 2,3,4\n"
                      "button5_surf: wide\n")
               .c_str(),
           nullptr);
    std::string names;
    for (const Element& element : m.compositor.elements) {
        names += element.name + " ";
    }
    EXPECT_EQ(names, "background button1 button2 button3 button4 ");  // 5 is beyond the count
    EXPECT_EQ(m.compositor.elements[0].surface, m.background_surface);
    EXPECT_EQ(m.compositor.elements[1].surface, m.surfaces["wide"]);
    EXPECT_EQ(m.compositor.elements[3].surface, nullptr);  // counted although it shows nothing
    // The normal surface's size; nothing to measure: empty, at its corner; a missing comma
    // zeroes the rest.
    std::string rects;
    for (const SDL_Rect& r : m.button_rects) {
        rects += text(r) + " ";
    }
    EXPECT_EQ(rects, "50,60,100,20 5,7,30,10 9,11,0,0 22,33,0,0 ");
    EXPECT_EQ(m.screen, nullptr);  // loading draws nothing

    // A count past 1000 entries is read as 1000, with a message.
    std::string huge = write_menu("background: back.bmp\nnum_buttons: 5000\n", "huge.txt");
    std::unique_ptr<Menu> big;
    EXPECT_NE(capture_stdout([&] { big = std::make_unique<Menu>(huge.c_str(), nullptr); }), "");
    EXPECT_EQ(big->compositor.elements.size(), 1001u);
}

// Buttons placed by "_align": within their rectangle, or by a point without one.
TEST_F(MenuTest, AlignedButtonsSitInTheirRectangleOrOnTheirPoint) {
    image("label.bmp", 40, 10, 0xFFFFFF);
    struct Case {
        const char* keys;  // of button1, which shows the 40 by 10 label, at (50, 60)
        int x, y;          // where it is drawn
        const char* hit;
    };
    const Case cases[] = {
        {"button1_rect: 10,0,100,30\nbutton1_align: center\n", 90, 70, "60,60,100,30"},
        {"button1_rect: 10,0,100,30\nbutton1_align: right\n", 120, 70, "60,60,100,30"},
        {"button1_align: center\n", 30, 55, "30,55,40,10"},
        // Without "_align", or with a value it does not know, the corner is "_x", "_y".
        {"button1_rect: 10,0,100,30\nbutton1_align: middle\n", 50, 60, "60,60,100,30"},
        {"button1_rect: 10,0,100,30\n", 50, 60, "60,60,100,30"},
    };
    for (const Case& c : cases) {
        Menu m(write_menu(std::string("background: back.bmp\nnum_surfs: 1\n"
                                      "surf1_name: label\nsurf1_path: label.bmp\nnum_buttons: 1\n"
                                      "button1_surf: label\nbutton1_x: 50\nbutton1_y: 60\n") +
                          c.keys)
                   .c_str(),
               nullptr);
        SCOPED_TRACE(c.keys);
        EXPECT_EQ(c.x, m.compositor.elements[1].x);
        EXPECT_EQ(c.y, m.compositor.elements[1].y);
        EXPECT_EQ(text(m.button_rects[0]), c.hit);
    }
}

TEST_F(MenuTest, ClicksCountStrictlyInsidePassOverLabelsAndTheLowerNumberWins) {
    image("bar.bmp", 100, 20, red);
    std::string menu = write_menu(
        "background: back.bmp\n"
        "num_surfs: 1\n"
        "surf1_name: bar\nsurf1_path: bar.bmp\n"
        "num_buttons: 4\n"
        "button1_rect: 0,0,200,150\n"  // a label over everything, without a word
        "button2_surf: bar\nbutton2_surf_over: bar\nbutton2_x: 50\nbutton2_y: 60\n"
        "button2_return: go\n"
        "button3_x: 10\nbutton3_y: 10\nbutton3_rect: 0,0,1,20\n"
        "button3_return: thin\n"
        "button4_x: 140\nbutton4_y: 75\nbutton4_rect: 0,0,40,20\nbutton4_return: last\n");
    Menu m(menu.c_str(), nullptr);
    // Every edge of the lit area, a one pixel wide button and a key press: none is a choice.
    for (auto [x, y] : {std::pair{50, 70}, {150, 70}, {100, 60}, {100, 80}, {10, 15}, {11, 15}}) {
        push_click(x, y);
    }
    push_key(SDLK_RETURN);
    push_quit();
    EXPECT_EQ(m.run(), "quit");
    push_click(51, 61);
    EXPECT_EQ(m.run(), "go");
    push_click(149, 79, SDL_BUTTON_RIGHT);  // inside the last button too
    EXPECT_EQ(m.run(), "go");
    push_click(100, 70, SDL_BUTTON_WHEELDOWN);
    EXPECT_EQ(m.run(), "go");
    push_click(160, 90);
    EXPECT_EQ(m.run(), "last");
    EXPECT_EQ(m.screen, screen);
}

TEST_F(MenuTest, HoverRedrawsOnlyWhatChangedAndEveryRunRepaintsAll) {
    image("small.bmp", 20, 20, red);
    image("big.bmp", 40, 40, green);
    image("plain.bmp", 20, 20, blue);
    std::string menu = write_menu(
        "background: back.bmp\n"
        "num_surfs: 4\n"
        "surf1_name: small\nsurf1_path: small.bmp\n"
        "surf2_name: big\nsurf2_path: big.bmp\n"
        "surf3_name: plain\nsurf3_path: plain.bmp\n"
        "surf4_name: \nsurf4_path: big.bmp\n"  // a surface named "" is no hover image
        "num_buttons: 2\n"
        "button1_surf: plain\nbutton1_x: 100\nbutton1_y: 100\n"
        "button2_surf: small\nbutton2_surf_over: big\nbutton2_x: 10\nbutton2_y: 10\n");
    Menu m(menu.c_str(), nullptr);
    push_motion(30, 30);    // on the bottom-right corner of the rectangle: lit
    push_motion(150, 20);   // off again: only the small image's area is repainted
    push_motion(110, 110);  // over a button without hover image: nothing changes
    push_quit();
    EXPECT_EQ(m.run(), "quit");
    EXPECT_EQ(pixel_at(screen, 15, 15), red);
    EXPECT_EQ(pixel_at(screen, 45, 45), green);  // the hover image's outer part stays
    EXPECT_EQ(pixel_at(screen, 60, 60), grey);
    EXPECT_EQ(pixel_at(screen, 110, 110), blue);

    push_quit();
    EXPECT_EQ(m.run(), "quit");
    EXPECT_EQ(pixel_at(screen, 45, 45), grey);

    // A button under the pointer is lit from the first frame on.
    SDL_WarpMouse(15, 15);
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    push_quit();
    EXPECT_EQ(m.run(), "quit");
    EXPECT_EQ(pixel_at(screen, 15, 15), green);
    EXPECT_EQ(pixel_at(screen, 45, 45), green);
}

TEST_F(MenuTest, FatalFailuresPrintTheirMessageAndExitWithStatusOne) {
    std::string good = write_menu("background: back.bmp\n", "good.txt");
    // A missing menu file or background: rows of the table in tests/reliability/faults_test.cpp.
    // Without a window there is no display format to convert to.
    CommandResult result = run_in_child([&] {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_InitSubSystem(SDL_INIT_VIDEO);
        Menu m(good.c_str(), nullptr);
    });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "couldn't convert menu background to display format\n");
}

TEST(SubstituteKeys, ReplacesPairsDropsUnpairedSignsAndAddsMissingKeys) {
    ConfigStore prefs;
    prefs.get_string("pause_key") = "p";
    prefs.get_string("drop_key") = "space";
    prefs.get_string("") = "E";
    EXPECT_EQ(substitute_keys("Pause: %pause_key% now", nullptr), "Pause: %pause_key% now");
    EXPECT_EQ(substitute_keys("Pause: %pause_key% now", &prefs), "Pause: p now");
    EXPECT_EQ(substitute_keys("a %pause_key% b % c", &prefs), "a p b  c");
    EXPECT_EQ(substitute_keys("[%%]", &prefs), "[E]");
    EXPECT_EQ(prefs.values().count("turn_key"), 0u);
    EXPECT_EQ(substitute_keys("<%turn_key%>", &prefs), "<>");
    ASSERT_EQ(prefs.values().count("turn_key"), 1u);
    EXPECT_EQ(*prefs.find("turn_key"), "");
}

TEST(ParseColorAndRect, ReadTheirFieldsAndNothingElse) {
    const char* colours[][2] = {
        {"ff8000", "255,128,0,0"}, {"0a0B0c99", "10,11,12,0"},  // past the sixth: ignored
        {"fffff", "0,0,0,0"},                                   // too short: black
        {"", "0,0,0,0"},           {"#ff8000", "0,248,0,0"},    // a prefix shifts the pieces
        {"zz10zz", "0,16,0,0"},
    };
    for (const auto& [given, read] : colours) {
        SDL_Color c = parse_color(given);
        EXPECT_EQ(text(SDL_Rect{c.r, c.g, c.b, c.unused}), read) << given;
    }
    const char* rects[][2] = {
        {"1,2,3,4", "1,2,3,4"},   {" -3, 4,5 ,6px", "-3,4,5,6"},
        {"1,2,3,4,5", "1,2,3,4"},  // h is "4,5", read as 4
        {"1,2,3", "1,2,0,0"},     {"7", "0,0,0,0"},
        {",,,", "0,0,0,0"},       {"70000,-32769,-1,65537", "4464,32767,65535,1"},  // 16 bits
    };
    for (const auto& [given, read] : rects) {
        EXPECT_EQ(text(parse_rect(given)), read) << given;
    }
}

TEST(PointInRect, CountsAllFourEdgesInPlainIntegers) {
    SDL_Rect r{50, 60, 100, 20};
    for (auto [x, y] : {std::pair{50, 60}, {150, 80}, {100, 70}}) {
        EXPECT_TRUE(point_in_rect(x, y, r)) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{49, 70}, {151, 70}, {100, 59}, {100, 81}}) {
        EXPECT_FALSE(point_in_rect(x, y, r)) << x << "," << y;
    }
    EXPECT_TRUE(point_in_rect(5, 5, SDL_Rect{5, 5, 0, 0}));
    // The right edge lies beyond the 16-bit range; it must not wrap around.
    EXPECT_TRUE(point_in_rect(33000, 5, SDL_Rect{32000, 0, 1000, 10}));
    EXPECT_TRUE(point_in_rect(-5, -5, SDL_Rect{-10, -10, 5, 5}));
}

TEST(MenuFileTest, ReadWithoutAWindowWithEachProblemAtItsLine) {
    MenuFile file;
    EXPECT_FALSE(read_menu_file("none.txt", file));
    write_file("read.txt",
               "num_surfs: 2\nsurf1_name: plate\nsurf1_path: plate.png\n"
               "num_buttons: 1x\nbutton1_surf: label\nbutton1_x: 9\nbutton1_y: 4\n"
               "button1_rect: 1,2,3\nbutton1_align: middle\nbutton01_x: 3\n"
               "num_fonts: 1\nfont1_name: huge\nfont1_path: f.ttf\nfont1_size: 26302\n");
    ASSERT_TRUE(read_menu_file("read.txt", file));
    EXPECT_EQ(2, file.counts[image_group]);
    EXPECT_EQ("plate", file.images[0].name);
    // The game still builds the one button "1x" reads as, where it would draw it.
    ASSERT_EQ(1u, file.buttons.size());
    EXPECT_EQ("10,6,0,0", text(place_button(file.buttons[0], false, 0, 0).hit));
    std::string problems;
    for (const Problem& problem : file.problems) {
        problems += problem_text(problem) + "\n";
    }
    EXPECT_EQ(
        "read.txt: missing key \"background\"\n"
        "read.txt:1: warning: \"num_surfs\" is 2, but the file has no key of surf2\n"
        "read.txt:4: \"num_buttons\" is not a whole number: \"1x\"\n"
        "read.txt:5: warning: \"button1_surf\" is never read: \"num_buttons\" is 0\n"
        "read.txt:6: warning: \"button1_x\" is never read: \"num_buttons\" is 0\n"
        "read.txt:7: warning: \"button1_y\" is never read: \"num_buttons\" is 0\n"
        "read.txt:8: warning: \"button1_rect\" is never read: \"num_buttons\" is 0\n"
        "read.txt:9: warning: \"button1_align\" is never read: \"num_buttons\" is 0\n"
        "read.txt:10: warning: \"button01_x\" is never read: button entries are numbered 1, "
        "2, 3, ... without leading zeros\n"
        "read.txt:14: font size 26302 must be at most 1000\n",
        problems);
}

// Every key the shipped menus use is one the game knows, and the authors' documentation of
// the menu files names exactly the keys the game knows.
TEST(MenuFileTest, KeyTableCoversTheShippedMenusAndTheDocumentation) {
    std::string source = std::getenv("TEST_SOURCE_DIR");
    std::set<std::string> known;
    for (int i = 0; i < menu_key_count; i++) {
        const MenuKey& key = menu_keys[i];
        known.insert(*key.group ? std::string(key.group) + "N" + key.key : key.key);
    }
    for (const char* prefix : menu_group_prefixes) {
        known.insert(std::string("num_") + prefix + "s");
    }
    for (const char* menu :
         {"main_menu", "prefs_menu", "scores_menu", "name_menu", "modes_menu", "summary_menu"}) {
        ConfigStore config;
        ASSERT_EQ(0, config.load((source + "/data/menus/" + menu + ".txt").c_str()));
        for (const std::string& key : config.order()) {
            std::string general = std::regex_replace(key, std::regex("^([a-z]+)[0-9]+_"), "$1N_");
            EXPECT_TRUE(key.empty() || known.count(general) > 0) << menu << ": " << key;
        }
    }
    std::string readme = read_file(source + "/data/README.md");
    size_t start = readme.find("## Menu files");
    std::string table =
        readme.substr(start, readme.find("\n\n", readme.find("| ---", start)) - start);
    // The first cell of each row of the table names its keys, each between backquotes.
    std::set<std::string> documented;
    std::regex row("\n\\| ([^|]*) \\|"), name("`([a-zN_]+)`");
    for (std::sregex_iterator r(table.begin(), table.end(), row), end; r != end; ++r) {
        std::string keys = (*r)[1];
        for (std::sregex_iterator n(keys.begin(), keys.end(), name); n != end; ++n) {
            documented.insert((*n)[1]);
        }
    }
    EXPECT_EQ(known, documented);
}
