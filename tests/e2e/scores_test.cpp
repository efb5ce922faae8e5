// Best games as a player meets them: a game that scores leads to the name entry, and the
// table then shows the name typed there, highlighted.
#include <gtest/gtest.h>

#include "scores/score_file.h"
#include "tests/e2e/session.h"
#include "tests/support/test_support.h"

TEST(BestGames, AScoringGameAsksForANameAndTheTableShowsIt) {
    GameSession session;
    // A well four cells wide and one piece, a bar of four lying flat: the first bar dropped
    // flat clears a row (1 point), then upright bars stack up until the game ends.
    write_file(session.folder + "/bar.dat",
               std::string("\x01\x01\x01\x00\x01\x00\x01\x01\x01\x02\x01\x03\x01\n", 14));
    session.prefs.get_string("pieces_file") = "bar.dat";
    session.prefs.get_string("board_width") = "4";
    ASSERT_TRUE(session.prefs.save((session.folder + "/prefs.txt").c_str()));
    ASSERT_TRUE(session.start());
    session.click(session.main_menu, "play");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return !alike(s, session.menu); }));
    session.press(session.prefs.get_string("drop_key"));
    ASSERT_TRUE(session.press_until_over(
        session.prefs.get_string("turn_right_key") + " " + session.prefs.get_string("drop_key"), 8,
        700))
        << "the game did not end";

    // Past the game-over picture and the game's summary.
    session.press("return");
    Picture game_over = session.image("game_over_img");
    ASSERT_TRUE(
        session.wait_for([&](const Picture& s) { return !session.shows_centred(s, game_over); }));
    session.press("return");
    ConfigStore keys = entry_keys(ScoreEntry{"", 1, 1, 1, ""}, 0);
    keys.get_string("name") = session.prefs.get_string("player_name") + "a";
    session.press("a");
    Picture entry = session.menu_picture(session.prefs.get_string("name_menu"), &keys);
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, entry); }))
        << "no name entry showing the typed letter";
    session.save_screenshot("name_entry");
    session.press("return");

    ScoreFile scores;
    ASSERT_TRUE(session.wait_for([&](const Picture&) {
        scores = ScoreFile();
        return scores.read((session.folder + "/scores.txt").c_str()) && scores.tables.size() == 1;
    }));
    const ScoreTable& table = scores.tables.begin()->second;
    ASSERT_EQ(table.entries.size(), 1u);
    EXPECT_EQ(table.entries[0].name, keys.get_string("name"));
    EXPECT_EQ(table.entries[0].points, 1);
    std::string scores_menu = session.prefs.get_string("scores_menu");
    ConfigStore menu_file;
    menu_file.load((session.folder + "/" + scores_menu).c_str());
    ConfigStore rows = table_keys(table, menu_file.get_string("empty_text"));
    rows.set("mode", menu_file.get_string("mode_marathon"));
    rows.set("score_head", menu_file.get_string("points_heading"));
    Picture shown = session.menu_picture(scores_menu, &rows, 1);
    // Above the tabs, of which the table's own is lit.
    SDL_Rect table_area{0, 0, Uint16(shown.w), 500};
    EXPECT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, shown, table_area); }))
        << "the scores screen does not show the new entry highlighted";
    session.save_screenshot("scores");
}
