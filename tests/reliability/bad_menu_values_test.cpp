// Malformed values in menu files: each is read as documented, or gives a clear message, and the
// menu is built, hovered and drawn without a crash or a hang.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu/menu.h"
#include "tests/menu/menu_fixture.h"
#include "tests/support/test_support.h"

namespace {

struct MenuCase {
    const char* what;
    std::string lines;     // after "background: back.bmp"
    std::string expected;  // the messages, then what describe() prints
};

// What a built menu consists of, as one line: the element count, then each button's hit
// rectangle and the size of the surface it shows ("-" for none).
void describe(Menu& menu) {
    std::printf("elements %zu", menu.compositor.elements.size());
    for (size_t i = 0; i < menu.button_rects.size(); i++) {
        const SDL_Rect& r = menu.button_rects[i];
        std::printf(" [%i,%i,%u,%u]", r.x, r.y, r.w, r.h);
        const SDL_Surface* s = menu.compositor.elements[i + 1].surface;
        if (s != nullptr) {
            std::printf("%ix%i", s->w, s->h);
        } else {
            std::printf("-");
        }
    }
    std::printf("\n");
}

std::string repeated(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; i++) {
        result += text;
    }
    return result;
}

}  // namespace

class BadMenuFile : public MenuTest {};

TEST_F(BadMenuFile, MalformedValuesAreReadAsDocumentedOrReported) {
    image("small.bmp", 30, 10, 0x00FF00);
    const std::vector<MenuCase> cases = {
        {"non-numeric count", "num_buttons: many\nbutton1_x: 5\n", "elements 1\n"},
        {"negative count", "num_buttons: -4\nnum_surfs: -1\nnum_fonts: -2\n", "elements 1\n"},
        {"huge button count", "num_buttons: 2147483647\n",
         "menu \"num_buttons\" is 2147483647, more than 1000: only the first 1000 are read\n"},
        {"count beyond the int range", "num_tsurfs: 99999999999999\n",
         "menu \"num_tsurfs\" is 2147483647, more than 1000: only the first 1000 are read\n"
         "elements 1\n"},
        {"huge image count naming nothing",
         "num_surfs: 5000\nsurf1_name: a\nsurf1_path: small.bmp\n",
         "menu \"num_surfs\" is 5000, more than 1000: only the first 1000 are read\n" +
             repeated("couldn't load menu image : \n", 999) + "elements 1\n"},
        {"positions beyond 16 bits",
         "num_buttons: 1\nbutton1_surf: s\nbutton1_x: 70000\n"
         "button1_y: -40000\nnum_surfs: 1\nsurf1_name: s\nsurf1_path: small.bmp\n",
         "elements 2 [4464,25536,30,10]30x10\n"},
        // Hovered, then left: the partial repaint compares the area of a button at the largest
        // int with the changed rectangle.
        {"position at the end of the int range",
         "num_buttons: 1\nbutton1_surf: s\nbutton1_surf_over: t\nbutton1_x: 99999999999\n"
         "num_surfs: 2\nsurf1_name: s\nsurf1_path: small.bmp\nsurf2_name: t\n"
         "surf2_path: back.bmp\n",
         "elements 2 [-1,0,30,10]30x10\n"},
        // The position wraps to 16 bits before it moves the rectangle, as the rectangle does.
        {"rectangle moved by a position at the end of the int range",
         "num_buttons: 1\nbutton1_rect: 12,0,5,5\nbutton1_x: 99999999999\n",
         "elements 2 [11,0,5,5]-\n"},
        {"negative rectangle sizes", "num_buttons: 1\nbutton1_rect: -5,-6,-7,-8\n",
         "elements 2 [-5,-6,65529,65528]-\n"},
        {"rectangle of words", "num_buttons: 1\nbutton1_rect: a,b,c,d\nbutton1_x: 3\n",
         "elements 2 [3,0,0,0]-\n"},
        {"empty names",
         "num_surfs: 1\nsurf1_name:\nsurf1_path: small.bmp\nnum_buttons: 1\n"
         "button1_surf:\n",
         "elements 2 [0,0,30,10]30x10\n"},
    };
    for (const MenuCase& c : cases) {
        std::string file = write_menu("background: back.bmp\n" + c.lines);
        CommandResult result = run_in_child([&] {
            Menu menu(file.c_str(), nullptr);
            // The first repaint is complete, the later ones only where a hover image changed.
            for (int xy : {0, 5, 100, 199}) {
                menu.update_hover(xy, xy);
                menu.compositor.redraw(SDL_GetVideoSurface());
            }
            if (menu.compositor.elements.size() < 20) {
                describe(menu);
            }
        });
        EXPECT_EQ(result.status, 0) << c.what;
        EXPECT_EQ(result.output, c.expected) << c.what;
    }
}
