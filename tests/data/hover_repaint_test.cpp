// After any number of partial redraws, the shipped menus look exactly as one full repaint
// draws them: hovering in and out of the buttons leaves no trace behind their translucent
// pictures.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <vector>

#include "menu/menu.h"
#include "tests/data/shipped_data.h"
#include "tests/support/test_support.h"

namespace {

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

TEST(HoverRepaint, ManyHoversLeaveEachMenuAsAFullRepaintDrawsIt) {
    ConfigStore prefs = load_shipped("prefs.txt");
    ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO));
    SDL_Surface* screen =
        SDL_SetVideoMode(prefs.get_int("window_w"), prefs.get_int("window_h"), 32, SDL_SWSURFACE);
    ASSERT_NE(nullptr, screen);
    char previous_dir[PATH_MAX];
    ASSERT_NE(nullptr, getcwd(previous_dir, sizeof previous_dir));
    ASSERT_EQ(0, chdir(run_path("").c_str()));
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
