// The main menu loop on the real menu and the real game, driven by events in SDL's queue.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "tests/game/game_fixture.h"
#include "tests/menu/menu_fixture.h"
#include "tests/support/test_support.h"

using MainMenuLoopTest = GameTest;

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
