// Buttons placed by "_align": within their rectangle, or by a point without one.
#include <gtest/gtest.h>

#include <cstring>

#include "menu/menu.h"
#include "tests/menu/menu_fixture.h"

TEST_F(MenuTest, AlignedButtonsSitInTheirRectangleOrOnTheirPoint) {
    image("label.bmp", 40, 10, 0xFFFFFF);
    struct Case {
        const char* keys;  // of button1, which shows the 40 by 10 label, at (50, 60)
        int x, y;          // where it is drawn
        SDL_Rect hit;
    };
    const Case cases[] = {
        {"button1_rect: 10,0,100,30\nbutton1_align: center\n", 90, 70, {60, 60, 100, 30}},
        {"button1_rect: 10,0,100,30\nbutton1_align: right\n", 120, 70, {60, 60, 100, 30}},
        {"button1_align: center\n", 30, 55, {30, 55, 40, 10}},
        // Without "_align", or with a value it does not know, the corner is "_x", "_y".
        {"button1_rect: 10,0,100,30\nbutton1_align: middle\n", 50, 60, {60, 60, 100, 30}},
        {"button1_rect: 10,0,100,30\n", 50, 60, {60, 60, 100, 30}},
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
        EXPECT_EQ(0, std::memcmp(&c.hit, &m.button_rects[0], sizeof(SDL_Rect)));
    }
}
