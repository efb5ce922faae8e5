#include "menu/menu.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/menu/menu_fixture.h"
#include "tests/menu/stdout_capture.h"
#include "tests/support/test_support.h"

namespace {

const Uint32 red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;

SDL_Rect rect(int x, int y, int w, int h) {
    return SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                    static_cast<Uint16>(h)};
}

void expect_rect(const SDL_Rect& actual, int x, int y, int w, int h) {
    EXPECT_EQ(actual.x, x);
    EXPECT_EQ(actual.y, y);
    EXPECT_EQ(actual.w, w);
    EXPECT_EQ(actual.h, h);
}

void expect_colour(const SDL_Color& c, int r, int g, int b) {
    EXPECT_EQ(c.r, r);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.b, b);
    EXPECT_EQ(c.unused, 0);
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
    ASSERT_EQ(m.compositor.elements.size(), 5u);  // button 5 lies beyond the count
    EXPECT_EQ(m.compositor.elements[0].name, "background");
    EXPECT_EQ(m.compositor.elements[0].surface, m.background_surface);
    const char* names[] = {"button1", "button2", "button3", "button4"};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(m.compositor.elements[i].name, names[i - 1]);
    }
    EXPECT_EQ(m.compositor.elements[1].surface, m.surfaces["wide"]);
    EXPECT_EQ(m.compositor.elements[1].x, 50);
    EXPECT_EQ(m.compositor.elements[1].y, 60);
    EXPECT_EQ(m.compositor.elements[3].surface, nullptr);  // counted although it shows nothing
    ASSERT_EQ(m.button_rects.size(), 4u);
    expect_rect(m.button_rects[0], 50, 60, 100, 20);
    expect_rect(m.button_rects[1], 5, 7, 30, 10);  // the normal surface's size
    expect_rect(m.button_rects[2], 9, 11, 0, 0);   // nothing to measure: empty, at its corner
    expect_rect(m.button_rects[3], 22, 33, 0, 0);  // a missing comma zeroes the rest
    EXPECT_EQ(m.screen, nullptr);                  // loading draws nothing
}

TEST_F(MenuTest, FatalFailuresPrintTheirMessageAndExitWithStatusOne) {
    std::string no_background = write_menu("background: gone.bmp\n", "nb.txt");
    std::string good = write_menu("background: back.bmp\n", "good.txt");

    CommandResult result = run_in_child([&] { Menu m("no_menu.txt", nullptr); });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "couldn't load menu file: no_menu.txt\n");

    result = run_in_child([&] { Menu m(no_background.c_str(), nullptr); });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "couldn't load menu background: gone.bmp\n");

    // Without a window there is no display format to convert to.
    result = run_in_child([&] {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_InitSubSystem(SDL_INIT_VIDEO);
        Menu m(good.c_str(), nullptr);
    });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "couldn't convert menu background to display format\n");

    result = run_in_child([&] { Menu m(good.c_str(), nullptr); });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, "");
}

TEST(SubstituteKeys, ReplacesPairsDropsUnpairedSignsAndAddsMissingKeys) {
    ConfigStore prefs;
    prefs.get_string("pause_key") = "p";
    prefs.get_string("drop_key") = "space";
    prefs.get_string("") = "E";
    EXPECT_EQ(substitute_keys("Pause: %pause_key% now", nullptr), "Pause: %pause_key% now");
    EXPECT_EQ(substitute_keys("Pause: %pause_key% now", &prefs), "Pause: p now");
    EXPECT_EQ(substitute_keys("%pause_key%%drop_key%", &prefs), "pspace");
    EXPECT_EQ(substitute_keys("100% sure", &prefs), "100 sure");
    EXPECT_EQ(substitute_keys("a %pause_key% b % c", &prefs), "a p b  c");
    EXPECT_EQ(substitute_keys("[%%]", &prefs), "[E]");
    EXPECT_EQ(substitute_keys("no signs", &prefs), "no signs");
    EXPECT_EQ(prefs.values.count("turn_key"), 0u);
    EXPECT_EQ(substitute_keys("<%turn_key%>", &prefs), "<>");
    ASSERT_EQ(prefs.values.count("turn_key"), 1u);
    EXPECT_EQ(prefs.values["turn_key"], "");
}

TEST(ParseColor, ReadsSixHexDigitsAndNothingElse) {
    expect_colour(parse_color("ff8000"), 255, 128, 0);
    expect_colour(parse_color("FF8000"), 255, 128, 0);
    expect_colour(parse_color("0a0B0c99"), 10, 11, 12);  // past the sixth: ignored
    expect_colour(parse_color("fffff"), 0, 0, 0);        // too short: black
    expect_colour(parse_color(""), 0, 0, 0);
    expect_colour(parse_color("#ff8000"), 0, 0xf8, 0);  // a prefix shifts the pieces
    expect_colour(parse_color("zz10zz"), 0, 16, 0);
}

TEST(ParseRect, ReadsFourFieldsAndZeroesThoseAfterAMissingComma) {
    expect_rect(parse_rect("1,2,3,4"), 1, 2, 3, 4);
    expect_rect(parse_rect(" -3, 4,5 ,6px"), -3, 4, 5, 6);
    expect_rect(parse_rect("1,2,3,4,5"), 1, 2, 3, 4);  // h is "4,5", read as 4
    expect_rect(parse_rect("1,2,3"), 1, 2, 0, 0);
    expect_rect(parse_rect("1,2"), 1, 0, 0, 0);
    expect_rect(parse_rect("7"), 0, 0, 0, 0);
    expect_rect(parse_rect(",,,"), 0, 0, 0, 0);
    expect_rect(parse_rect("70000,-32769,-1,65537"), 4464, 32767, 65535, 1);  // 16 bits
}

TEST(PointInRect, CountsAllFourEdgesInPlainIntegers) {
    SDL_Rect r = rect(50, 60, 100, 20);
    EXPECT_TRUE(point_in_rect(50, 60, r));
    EXPECT_TRUE(point_in_rect(150, 80, r));
    EXPECT_TRUE(point_in_rect(100, 70, r));
    EXPECT_FALSE(point_in_rect(49, 70, r));
    EXPECT_FALSE(point_in_rect(151, 70, r));
    EXPECT_FALSE(point_in_rect(100, 59, r));
    EXPECT_FALSE(point_in_rect(100, 81, r));
    EXPECT_TRUE(point_in_rect(5, 5, rect(5, 5, 0, 0)));
    // The right edge lies beyond the 16-bit range; it must not wrap around.
    EXPECT_TRUE(point_in_rect(33000, 5, rect(32000, 0, 1000, 10)));
    EXPECT_TRUE(point_in_rect(-5, -5, rect(-10, -10, 5, 5)));
}
