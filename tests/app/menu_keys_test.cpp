#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "app/preferences_screen.h"
#include "app/scores_screens.h"
#include "app/startup.h"
#include "display/window_mode.h"
#include "menu/menu.h"
#include "tests/game/game_fixture.h"
#include "tests/menu/menu_fixture.h"
#include "tests/support/test_support.h"

namespace {

// Rows of 80x20 in a column at y 10, 40, 70 (pause, drop, defaults), Back at the right of the
// first; "prefs" sets how the menu repeats.
const std::string column =
    "background: back.bmp\nnavigation: true\nswap_bindings: true\nprompt_x: 150\nprompt_y: 120\n"
    "num_buttons: 4\n"
    "button1_x: 10\nbutton1_y: 10\nbutton1_rect: 0,0,80,20\nbutton1_return: pause_key\n"
    "button2_x: 10\nbutton2_y: 40\nbutton2_rect: 0,0,80,20\nbutton2_return: drop_key\n"
    "button3_x: 10\nbutton3_y: 70\nbutton3_rect: 0,0,80,20\nbutton3_return: defaults\n"
    "button4_x: 110\nbutton4_y: 10\nbutton4_rect: 0,0,80,20\nbutton4_return: back\n";

void push_pad(Uint8 type, Uint8 number, Uint8 value) {
    SDL_Event event{};
    if (type == SDL_JOYHATMOTION) {
        event.jhat = SDL_JoyHatEvent{type, 0, number, value};
    } else {
        event.jbutton = SDL_JoyButtonEvent{type, 0, number, value};
    }
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

// Whether check() comes true within three seconds, looked at every few ms.
bool eventually(const std::function<bool()>& check) {
    for (int i = 0; i < 600 && !check(); ++i) {
        SDL_Delay(5);
    }
    return check();
}

using MainMenuLoopTest = GameTest;

class MenuKeysTest : public MenuTest {
protected:
    ConfigStore prefs;
    Session session{prefs};

    void load_prefs(const std::string& text) {
        write_file("prefs.txt", text);
        ASSERT_EQ(prefs.load("prefs.txt"), 0);
    }
};

}  // namespace

// Play without pieces and a game's end lead back here: faults_test.cpp's rows, e2e's Play test.
TEST_F(MainMenuLoopTest, OtherWordsShowTheMenuAgainUntilQuit) {
    // Four 50x50 buttons side by side answering "play", "prefs", "other" and "quit".
    write_file("main_menu.txt",
               "background: background.bmp\n"
               "num_buttons: 4\n"
               "button1_rect: 0,0,50,50\nbutton1_return: play\n"
               "button2_x: 50\nbutton2_rect: 0,0,50,50\nbutton2_return: prefs\n"
               "button3_x: 100\nbutton3_rect: 0,0,50,50\nbutton3_return: other\n"
               "button4_x: 150\nbutton4_rect: 0,0,50,50\nbutton4_return: quit\n");
    prefs.get_string("main_menu") = "main_menu.txt";
    push_click(125, 25);  // "other"
    push_click(125, 25);
    push_click(175, 25);  // quit
    EXPECT_EQ(capture_stdout([this] { run_screens(prefs); }), "");
    EXPECT_EQ(SDL_PeepEvents(nullptr, 64, SDL_PEEKEVENT, SDL_ALLEVENTS), 0);
}

TEST_F(MenuKeysTest, AHeldArrowOrPadDirectionMovesOnUntilLetGo) {
    Menu menu(write_menu(column).c_str(), nullptr);
    prefs.get_string("key_repeat_delay") = "20";
    prefs.get_string("key_repeat_rate") = "20";
    menu.session = &session;
    // One press lights the first button; only repeats reach the third.
    for (bool pad : {false, true}) {
        menu.highlighted = 0;
        pad ? push_pad(SDL_JOYHATMOTION, 0, SDL_HAT_DOWN) : push_key(SDLK_DOWN);
        std::thread player([&] {
            EXPECT_TRUE(eventually([&] { return menu.highlighted == 3; }));
            pad ? push_pad(SDL_JOYHATMOTION, 0, SDL_HAT_CENTERED) : push_key(SDLK_DOWN, SDL_KEYUP);
            pad ? push_pad(SDL_JOYBUTTONDOWN, 0, SDL_PRESSED) : push_key(SDLK_RETURN);
        });
        EXPECT_EQ(menu.run(), "defaults");
        player.join();
    }
}

TEST_F(MenuKeysTest, KeyboardAndPadAloneBindSwapRestoreAndLeave) {
    const std::string shipped = "prefs_menu: prefs_menu.txt\npause_key: p\ndrop_key: space\n";
    write_menu(column, "prefs_menu.txt");
    write_file("prefs.txt.shipped", shipped);
    load_prefs(shipped);

    // Down lights the first row, Return chooses it, space (the drop key) binds it: swapped.
    push_key(SDLK_DOWN);
    push_key(SDLK_RETURN);
    push_key(SDLK_SPACE);
    push_key(SDLK_SPACE, SDL_KEYUP);
    // The rebuilt menu keeps the highlight: down to Drop, chosen by pad button 0, bound to the
    // hat's up, which is let go before the menu takes events again.
    push_key(SDLK_DOWN);
    push_pad(SDL_JOYBUTTONDOWN, 0, SDL_PRESSED);
    push_pad(SDL_JOYBUTTONUP, 0, SDL_RELEASED);
    push_pad(SDL_JOYHATMOTION, 0, SDL_HAT_UP);
    push_pad(SDL_JOYHATMOTION, 0, SDL_HAT_CENTERED);
    push_pad(SDL_JOYBUTTONDOWN, 1, SDL_PRESSED);
    EXPECT_FALSE(preferences_screen(session));
    EXPECT_EQ(read_file("prefs.txt"),
              "prefs_menu: prefs_menu.txt\npause_key: space\ndrop_key: p\ndrop_pad: hat up\n");

    // Down three times reaches Restore defaults; then up to Pause, right to Back, Return.
    for (SDLKey key :
         {SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_SPACE, SDLK_UP, SDLK_UP, SDLK_RIGHT, SDLK_RETURN}) {
        push_key(key);
    }
    EXPECT_FALSE(preferences_screen(session));
    EXPECT_EQ(read_file("prefs.txt"), shipped + "drop_pad: \n");
}

TEST_F(MenuKeysTest, ThePromptShowsWhileWaitingAndAFailedSaveShowsInItsPlace) {
    image("red.bmp", 20, 10, 0xFF0000);
    image("green.bmp", 20, 10, 0x00FF00);
    write_menu(column +
                   "num_surfs: 2\nsurf1_name: pause_key_prompt\nsurf1_path: red.bmp\n"
                   "surf2_name: save_failed\nsurf2_path: green.bmp\n",
               "prefs_menu.txt");
    load_prefs("prefs_menu: prefs_menu.txt\npause_key: p\n");
    auto prompt = [] { return pixel_at(SDL_GetVideoSurface(), 152, 122); };
    push_click(20, 20);
    std::thread player([&] {
        EXPECT_TRUE(eventually([&] { return prompt() == 0xFF0000; }));
        push_key(SDLK_LEFT);
        push_key(SDLK_LEFT, SDL_KEYUP);
        EXPECT_TRUE(eventually([&] { return prompt() == 0x404040; }));
        // The new file is written beside the old first: a folder in that place stops it.
        std::filesystem::create_directory("prefs.txt.saving");
        push_click(20, 20);
        EXPECT_TRUE(eventually([&] { return prompt() == 0xFF0000; }));
        push_key(SDLK_RIGHT);
        push_key(SDLK_RIGHT, SDL_KEYUP);
        EXPECT_TRUE(eventually([&] { return prompt() == 0x00FF00; }));
        push_quit();
    });
    std::string output = capture_stdout([&] { EXPECT_TRUE(preferences_screen(session)); });
    player.join();
    EXPECT_EQ(output, "couldn't save preferences to: prefs.txt\nreason: File exists\n");
    EXPECT_EQ(read_file("prefs.txt"), "prefs_menu: prefs_menu.txt\npause_key: left\n");
}

TEST_F(MenuKeysTest, TheNameTakesSixteenCharactersReturnWaitsForOneAndPadButtonsAnswer) {
    std::string menu_file = write_menu("background: back.bmp\nnavigation: true\n");
    SDL_Event typed{};
    typed.type = SDL_KEYDOWN;
    typed.key.keysym.unicode = 'x';
    for (Uint8 number : {0, 1}) {
        ASSERT_EQ(SDL_PushEvent(&typed), 0);
        push_pad(SDL_JOYBUTTONDOWN, number, SDL_PRESSED);
        EXPECT_EQ(enter_name(menu_file, "Ann", prefs).name, number == 0 ? "Annx" : "Ann");
    }
    // A seventeenth character is refused; Return on an emptied name waits for one.
    const std::string full(name_length, 'n');
    for (SDLKey key :
         {SDLK_UNKNOWN, SDLK_RETURN, SDLK_BACKSPACE, SDLK_RETURN, SDLK_UNKNOWN, SDLK_RETURN}) {
        typed.key.keysym.sym = key;
        ASSERT_EQ(SDL_PushEvent(&typed), 0);
    }
    EXPECT_EQ(enter_name(menu_file, full, prefs).name, full);
    EXPECT_EQ(enter_name(menu_file, "A", prefs).name, "x");
}

TEST_F(MenuKeysTest, AFailedSwitchToFullScreenSaysSoOnceAndChangesNothing) {
    // Without a window no SDL 1.2 library can switch (whether a driver can switch in place
    // differs between them: the dummy one can on the compatibility layer).
    load_prefs("window_w: 200\n");
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    std::string output =
        capture_stdout([&] { EXPECT_FALSE(toggle_fullscreen(prefs, "prefs.txt")); });
    EXPECT_EQ(output.find("couldn't switch between window and full screen: "), 0u) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1);
    EXPECT_EQ(prefs.values().count("fullscreen"), 0u);
    EXPECT_EQ(read_file("prefs.txt"), "window_w: 200\n");
    // A full screen saved last time is asked for at the next start.
    prefs.get_string("fullscreen") = "true";
    EXPECT_NE(window_flags(prefs) & SDL_FULLSCREEN, 0u);
}

// Button 1 shows the current pause key and is exactly as large as that text, so where it can
// be clicked tells which binding the menu was built with. The other buttons have fixed
// rectangles: "back" at (10, 60), "quit" at (10, 90), a misspelt key at (10, 120).
const std::string prefs_menu_text =
    "background: back.bmp\n"
    "num_fonts: 1\nfont1_name: sans\nfont1_size: 20\n"
    "font1_path: /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf\n"
    "num_tsurfs: 1\ntsurf1_name: pause\ntsurf1_text: %pause_key%\ntsurf1_font: sans\n"
    "tsurf1_color: ffffff\n"
    "num_buttons: 4\n"
    "button1_surf: pause\nbutton1_x: 10\nbutton1_y: 10\nbutton1_return: pause_key\n"
    "button2_x: 10\nbutton2_y: 60\nbutton2_rect: 0,0,100,20\nbutton2_return: back\n"
    "button3_x: 10\nbutton3_y: 90\nbutton3_rect: 0,0,100,20\nbutton3_return: quit\n"
    "button4_x: 10\nbutton4_y: 120\nbutton4_rect: 0,0,100,20\nbutton4_return: jupm_key\n";

TEST_F(MenuKeysTest, TheNextKeyIsStoredAtOnceAndAClosedWindowSavesNothingMore) {
    write_menu(prefs_menu_text, "prefs_menu.txt");
    load_prefs("window_w: 800\nprefs_menu: prefs_menu.txt\npause_key: p\n\n");
    push_click(13, 20);
    push_key(SDLK_LEFT);
    push_quit();  // the event after a capture is dropped: the menu comes back
    // The rebuilt menu shows "left", a wider text than "p": only then is this a click on it.
    push_click(40, 20);
    push_key(SDLK_SPACE);
    push_key(SDLK_SPACE, SDL_KEYUP);
    push_click(20, 130);  // a word that is no key of the game is bound all the same
    push_key(SDLK_a);
    push_key(SDLK_a, SDL_KEYUP);
    push_click(20, 70);  // back
    EXPECT_FALSE(preferences_screen(session));
    const std::string saved = read_file("prefs.txt");
    EXPECT_EQ(saved,
              "window_w: 800\nprefs_menu: prefs_menu.txt\npause_key: space\n\njupm_key: a\n");

    push_click(13, 20);
    push_motion(50, 50);  // ignored while waiting for the key
    push_key(SDLK_LEFT, SDL_KEYUP);
    push_quit();
    EXPECT_TRUE(preferences_screen(session));
    push_click(20, 100);  // the "quit" button
    EXPECT_TRUE(preferences_screen(session));
    push_quit();  // the window closed on the menu itself
    EXPECT_TRUE(preferences_screen(session));
    EXPECT_EQ(prefs.get_string("pause_key"), "space");
    EXPECT_EQ(read_file("prefs.txt"), saved);
}
