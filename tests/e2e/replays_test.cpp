// A game played in a real window is recorded into the replays folder; the checker plays it
// again and verifies it, and refuses the same file with one number edited.
#include <gtest/gtest.h>

#include "tests/e2e/session.h"
#include "tests/support/test_support.h"

TEST(Replays, AGamePlayedInTheWindowIsVerifiedAndAnEditedCopyIsNot) {
    GameSession session;
    // No best games: their screens would come between the game and the menu.
    session.prefs.set("scores_file", "");
    ASSERT_TRUE(session.prefs.save((session.folder + "/prefs.txt").c_str()));
    ASSERT_TRUE(session.start());
    session.click(session.main_menu, "play");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return !alike(s, session.menu); }));
    std::string left = session.prefs.get_string("move_left_key");
    std::string right = session.prefs.get_string("move_right_key");
    std::string turn = session.prefs.get_string("turn_right_key");
    std::string drop = session.prefs.get_string("drop_key");
    std::string down = session.prefs.get_string("move_down_key");
    for (int piece = 0; piece < 6; piece++) {
        session.press(piece % 2 == 0 ? left + " " + left + " " + turn : right + " " + down);
        SDL_Delay(300);
        session.press(drop);
    }
    SDL_Delay(700);  // the fall clock moves the last piece on its own
    session.press(session.prefs.get_string("pause_key"));
    SDL_Delay(200);
    session.press(session.prefs.get_string("pause_key"));
    session.press(session.prefs.get_string("leave_key"));
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, session.menu); }));

    std::string listed = session.shell("ls replays");
    ASSERT_NE(std::string::npos, listed.find("_marathon.txt")) << listed;
    std::string checked = session.shell("./derevarez-check --replay replays/*.txt; echo status $?");
    EXPECT_NE(std::string::npos, checked.find(": verified: ")) << checked;
    EXPECT_NE(std::string::npos, checked.find("status 0")) << checked;

    session.shell("sed -i 's/^level: .*/level: 7/' replays/*.txt");
    checked = session.shell("./derevarez-check --replay replays/*.txt; echo status $?");
    EXPECT_NE(std::string::npos, checked.find(": does not match: level 7 in the replay, 1 played"))
        << checked;
    EXPECT_NE(std::string::npos, checked.find("status 1")) << checked;
    session.close_window();
    EXPECT_TRUE(session.exits_cleanly());
}
