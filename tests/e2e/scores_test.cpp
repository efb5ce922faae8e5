// Best games as a player meets them: a game that scores asks for a name typed on the keyboard,
// the table shows it highlighted and still holds it after a restart, and a game without points
// asks for nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/scores_screens.h"
#include "scores/score_file.h"
#include "tests/e2e/game_session.h"
#include "tests/e2e/screen_checks.h"
#include "tests/support/test_support.h"

namespace {

// A well four cells wide and one piece, a bar of four lying flat: the first bar dropped flat
// clears a row (1 point at level 1), and bars turned upright stack up until the game ends.
void use_bar_pieces(GameSession& session) {
    write_file(session.folder + "/bar.dat",
               std::string("\x01\x01\x01\x00\x01\x00\x01\x01\x01\x02\x01\x03\x01\n", 14));
    session.prefs.get_string("pieces_file") = "bar.dat";
    session.prefs.get_string("board_width") = "4";
    ASSERT_TRUE(session.prefs.save((session.folder + "/prefs.txt").c_str()));
}

bool start_at_menu(GameSession& session, const ShippedMenu& main_menu) {
    return session.start() && session.wait_for_menu(main_menu);
}

// Drops upright bars in one column until it is full; the next piece then cannot enter the
// well and the game ends at its next fall steps (a drop would only land it above the well).
bool lose(GameSession& session) {
    GameLayout layout(session.folder, session.prefs);
    Spot at = layout.centred_on_board(layout.game_over.w, layout.game_over.h);
    auto over = [&](const Picture& s) { return shows_picture(s, layout.game_over, at.x, at.y); };
    for (int drop = 0; drop < 6; ++drop) {
        session.press_action("turn_right_key");
        session.press_action("drop_key");
        if (session.wait_for(over, 700)) {
            return true;
        }
    }
    return session.wait_for(over, 10000);
}

ScoreTable saved_table(GameSession& session) {
    ScoreFile scores;
    scores.read((session.folder + "/scores.txt").c_str());
    return scores.tables.empty() ? ScoreTable() : scores.tables.begin()->second;
}

ShippedMenu name_entry(GameSession& session, const std::string& name) {
    static ConfigStore keys;
    keys = entry_keys(ScoreEntry{"", 1, 1, 1, ""}, 0);
    keys.get_string("name") = name;
    return ShippedMenu(session.folder, session.prefs.get_string("name_menu"), &keys);
}

// Waits for the scores menu filled from table, with row place + 1 highlighted.
bool shows_table(GameSession& session, const ScoreTable& table, int place) {
    std::string file = session.prefs.get_string("scores_menu");
    ConfigStore menu_file;
    menu_file.load((session.folder + "/" + file).c_str());
    static ConfigStore keys;
    keys = table_keys(table, menu_file.get_string("empty_text"));
    ShippedMenu menu(session.folder, file, &keys);
    highlight_row(*menu.menu, place + 1);
    return session.wait_for_menu(menu);
}

}  // namespace

TEST(BestGames, AScoringGameAsksForANameAndTheTableKeepsItAcrossARestart) {
    GameSession first;
    use_bar_pieces(first);
    ShippedMenu main_menu(first.folder, first.prefs.get_string("main_menu"), nullptr);
    ASSERT_TRUE(start_at_menu(first, main_menu)) << first.problem;
    ASSERT_TRUE(first.click_button(main_menu, "play"));
    first.press_action("drop_key");
    ASSERT_TRUE(lose(first)) << "the game did not end";
    first.press("return");
    ASSERT_TRUE(first.wait_for_menu(name_entry(first, "Player"))) << first.problem;

    first.press("backspace", 6);
    for (const char* letter : {"a", "d", "a"}) {
        first.press(letter);
    }
    ASSERT_TRUE(first.wait_for_menu(name_entry(first, "ada"))) << first.problem;
    first.save_screenshot("name_entry");
    first.press("return");

    ScoreTable table;
    ASSERT_TRUE(first.wait_for(
        [&](const Picture&) { return !(table = saved_table(first)).entries.empty(); }, 10000));
    ASSERT_EQ(table.entries.size(), 1u);
    EXPECT_EQ(table.entries[0].name, "ada");
    EXPECT_EQ(table.entries[0].points, 1);
    ASSERT_TRUE(shows_table(first, table, 0)) << first.problem;
    first.save_screenshot("scores");
    first.x->request_close(first.window);
    ASSERT_TRUE(first.game.wait_for_exit(10000));

    // The same folder started again: the table comes back from the file.
    GameSession second;
    for (const char* file : {"prefs.txt", "bar.dat", "scores.txt"}) {
        std::filesystem::copy_file(first.folder + "/" + file, second.folder + "/" + file,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    second.prefs = ConfigStore();
    second.prefs.load((second.folder + "/prefs.txt").c_str());
    ASSERT_TRUE(start_at_menu(second, main_menu)) << second.problem;
    ASSERT_TRUE(second.click_button(main_menu, "scores"));
    ASSERT_TRUE(shows_table(second, table, -1)) << second.problem;

    // A game without a point asks for no name and leaves the table alone.
    ShippedMenu scores(second.folder, second.prefs.get_string("scores_menu"), nullptr);
    ASSERT_TRUE(second.click_button(scores, "back"));
    ASSERT_TRUE(second.wait_for_menu(main_menu)) << second.problem;
    ASSERT_TRUE(second.click_button(main_menu, "play"));
    ASSERT_TRUE(lose(second)) << "the second game did not end";
    second.press("return");
    ASSERT_TRUE(second.wait_for_menu(main_menu)) << second.problem;
    EXPECT_EQ(saved_table(second).entries.size(), 1u);
}
