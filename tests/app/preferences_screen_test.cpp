#include "app/preferences_screen.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/menu/menu_fixture.h"
#include "tests/support/test_support.h"

namespace {

const std::string prefs_text =
    "window_w: 800\n"
    "prefs_menu: prefs_menu.txt\n"
    "pause_key: p\n"
    "\n"
    "drop_key: space\n";

// Button 1 shows the current pause key and is exactly as large as that text, so where it can
// be clicked tells which binding the menu was built with. The other buttons have fixed
// rectangles: "back" at (10, 60), "quit" at (10, 90), a misspelt key at (10, 120).
const std::string prefs_menu_text =
    "background: back.bmp\n"
    "num_fonts: 1\nfont1_name: sans\nfont1_size: 20\n"
    "num_tsurfs: 1\ntsurf1_name: pause\ntsurf1_text: %pause_key%\ntsurf1_font: sans\n"
    "tsurf1_color: ffffff\n"
    "num_buttons: 4\n"
    "button1_surf: pause\nbutton1_x: 10\nbutton1_y: 10\nbutton1_return: pause_key\n"
    "button2_x: 10\nbutton2_y: 60\nbutton2_rect: 0,0,100,20\nbutton2_return: back\n"
    "button3_x: 10\nbutton3_y: 90\nbutton3_rect: 0,0,100,20\nbutton3_return: quit\n"
    "button4_x: 10\nbutton4_y: 120\nbutton4_rect: 0,0,100,20\nbutton4_return: jupm_key\n";

void click_pause_button() {
    push_click(13, 20);
}
void click_back() {
    push_click(20, 70);
}

// The test's scratch folder, its working folder, holds "prefs.txt" and the preferences menu.
class PreferencesTest : public MenuTest {
protected:
    ConfigStore prefs;

    void SetUp() override {
        MenuTest::SetUp();
        write_menu(prefs_menu_text + "font1_path: " + font_path + "\n", "prefs_menu.txt");
        write_file("prefs.txt", prefs_text);
        ASSERT_EQ(prefs.load("prefs.txt"), 0);
    }
};

}  // namespace

TEST_F(PreferencesTest, StoresTheNextKeyAndRewritesPrefsAtOnceKeepingItsLines) {
    click_pause_button();
    push_key_down(SDLK_LEFT);
    push_key_up(SDLK_LEFT);
    // The rebuilt menu shows "left", a wider text than "p": only then is this a click on it.
    push_click(40, 20);
    push_key_down(SDLK_SPACE);
    push_key_up(SDLK_SPACE);
    push_click(20, 130);  // a word that is no key of the game is bound all the same
    push_key_down(SDLK_a);
    push_key_up(SDLK_a);
    click_back();
    EXPECT_FALSE(preferences_screen(prefs));
    EXPECT_EQ(prefs.get_string("pause_key"), "space");
    EXPECT_EQ(read_file("prefs.txt"),
              "window_w: 800\n"
              "prefs_menu: prefs_menu.txt\n"
              "pause_key: space\n"
              "\n"
              "drop_key: space\n"
              "jupm_key: a\n");
}

TEST_F(PreferencesTest, TheEventAfterACaptureIsDroppedAndAClosedWindowSavesNothingMore) {
    click_pause_button();
    push_key_down(SDLK_LEFT);
    push_quit();  // dropped: the menu comes back
    click_back();
    EXPECT_FALSE(preferences_screen(prefs));
    EXPECT_EQ(prefs.get_string("pause_key"), "left");

    click_pause_button();
    push_motion(50, 50);  // ignored while waiting for the key
    push_key_up(SDLK_LEFT);
    push_quit();
    EXPECT_TRUE(preferences_screen(prefs));
    push_click(20, 100);  // the "quit" button
    EXPECT_TRUE(preferences_screen(prefs));
    push_quit();  // the window closed on the menu itself
    EXPECT_TRUE(preferences_screen(prefs));
    EXPECT_EQ(prefs.get_string("pause_key"), "left");
    EXPECT_EQ(read_file("prefs.txt"),
              "window_w: 800\nprefs_menu: prefs_menu.txt\npause_key: left\n\ndrop_key: space\n");
}
