// The shipped menu files built by the game's own Menu, in the run folder where the game
// finds them: nothing is reported missing, every button shows something, and the pointer
// lights the plate and the text of each choice together.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

#include "menu/menu.h"
#include "tests/data/shipped_data.h"
#include "tests/menu/stdout_capture.h"

namespace {

class ShippedMenuScreen : public ::testing::Test {
protected:
    ConfigStore prefs;
    SDL_Surface* screen = nullptr;
    std::string previous_dir;

    void SetUp() override {
        ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO));
        screen = SDL_SetVideoMode(800, 600, 32, SDL_SWSURFACE);
        ASSERT_NE(nullptr, screen);
        char cwd[PATH_MAX];
        ASSERT_NE(nullptr, getcwd(cwd, sizeof cwd));
        previous_dir = cwd;
        prefs = load_shipped("prefs.txt");
        ASSERT_EQ(0, chdir(run_path("").c_str())) << "no run folder: build the game first";
    }

    void TearDown() override {
        EXPECT_EQ(0, chdir(previous_dir.c_str()));
        SDL_Quit();
    }
};

// The brightness (0..765) of the screen pixel at (x, y).
int brightness(SDL_Surface* surface, int x, int y) {
    SDL_LockSurface(surface);
    Uint32 raw = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) +
                                            y * surface->pitch + x * 4);
    SDL_UnlockSurface(surface);
    Uint8 r, g, b;
    SDL_GetRGB(raw, surface->format, &r, &g, &b);
    return r + g + b;
}

// Checks that the menu loaded completely and that hovering each choice lights it and its
// plate visibly; returns the words of the choices.
std::vector<std::string> check_menu(Menu& menu, SDL_Surface* screen) {
    std::vector<std::string> words;
    int count = menu.config.get_int("num_buttons");
    EXPECT_EQ(static_cast<size_t>(count + 1), menu.compositor.elements.size());
    for (int i = 1; i <= count; ++i) {
        EXPECT_NE(nullptr, menu.compositor.elements[i].surface) << "button " << i;
    }
    for (int i = 1; i <= count; ++i) {
        std::string word = menu.config.get_string("button" + int_to_text(i) + "_return");
        if (word.empty()) {
            continue;
        }
        words.push_back(word);
        const SDL_Rect& r = menu.button_rects[i - 1];
        // A point on the plate left of the centred text, where only the plate changes.
        int x = r.x + r.w / 10, y = r.y + r.h / 2;
        menu.update_hover(-100, -100);
        menu.compositor.full_redraw = true;
        menu.compositor.redraw(screen);
        int unlit = brightness(screen, x, y);
        EXPECT_TRUE(menu.update_hover(x, y)) << word;
        SDL_Surface* over =
            menu.surfaces[menu.config.get_string("button" + int_to_text(i) + "_surf_over")];
        EXPECT_EQ(over, menu.compositor.elements[i].surface) << word;
        menu.compositor.redraw(screen);
        EXPECT_GT(brightness(screen, x, y), unlit + 30) << word << " does not light up";
    }
    return words;
}

}  // namespace

TEST_F(ShippedMenuScreen, MainMenuLoadsWithoutComplaintAndLightsEachChoice) {
    std::vector<std::string> words;
    std::string printed = capture_stdout([&] {
        Menu menu(prefs.get_string("main_menu").c_str(), nullptr);
        words = check_menu(menu, screen);
    });
    EXPECT_EQ("", printed);
    EXPECT_EQ((std::vector<std::string>{"play", "prefs", "quit"}), words);
}

TEST_F(ShippedMenuScreen, PreferencesMenuLoadsWithoutComplaintAndLightsEachChoice) {
    std::vector<std::string> words;
    std::string printed = capture_stdout([&] {
        Menu menu(prefs.get_string("prefs_menu").c_str(), &prefs);
        words = check_menu(menu, screen);
    });
    EXPECT_EQ("", printed);
    EXPECT_EQ(8u, words.size());
    EXPECT_EQ("back", words.back());
}
