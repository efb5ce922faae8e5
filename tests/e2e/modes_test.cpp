// Every way to play, played to its end in a real window: the modes screen starts it, a timed
// mode shows its clock, the restart key empties the well at once, zen survives a full well,
// and a game played out ends on its summary.
#include <gtest/gtest.h>

#include "app/mode_screens.h"
#include "tests/e2e/session.h"
#include "tests/support/test_support.h"

namespace {

// The summary's heading names the mode: enough to tell which summary shows.
bool shows_summary(GameSession& session, const Picture& screen, Mode mode) {
    std::string file = session.prefs.get_string("summary_menu");
    ConfigStore texts;
    texts.load((session.folder + "/" + file).c_str());
    ConfigStore keys = summary_keys(GameNumbers(), mode_title(texts, mode), "-");
    Picture expected = session.menu_picture(file, &keys);
    return alike(screen, expected, SDL_Rect{0, 20, 800, 60});
}

}  // namespace

TEST(Modes, EachModePlaysToItsEnd) {
    GameSession session;
    // A well four cells wide and one piece, a bar of four lying flat: a bar dropped flat clears
    // a row, upright bars stack up until the well is full.
    write_file(session.folder + "/bar.dat",
               std::string("\x01\x01\x01\x00\x01\x00\x01\x01\x01\x02\x01\x03\x01\n", 14));
    session.prefs.set("pieces_file", "bar.dat");
    session.prefs.set("board_width", "4");
    session.prefs.set("sprint_lines", "2");
    session.prefs.set("ultra_seconds", "2");
    // No best games here: they have their own test, and their screens would come between.
    session.prefs.set("scores_file", "");
    ASSERT_TRUE(session.prefs.save((session.folder + "/prefs.txt").c_str()));
    ASSERT_TRUE(session.start());
    std::string modes_menu = session.prefs.get_string("modes_menu");
    std::string drop = session.prefs.get_string("drop_key");
    std::string stand = session.prefs.get_string("turn_right_key") + " " + drop;
    SDL_Rect floor = session.board_row(session.prefs.get_int("board_height") - 1);
    SDL_Rect clock{52, 416, 160, 40};
    Picture game_over = session.image("game_over_img");

    auto start = [&](const char* word) {
        session.click(session.main_menu, "modes");
        ASSERT_TRUE(session.wait_for([&](const Picture& s) { return !alike(s, session.menu); }));
        session.click(modes_menu, word);
    };
    Picture empty_well;
    auto wait_for_game = [&]() {
        ASSERT_TRUE(session.wait_for([&](const Picture& s) {
            empty_well = s;
            return session.shows_centred(s, session.image("paused_img")) ||
                   !alike(s, session.menu, floor);
        }));
    };

    // Sprint: a bar upright, then the restart key: the well is empty again at once. Two flat
    // bars then clear the two rows asked for, and the summary follows with no game-over picture.
    start("sprint");
    wait_for_game();
    Picture started = empty_well;
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return !alike(s, started, clock); }))
        << "the sprint's clock does not run";
    session.press(stand);
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return !alike(s, empty_well, floor); }));
    session.press(session.prefs.get_string("restart_key"));
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, empty_well, floor); }))
        << "the restart left blocks in the well";
    // The second drop waits for the first's row to close up: until then no key moves a piece.
    session.press(drop);
    SDL_Delay(800);
    session.press(drop);
    ASSERT_TRUE(session.wait_for([&](const Picture& s) {
        return shows_summary(session, s, Mode::sprint);
    })) << "no summary after the sprint's rows";
    session.save_screenshot("summary");
    session.press("return");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, session.menu); }));

    // Ultra ends on its clock; marathon and daily on a full well, then the summary.
    start("ultra");
    wait_for_game();
    ASSERT_TRUE(session.wait_for([&](const Picture& s) {
        return shows_summary(session, s, Mode::ultra);
    })) << "the ultra game did not end on its clock";
    session.press("return");
    for (const char* word : {"marathon", "daily"}) {
        ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, session.menu); }));
        start(word);
        wait_for_game();
        ASSERT_TRUE(session.press_until_over(stand, 8, 700)) << word << " did not end";
        session.press("return");
        Mode mode = Mode::marathon;
        mode_from_word(word, mode);
        ASSERT_TRUE(session.wait_for([&](const Picture& s) {
            return shows_summary(session, s, mode);
        })) << "no summary after "
            << word;
        session.press("return");
    }

    // Zen: a full well is emptied instead of ending the game; only the leave key ends it.
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, session.menu); }));
    start("zen");
    wait_for_game();
    // Five upright bars fill the well; the sixth cannot enter.
    for (int bar = 0; bar < 6; ++bar) {
        session.press(stand);
        SDL_Delay(300);
    }
    EXPECT_TRUE(session.wait_for([&](const Picture& s) {
        return alike(s, empty_well, floor) && !session.shows_centred(s, game_over);
    })) << "zen did not empty the full well";
    session.press(session.prefs.get_string("leave_key"));
    EXPECT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, session.menu); }))
        << "the leave key did not end zen";
}
