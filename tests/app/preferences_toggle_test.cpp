// The preferences screen's option rows: a "toggle <key>" word switches a setting and its row
// shows "on" or "off".
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <string>

#include "app/preferences_screen.h"
#include "menu/menu.h"
#include "tests/menu/menu_fixture.h"
#include "tests/support/test_support.h"

namespace {

// Button 1 is exactly as large as its text, which shows the state of "ghost_piece" four times
// over, so that "on" and "off" differ in width.
const std::string toggle_menu =
    "background: back.bmp\n"
    "num_fonts: 1\nfont1_name: sans\nfont1_size: 20\n"
    "num_tsurfs: 1\ntsurf1_name: state\ntsurf1_text: %toggle ghost_piece%%toggle "
    "ghost_piece%%toggle ghost_piece%%toggle ghost_piece%\ntsurf1_font: sans\n"
    "tsurf1_color: ffffff\n"
    "num_buttons: 2\n"
    "button1_surf: state\nbutton1_x: 10\nbutton1_y: 10\nbutton1_return: toggle ghost_piece\n"
    "button2_x: 10\nbutton2_y: 60\nbutton2_rect: 0,0,100,20\nbutton2_return: back\n";

int text_width(const char* text) {
    TTF_Font* font = TTF_OpenFont(font_path, 20);
    int w = 0, h = 0;
    TTF_SizeText(font, text, &w, &h);
    TTF_CloseFont(font);
    return w;
}

}  // namespace

TEST_F(MenuTest, AToggleRowSwitchesItsSettingSavesAtOnceAndShowsTheNewState) {
    write_menu(toggle_menu + "font1_path: " + font_path + "\n", "prefs_menu.txt");
    write_file("prefs.txt", "prefs_menu: prefs_menu.txt\nghost_piece: 1\n");
    ConfigStore prefs;
    ASSERT_EQ(prefs.load("prefs.txt"), 0);
    init_text_rendering();
    int on = text_width("onononon");
    ASSERT_LT(on + 2, text_width("offoffoffoff"));

    push_click(13, 20);  // "on": switched off
    // Only a row that now shows the wider "off" reaches this far: switched on again.
    push_click(10 + on + 2, 20);
    push_click(20, 70);
    EXPECT_FALSE(preferences_screen(prefs));
    EXPECT_EQ(read_file("prefs.txt"), "prefs_menu: prefs_menu.txt\nghost_piece: 1\n");

    // A missing setting is off and is added when switched.
    write_file("prefs.txt", "prefs_menu: prefs_menu.txt\n");
    ConfigStore fresh;
    ASSERT_EQ(fresh.load("prefs.txt"), 0);
    push_click(10 + on + 2, 20);
    push_click(20, 70);
    EXPECT_FALSE(preferences_screen(fresh));
    EXPECT_EQ(read_file("prefs.txt"), "prefs_menu: prefs_menu.txt\nghost_piece: 1\n");
}
