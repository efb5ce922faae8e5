// A game played in a real window is recorded into the replays folder; the checker plays it
// again and verifies it, and refuses the same file with one number edited. A game lost in the
// window is watched again to the very picture it ended on, then stopped, stepped, taken over
// and played on.
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
    auto key = [&](const char* action) {
        return session.prefs.get_string(action + std::string("_key"));
    };
    for (int piece = 0; piece < 6; piece++) {
        session.press(piece % 2 == 0
                          ? key("move_left") + " " + key("move_left") + " " + key("turn_right")
                          : key("move_right") + " " + key("move_down"));
        SDL_Delay(300);
        session.press(key("drop"));
    }
    SDL_Delay(700);  // the fall clock moves the last piece on its own
    session.press(key("pause"));
    SDL_Delay(200);
    session.press(key("pause") + " " + key("leave"));
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
    EXPECT_TRUE(session.close_window());
}

namespace {

// Drops pieces until the game-over picture shows; false when it never does.
bool drop_until_lost(GameSession& session) {
    Picture game_over = session.image("game_over_img");
    for (int drop = 0; drop < 40; ++drop) {
        session.press(session.prefs.get_string("drop_key"));
        if (session.wait_for([&](const Picture& s) { return session.shows_centred(s, game_over); },
                             drop < 12 ? 30 : 800)) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(Replays, AGameLostInTheWindowIsWatchedToItsPictureSteppedAndTakenOver) {
    GameSession session;
    session.prefs.set("scores_file", "");
    session.prefs.set("summary_menu", "");
    ASSERT_TRUE(session.prefs.save((session.folder + "/prefs.txt").c_str()));
    ASSERT_TRUE(session.start());
    session.click(session.main_menu, "play");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return !alike(s, session.menu); }));
    ASSERT_TRUE(drop_until_lost(session));
    Picture live = session.screen();
    session.press("return");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, session.menu); }));

    // Below the replay line, the watched game ends on the live game's last picture.
    std::string replays_menu = session.prefs.get_string("replays_menu");
    session.click(session.main_menu, "replays");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return !alike(s, session.menu); }));
    Picture listing = session.screen();
    session.save_screenshot("replays_menu");
    session.click(replays_menu, "replay1");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return !alike(s, listing); }));
    session.press("4");
    SDL_Rect below_line{0, 40, static_cast<Uint16>(live.w), static_cast<Uint16>(live.h - 40)};
    EXPECT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, live, below_line); }))
        << "the replay did not end on the picture of the game";
    Picture watched = session.screen();
    SDL_Rect line{270, 8, 500, 24};
    EXPECT_FALSE(alike(watched, live, line)) << "no line says whose game it is";
    session.save_screenshot("replay_watched");
    session.press(session.prefs.get_string("leave_key"));
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, listing); }));

    // Stopped at once, moved on by a piece, taken over and played to its end by the player.
    session.click(replays_menu, "replay1");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return !alike(s, listing); }));
    session.press(session.prefs.get_string("pause_key") + " " +
                  session.prefs.get_string("move_right_key") + " " +
                  session.prefs.get_string("takeover_key"));
    ASSERT_TRUE(drop_until_lost(session));
    session.press("return");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return !alike(s, watched); }));
    std::string taken = session.shell("grep -l '^taken_over: 1' replays/*.txt");
    ASSERT_NE(std::string::npos, taken.find("_marathon.txt")) << taken;
    std::string checked =
        session.shell("./derevarez-check --replay " + taken.substr(0, taken.find('\n')));
    EXPECT_NE(std::string::npos, checked.find(": verified: ")) << checked;
    EXPECT_TRUE(session.close_window());
}
