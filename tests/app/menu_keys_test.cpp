// Menus worked from the keyboard and a pad: held directions repeat, the preferences prompt
// comes and goes, a failed save shows on screen, the name entry answers pad buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <thread>

#include "app/preferences_screen.h"
#include "app/scores_screens.h"
#include "display/window_mode.h"
#include "menu/menu.h"
#include "tests/menu/menu_fixture.h"
#include "tests/support/test_support.h"

namespace {

// Three 80x20 buttons in a column at y 10, 40, 70; "prefs" sets how the menu repeats.
const std::string column =
    "background: back.bmp\nnavigation: true\nprompt_x: 150\nprompt_y: 120\n"
    "num_buttons: 3\n"
    "button1_x: 10\nbutton1_y: 10\nbutton1_rect: 0,0,80,20\nbutton1_return: pause_key\n"
    "button2_x: 10\nbutton2_y: 40\nbutton2_rect: 0,0,80,20\nbutton2_return: drop_key\n"
    "button3_x: 10\nbutton3_y: 70\nbutton3_rect: 0,0,80,20\nbutton3_return: back\n";

void push_event(SDL_Event event) {
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

// Whether check() comes true within three seconds, looked at every few ms.
bool eventually(const std::function<bool()>& check) {
    for (int i = 0; i < 600 && !check(); ++i) {
        SDL_Delay(5);
    }
    return check();
}

Uint32 prompt_pixel() {
    return pixel_at(SDL_GetVideoSurface(), 152, 122);
}

using MenuKeysTest = MenuTest;

}  // namespace

TEST_F(MenuKeysTest, AHeldArrowOrPadDirectionMovesOnUntilLetGo) {
    Menu menu(write_menu(column).c_str(), nullptr);
    ConfigStore prefs;
    prefs.get_string("key_repeat_delay") = "20";
    prefs.get_string("key_repeat_rate") = "20";
    menu.prefs = &prefs;
    SDL_Event hat{};
    hat.jhat = SDL_JoyHatEvent{SDL_JOYHATMOTION, 0, 0, SDL_HAT_DOWN};
    SDL_Event button{};
    button.jbutton = SDL_JoyButtonEvent{SDL_JOYBUTTONDOWN, 0, 0, SDL_PRESSED};
    // One press lights the first button; only repeats reach the third.
    for (bool pad : {false, true}) {
        menu.highlighted = 0;
        hat.jhat.value = SDL_HAT_DOWN;
        pad ? push_event(hat) : push_key_down(SDLK_DOWN);
        std::thread player([&] {
            EXPECT_TRUE(eventually([&] { return menu.highlighted == 3; }));
            hat.jhat.value = SDL_HAT_CENTERED;
            pad ? push_event(hat) : push_key_up(SDLK_DOWN);
            pad ? push_event(button) : push_key_down(SDLK_RETURN);
        });
        EXPECT_EQ(menu.run(), "back");
        player.join();
    }
}

TEST_F(MenuKeysTest, ThePromptShowsWhileWaitingAndAFailedSaveShowsInItsPlace) {
    image("red.bmp", 20, 10, 0xFF0000);
    image("green.bmp", 20, 10, 0x00FF00);
    write_menu(column +
                   "num_surfs: 2\nsurf1_name: pause_key_prompt\nsurf1_path: red.bmp\n"
                   "surf2_name: save_failed\nsurf2_path: green.bmp\n",
               "prefs_menu.txt");
    write_file("prefs.txt", "prefs_menu: prefs_menu.txt\npause_key: p\n");
    ConfigStore prefs;
    ASSERT_EQ(prefs.load("prefs.txt"), 0);
    push_click(20, 20);
    std::thread player([&] {
        EXPECT_TRUE(eventually([] { return prompt_pixel() == 0xFF0000; }));
        push_key_down(SDLK_LEFT);
        push_key_up(SDLK_LEFT);
        EXPECT_TRUE(eventually([] { return prompt_pixel() == 0x404040; }));
        // The new file is written beside the old first: a folder in that place stops it.
        std::filesystem::create_directory("prefs.txt.saving");
        push_click(20, 20);
        EXPECT_TRUE(eventually([] { return prompt_pixel() == 0xFF0000; }));
        push_key_down(SDLK_RIGHT);
        push_key_up(SDLK_RIGHT);
        EXPECT_TRUE(eventually([] { return prompt_pixel() == 0x00FF00; }));
        push_quit();
    });
    std::string output = capture_stdout([&] { EXPECT_TRUE(preferences_screen(prefs)); });
    player.join();
    EXPECT_EQ(output, "couldn't save preferences to: prefs.txt\nreason: File exists\n");
    EXPECT_EQ(read_file("prefs.txt"), "prefs_menu: prefs_menu.txt\npause_key: left\n");
}

TEST_F(MenuKeysTest, PadButtonsConfirmOrKeepTheOfferedName) {
    std::string menu_file = write_menu("background: back.bmp\nnavigation: true\n");
    ConfigStore keys;
    SDL_Event typed{};
    typed.key.type = typed.type = SDL_KEYDOWN;
    typed.key.keysym.unicode = 'x';
    SDL_Event button{};
    button.jbutton = SDL_JoyButtonEvent{SDL_JOYBUTTONDOWN, 0, 0, SDL_PRESSED};
    for (Uint8 number : {0, 1}) {
        push_event(typed);
        button.jbutton.button = number;
        push_event(button);
        EXPECT_EQ(enter_name(menu_file, "Ann", keys).name, number == 0 ? "Annx" : "Ann");
    }
}

TEST_F(MenuKeysTest, AFailedSwitchToFullScreenSaysSoOnceAndChangesNothing) {
    // SDL's dummy driver cannot switch in place, as most drivers but X11.
    write_file("prefs.txt", "window_w: 200\n");
    ConfigStore prefs;
    ASSERT_EQ(prefs.load("prefs.txt"), 0);
    std::string output =
        capture_stdout([&] { EXPECT_FALSE(toggle_fullscreen(prefs, "prefs.txt")); });
    EXPECT_EQ(output.find("couldn't switch between window and full screen: "), 0u) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1);
    EXPECT_EQ(prefs.values.count("fullscreen"), 0u);
    EXPECT_EQ(read_file("prefs.txt"), "window_w: 200\n");
}
