// The real program in a real X server, driven with real input: what only a window shows. The
// rules, the drawing and the menus are the unit tests' business.
#include <gtest/gtest.h>

#include <regex>

#include "app/preferences_screen.h"
#include "tests/e2e/session.h"
#include "tests/support/test_support.h"

// One session from the start to the end of a game: the window opens with its titles and size
// on the main menu, a key bound and an option switched on the preferences screen are saved at
// once, the key moves the pieces, losing the focus pauses and hides the well, a lost game leads
// back to the menu, the next game starts with an empty well, and closing the window ends the
// program. Every screen on the way repaints the whole window as it was.
TEST(Play, ABoundKeyPlaysFocusLossPausesAndTheWindowCloses) {
    GameSession session;
    const std::string new_drop_key = "j";  // not bound by the shipped prefs.txt
    ASSERT_EQ(session.shipped_prefs.find(": " + new_drop_key + "\n"), std::string::npos);
    ASSERT_TRUE(session.start());
    std::string id = std::to_string(session.window);
    EXPECT_EQ(session.shell("xprop -notype -id " + id + " WM_NAME"), "WM_NAME = \"DERevarez\"\n");
    // The icon title is set as the game asks where the library passes it on; the compatibility
    // layer over SDL 2 sets none.
    std::string icon_name = session.shell("xprop -notype -id " + id + " WM_ICON_NAME");
    EXPECT_TRUE(icon_name == "WM_ICON_NAME = \"Kelvra\"\n" ||
                icon_name == "WM_ICON_NAME:  not found.\n")
        << icon_name;
    EXPECT_EQ(session.screen().w, session.prefs.get_int("window_w"));
    EXPECT_EQ(session.screen().h, session.prefs.get_int("window_h"));
    std::string prefs_menu = session.prefs.get_string("prefs_menu");
    session.save_screenshot("main_menu");

    session.click(session.main_menu, "prefs");
    ConfigStore texts = preferences_menu_texts(session.prefs, session.folder + "/" + prefs_menu);
    Picture prefs_screen = session.menu_picture(prefs_menu, &texts);
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, prefs_screen); }));
    session.save_screenshot("preferences");
    session.click(prefs_menu, "drop_key");
    session.press(new_drop_key);
    session.click(prefs_menu, "toggle bag_dealer");
    // prefs.txt is rewritten at once with both changes, every other byte as shipped.
    std::string expected = std::regex_replace(session.shipped_prefs, std::regex("\ndrop_key:.*"),
                                              "\ndrop_key: " + new_drop_key);
    expected = std::regex_replace(expected, std::regex("\nbag_dealer:.*"), "\nbag_dealer: 1");
    EXPECT_TRUE(session.wait_for(
        [&](const Picture&) { return read_file(session.folder + "/prefs.txt") == expected; }));
    EXPECT_TRUE(session.repaints_whole_window()) << "preferences";

    session.click(prefs_menu, "back");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, session.menu); }));
    session.click(session.main_menu, "play");
    // The first piece starts above the well: dropped at once, it lands on the floor. The well is
    // taken once its floor shows the background: a slow game (under valgrind) may be caught
    // between the menu and its first whole frame.
    SDL_Rect floor = session.board_row(session.prefs.get_int("board_height") - 1);
    Picture background = session.image("background_img");
    Picture empty_well;
    ASSERT_TRUE(session.wait_for([&](const Picture& s) {
        empty_well = s;
        return !alike(s, session.menu) && alike(s, background, floor);
    }));
    session.press(new_drop_key);
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return !alike(s, empty_well, floor); }))
        << "the new drop key did not land a piece on the floor";
    session.save_screenshot("game");
    EXPECT_TRUE(session.repaints_whole_window()) << "game";

    Picture paused = session.image("paused_img");
    session.focus(false);
    ASSERT_TRUE(session.wait_for([&](const Picture& s) {
        return session.shows_centred(s, paused) && alike(s, empty_well, floor);
    })) << "losing the focus did not pause the game and hide the well";
    session.save_screenshot("paused");
    EXPECT_TRUE(session.repaints_whole_window()) << "paused";
    session.focus(true);
    session.press(session.prefs.get_string("pause_key"));
    ASSERT_TRUE(session.wait_for([&](const Picture& s) {
        return !session.shows_centred(s, paused) && !alike(s, empty_well, floor);
    })) << "the pause key did not bring the well back";

    // Dropped pieces pile up to the top row; then the fall clock ends the game (each drop
    // would restart it).
    Picture game_over = session.image("game_over_img");
    bool over = false;
    bool top_reached = false;
    for (int drop = 0; drop < 100 && !over; ++drop) {
        session.press(new_drop_key);
        over = session.wait_for(
            [&](const Picture& s) {
                top_reached = !alike(s, empty_well, session.board_row(0));
                return session.shows_centred(s, game_over);
            },
            top_reached ? 3000 : 50);
    }
    ASSERT_TRUE(over) << "the game-over picture did not appear";
    session.save_screenshot("game_over");
    EXPECT_TRUE(session.repaints_whole_window()) << "game over";
    // Return at the game-over picture, then at the game's summary.
    session.press("return");
    ASSERT_TRUE(
        session.wait_for([&](const Picture& s) { return !session.shows_centred(s, game_over); }));
    session.press("return");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, session.menu); }))
        << "Return at the game-over picture and the summary did not lead back to the main menu";
    EXPECT_TRUE(session.repaints_whole_window()) << "main menu";

    session.click(session.main_menu, "play");
    SDL_Rect well = session.board_row(0);
    well.h = Uint16(well.h * session.prefs.get_int("board_height"));
    EXPECT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, empty_well, well); }))
        << "the next game did not start with an empty well";
    EXPECT_TRUE(session.close_window());
}
