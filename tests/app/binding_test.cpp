// The preferences screen worked without a mouse: keys and a pad move the highlight, choose a
// row, bind a key (swapping a duplicate) and a pad input, restore the shipped bindings, leave.
#include <gtest/gtest.h>

#include <string>

#include "app/preferences_screen.h"
#include "tests/menu/menu_fixture.h"
#include "tests/support/test_support.h"

namespace {

// Rows in one column at y 10, 40, 70 (pause, drop, defaults); Back at the right of the first.
const std::string menu_text =
    "background: back.bmp\nnavigation: true\nswap_bindings: true\n"
    "num_buttons: 4\n"
    "button1_x: 10\nbutton1_y: 10\nbutton1_rect: 0,0,80,20\nbutton1_return: pause_key\n"
    "button2_x: 10\nbutton2_y: 40\nbutton2_rect: 0,0,80,20\nbutton2_return: drop_key\n"
    "button3_x: 10\nbutton3_y: 70\nbutton3_rect: 0,0,80,20\nbutton3_return: defaults\n"
    "button4_x: 110\nbutton4_y: 10\nbutton4_rect: 0,0,80,20\nbutton4_return: back\n";

const std::string shipped = "prefs_menu: prefs_menu.txt\npause_key: p\ndrop_key: space\n";

void push_pad(Uint8 type, Uint8 number, Uint8 value) {
    SDL_Event event{};
    if (type == SDL_JOYHATMOTION) {
        event.jhat = SDL_JoyHatEvent{type, 0, number, value};
    } else {
        event.jbutton = SDL_JoyButtonEvent{type, 0, number, value};
    }
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

using BindingTest = MenuTest;

TEST_F(BindingTest, KeyboardAndPadAloneBindSwapRestoreAndLeave) {
    write_menu(menu_text, "prefs_menu.txt");
    write_file("prefs.txt", shipped);
    write_file("prefs.txt.shipped", shipped);
    ConfigStore prefs;
    ASSERT_EQ(prefs.load("prefs.txt"), 0);

    // Down lights the first row, Return chooses it, space (the drop key) binds it: swapped.
    push_key_down(SDLK_DOWN);
    push_key_down(SDLK_RETURN);
    push_key_down(SDLK_SPACE);
    push_key_up(SDLK_SPACE);
    // The rebuilt menu keeps the highlight: down to Drop, chosen by pad button 0, bound to the
    // hat's up, which is let go before the menu takes events again.
    push_key_down(SDLK_DOWN);
    push_pad(SDL_JOYBUTTONDOWN, 0, SDL_PRESSED);
    push_pad(SDL_JOYBUTTONUP, 0, SDL_RELEASED);
    push_pad(SDL_JOYHATMOTION, 0, SDL_HAT_UP);
    push_pad(SDL_JOYHATMOTION, 0, SDL_HAT_CENTERED);
    push_pad(SDL_JOYBUTTONDOWN, 1, SDL_PRESSED);
    EXPECT_FALSE(preferences_screen(prefs));
    EXPECT_EQ(read_file("prefs.txt"),
              "prefs_menu: prefs_menu.txt\npause_key: space\ndrop_key: p\ndrop_pad: hat up\n");

    // Down three times reaches Restore defaults; then up to Pause, right to Back, Return.
    for (SDLKey key :
         {SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_SPACE, SDLK_UP, SDLK_UP, SDLK_RIGHT, SDLK_RETURN}) {
        push_key_down(key);
    }
    EXPECT_FALSE(preferences_screen(prefs));
    EXPECT_EQ(read_file("prefs.txt"), shipped + "drop_pad: \n");
}

}  // namespace
