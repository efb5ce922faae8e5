#include <gtest/gtest.h>

#include "menu/menu.h"
#include "tests/menu/menu_fixture.h"
#include "tests/support/test_support.h"

namespace {

const Uint32 grey = 0x404040, red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;

}  // namespace

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
