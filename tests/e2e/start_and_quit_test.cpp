// The program as a player starts and leaves it: the window, the main menu, the ways out.
#include <gtest/gtest.h>

#include "tests/e2e/game_session.h"
#include "tests/e2e/screen_checks.h"

using Start = MainMenuScenario;
using Quit = MainMenuScenario;

// The main menu itself is checked by the fixture: drawn as its file describes it.
TEST_F(Start, TheWindowHasItsTitlesAndSizeAndShowsTheMainMenu) {
    EXPECT_EQ(session.x->title(session.window), "DERevarez");
    EXPECT_EQ(session.x->icon_title(session.window), "Kelvra");
    WindowBox box;
    ASSERT_TRUE(session.x->box(session.window, box));
    EXPECT_EQ(box.w, session.prefs.get_int("window_w"));
    EXPECT_EQ(box.h, session.prefs.get_int("window_h"));
    EXPECT_NE(menu.button("play"), nullptr);
    EXPECT_NE(menu.button("prefs"), nullptr);
    EXPECT_NE(menu.button("quit"), nullptr);
    session.save_screenshot("main_menu");
}

TEST_F(Quit, TheWindowsCloseRequestEndsTheProgramWithStatusZero) {
    session.x->request_close(session.window);
    expect_clean_exit();
}

TEST_F(Quit, TheQuitButtonEndsTheProgramWithStatusZero) {
    ASSERT_TRUE(session.click_button(menu, "quit"));
    expect_clean_exit();
}

TEST(MissingPrefs, TheProgramSaysSoAndEndsWithStatusOne) {
    GameSession session;
    std::remove((session.folder + "/prefs.txt").c_str());
    ASSERT_TRUE(session.start(false)) << session.problem;
    ASSERT_TRUE(session.game.wait_for_exit(10000)) << "the game did not end";
    EXPECT_EQ(session.game.exit_status, 1);
    EXPECT_EQ(session.output().rfind("couldn't load prefs file\n", 0), 0u) << session.output();
    EXPECT_EQ(session.x->find_window("DERevarez", 0), 0u) << "a window was opened";
}
