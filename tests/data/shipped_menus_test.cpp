// The two shipped menu files, built by the game's own Menu in the run folder where the game
// finds them: nothing is reported missing, images keep their transparency, every button shows
// something, its hover picture matches and visibly lights it, and a click in the middle of each
// choice answers that choice. What derevarez-check judges (names, fonts, colours, positions
// inside the window) it finds clean, see check_test.cpp.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <set>

#include "input/bindings.h"
#include "menu/menu.h"
#include "tests/data/shipped_data.h"
#include "tests/menu/menu_fixture.h"
#include "tests/menu/stdout_capture.h"
#include "tests/support/test_support.h"

namespace {

int brightness(SDL_Surface* surface, int x, int y) {
    Uint32 rgb = pixel_at(surface, x, y);
    return int(rgb >> 16) + int((rgb >> 8) & 0xFF) + int(rgb & 0xFF);
}

class ShippedMenus : public ::testing::Test {
protected:
    ConfigStore prefs = load_shipped("prefs.txt");
    SDL_Surface* screen = nullptr;
    std::string previous_dir;
    std::unique_ptr<Menu> menu;

    void SetUp() override {
        ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO));
        screen = SDL_SetVideoMode(prefs.get_int("window_w"), prefs.get_int("window_h"), 32,
                                  SDL_SWSURFACE);
        ASSERT_NE(nullptr, screen);
        char cwd[PATH_MAX];
        ASSERT_NE(nullptr, getcwd(cwd, sizeof cwd));
        previous_dir = cwd;
        ASSERT_EQ(0, chdir(run_path("").c_str())) << "no run folder: build the game first";
    }

    void TearDown() override {
        menu.reset();
        EXPECT_EQ(0, chdir(previous_dir.c_str()));
        SDL_Quit();
    }

    std::string value(const std::string& prefix, int i, const std::string& suffix) {
        return menu->config.get_string(prefix + int_to_text(i) + suffix);
    }

    // The number of the tsurf entry called name; 0 when there is none.
    int text_number(const std::string& name) {
        for (int t = 1; t <= menu->config.get_int("num_tsurfs"); ++t) {
            if (value("tsurf", t, "_name") == name) {
                return t;
            }
        }
        return 0;
    }

    // Loads the menu prefs names under prefs_key, checks it and all its buttons; returns the
    // words of its choices.
    std::set<std::string> load_and_check(const std::string& prefs_key, ConfigStore* keys) {
        std::string printed = capture_stdout(
            [&] { menu = std::make_unique<Menu>(prefs.get_string(prefs_key).c_str(), keys); });
        EXPECT_EQ("", printed);
        for (int i = 1; i <= menu->config.get_int("num_surfs"); ++i) {
            EXPECT_EQ("true", value("surf", i, "_alpha"))
                << value("surf", i, "_path") << " would lose its transparency";
        }
        std::set<std::string> words;
        int count = menu->config.get_int("num_buttons");
        EXPECT_EQ(static_cast<size_t>(count + 1), menu->compositor.elements.size());
        for (int i = 1; i <= count; ++i) {
            SCOPED_TRACE("button " + std::to_string(i));
            check_button(i, words);
        }
        return words;
    }

    void check_button(int i, std::set<std::string>& words) {
        SDL_Surface* normal = menu->compositor.elements[i].surface;
        ASSERT_NE(nullptr, normal);
        std::string word = value("button", i, "_return");
        std::string over_name = value("button", i, "_surf_over");
        if (over_name.empty()) {
            EXPECT_EQ("", word) << "a choice without a hover look";
            return;
        }
        SDL_Surface* over = menu->surfaces[over_name];
        ASSERT_NE(nullptr, over);
        // Leaving repaints only the normal picture's area: a larger hover picture leaves a trail.
        EXPECT_EQ(normal->w, over->w);
        EXPECT_EQ(normal->h, over->h);
        if (word.empty()) {
            return;
        }
        EXPECT_TRUE(words.insert(word).second) << word << " appears twice";
        const SDL_Rect& r = menu->button_rects[i - 1];
        push_click(r.x + r.w / 2, r.y + r.h / 2);  // no earlier button may take it
        EXPECT_EQ(word, menu->run());

        // A point on the plate left of the centred text, where only the plate changes.
        int x = r.x + r.w / 10, y = r.y + r.h / 2;
        menu->update_hover(-100, -100);
        menu->compositor.full_redraw = true;
        menu->compositor.redraw(screen);
        int unlit = brightness(screen, x, y);
        EXPECT_TRUE(menu->update_hover(x, y)) << word;
        EXPECT_EQ(over, menu->compositor.elements[i].surface) << word;
        menu->compositor.redraw(screen);
        EXPECT_GT(brightness(screen, x, y), unlit + 30) << word << " does not light up";
    }
};

}  // namespace

TEST_F(ShippedMenus, MainMenuFillsTheWindowAndOffersPlayPrefsAndQuit) {
    EXPECT_EQ((std::set<std::string>{"play", "prefs", "quit", "scores"}),
              load_and_check("main_menu", nullptr));
    EXPECT_EQ(screen->w, menu->background_surface->w);
    EXPECT_EQ(screen->h, menu->background_surface->h);
}

TEST_F(ShippedMenus, PreferencesMenuShowsEveryBindingAndItsLongestKeyNameFits) {
    ConfigStore keys = prefs;
    std::set<std::string> expected{
        "pause_key",      "turn_left_key",      "turn_right_key",    "move_left_key",
        "move_right_key", "move_down_key",      "drop_key",          "back",
        "hold_key",       "toggle ghost_piece", "toggle hold_piece", "toggle bag_dealer",
        "mute_key",       "leave_key",          "fullscreen_key",    "defaults"};
    EXPECT_EQ(expected, load_and_check("prefs_menu", &keys));
    for (int i = 1; i <= menu->config.get_int("num_buttons"); ++i) {
        std::string word = value("button", i, "_return");
        if (word.empty() || word == "back" || word == "defaults") {
            continue;
        }
        SCOPED_TRACE(word);
        int text = text_number(value("button", i, "_surf"));
        ASSERT_GT(text, 0) << "the button's surface is no text";
        std::string shown = value("tsurf", text, "_text");
        bool toggle = word.compare(0, 7, "toggle ") == 0;
        EXPECT_NE(std::string::npos, shown.find("%" + word + (toggle ? "%" : "_shown%")));
        EXPECT_EQ(shown, value("tsurf", text_number(value("button", i, "_surf_over")), "_text"));
        TTF_Font* font = menu->fonts[value("tsurf", text, "_font")];
        ASSERT_NE(nullptr, font);
        int widest = 0;
        for (int k = SDLK_FIRST; k < SDLK_LAST; ++k) {
            keys.get_string(word + "_shown") =
                readable_key_name(SDL_GetKeyName(static_cast<SDLKey>(k)));
            int w = 0, h = 0;
            TTF_SizeText(font, substitute_keys(shown, &keys).c_str(), &w, &h);
            widest = std::max(widest, w);
        }
        const SDL_Rect& hit = menu->button_rects[i - 1];
        EXPECT_LE(menu->config.get_int("button" + int_to_text(i) + "_x") + widest, hit.x + hit.w);
    }
}
