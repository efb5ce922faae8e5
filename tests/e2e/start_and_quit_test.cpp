// The program as a player starts and leaves it: the window, the main menu, the ways out.
#include <gtest/gtest.h>

#include "tests/e2e/game_session.h"
#include "tests/e2e/screen_checks.h"

namespace {

const int exit_timeout_ms = 10000;

}  // namespace

TEST(Start, TheWindowHasItsTitlesAndTheConfiguredSize) {
    GameSession session;
    ASSERT_TRUE(session.start()) << session.problem;
    EXPECT_EQ(session.x->title(session.window), "DERevarez");
    EXPECT_EQ(session.x->icon_title(session.window), "Kelvra");
    WindowBox box;
    ASSERT_TRUE(session.x->box(session.window, box));
    EXPECT_EQ(box.w, session.prefs.get_int("window_w"));
    EXPECT_EQ(box.h, session.prefs.get_int("window_h"));
}

TEST(Quit, TheWindowsCloseRequestEndsTheProgramWithStatusZero) {
    GameSession session;
    ShippedMenu menu = session.main_menu();
    ASSERT_TRUE(session.reach_main_menu(menu)) << session.problem;
    session.x->request_close(session.window);
    ASSERT_TRUE(session.game.wait_for_exit(exit_timeout_ms)) << "the game did not end";
    EXPECT_EQ(session.game.exit_status, 0);
    EXPECT_EQ(read_text(session.folder + "/prefs.txt"), session.shipped_prefs);
}

TEST(Quit, WithoutPrefsFileTheProgramSaysSoAndEndsWithStatusOne) {
    GameSession session;
    std::remove((session.folder + "/prefs.txt").c_str());
    ASSERT_TRUE(session.start(false)) << session.problem;
    ASSERT_TRUE(session.game.wait_for_exit(exit_timeout_ms)) << "the game did not end";
    EXPECT_EQ(session.game.exit_status, 1);
    EXPECT_EQ(session.output(), "couldn't load prefs file\n");
    EXPECT_EQ(session.x->find_window("DERevarez", 0), 0u) << "a window was opened";
}
