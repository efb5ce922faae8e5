// The player's options as a player finds them: switched on in the preferences menu with the
// mouse, seen in the next game.
#include <gtest/gtest.h>

#include "tests/e2e/session.h"

TEST(Options, TheLandingShadowSwitchedOnByAClickShowsOnTheFloorOfTheWell) {
    GameSession session;
    ASSERT_TRUE(session.start());
    std::string main_menu = session.prefs.get_string("main_menu");
    Picture menu = session.menu_picture(main_menu, nullptr);
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, menu); }));
    session.click(main_menu, "prefs");
    std::string prefs_menu = session.prefs.get_string("prefs_menu");
    session.click(prefs_menu, "toggle ghost_piece");
    ASSERT_TRUE(session.wait_for([&](const Picture&) {
        ConfigStore saved;
        saved.load((session.folder + "/prefs.txt").c_str());
        return saved.get_string("ghost_piece") == "1";
    })) << "the click did not switch the option on in prefs.txt";
    session.save_screenshot("preferences_options");
    session.click(prefs_menu, "back");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, menu); }));

    // While the first piece is still above the well, its top row shows the background and only
    // its shadow shows, on the floor.
    session.click(main_menu, "play");
    Picture background = session.image("background_img");
    int rows = session.prefs.get_int("board_height");
    EXPECT_TRUE(session.wait_for([&](const Picture& s) {
        return alike(s, background, session.board_row(0)) &&
               !alike(s, background, session.board_row(rows - 1));
    })) << "no landing shadow on the floor of the well";
    session.save_screenshot("landing_shadow");
}
