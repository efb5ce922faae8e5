// The main menu loop on the real menu and the real game, driven by events in SDL's queue.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "tests/game/game_fixture.h"
#include "tests/menu/menu_fixture.h"
#include "tests/support/test_support.h"

namespace {

// Four 50x50 buttons side by side answering "play", "prefs", "other" and "quit".
const char* const test_main_menu =
    "background: background.bmp\n"
    "num_buttons: 4\n"
    "button1_rect: 0,0,50,50\nbutton1_return: play\n"
    "button2_x: 50\nbutton2_rect: 0,0,50,50\nbutton2_return: prefs\n"
    "button3_x: 100\nbutton3_rect: 0,0,50,50\nbutton3_return: other\n"
    "button4_x: 150\nbutton4_rect: 0,0,50,50\nbutton4_return: quit\n";

class MainMenuLoopTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        write_file(folder + "/main_menu.txt", test_main_menu);
        prefs.get_string("main_menu") = "main_menu.txt";
    }
};

TEST_F(MainMenuLoopTest, OtherWordsShowTheMenuAgainUntilQuit) {
    push_click(125, 25);  // "other"
    push_click(125, 25);
    push_click(175, 25);  // quit
    EXPECT_EQ(capture_stdout([this] { run_screens(prefs); }), "");
    EXPECT_EQ(SDL_PeepEvents(nullptr, 64, SDL_PEEKEVENT, SDL_ALLEVENTS), 0);
}

// Play without pieces, and a game that ends by itself, lead back to the main menu: rows of
// tests/reliability/faults_test.cpp and the Play test in tests/e2e/e2e_test.cpp.

}  // namespace
