// The player's options as a player finds them: switched on in the preferences menu with the
// mouse, seen in the next game.
#include <gtest/gtest.h>

#include "app/preferences_screen.h"
#include "tests/e2e/game_session.h"
#include "tests/e2e/player.h"
#include "tests/e2e/screen_checks.h"
#include "tests/support/test_support.h"

namespace {

using Options = MainMenuScenario;

}  // namespace

TEST_F(Options, TheLandingShadowSwitchedOnByAClickShowsOnTheFloorOfTheWell) {
    std::string prefs_file = session.prefs.get_string("prefs_menu");
    std::string menu_path = session.folder + "/" + prefs_file;
    ConfigStore off_texts = preferences_menu_texts(session.prefs, menu_path);
    ShippedMenu shown_off(session.folder, prefs_file, &off_texts);
    ASSERT_TRUE(session.click_button(menu, "prefs"));
    ASSERT_TRUE(session.wait_for_menu(shown_off)) << "preferences: " << session.problem;

    ASSERT_TRUE(session.click_button(shown_off, "toggle ghost_piece"));
    ConfigStore on = session.prefs;
    on.get_string("ghost_piece") = "1";
    ConfigStore on_texts = preferences_menu_texts(on, menu_path);
    ShippedMenu shown_on(session.folder, prefs_file, &on_texts);
    ASSERT_TRUE(session.wait_for_menu(shown_on)) << "the row does not say on: " << session.problem;
    EXPECT_NE(read_file(session.folder + "/prefs.txt").find("ghost_piece: 1\n"), std::string::npos);

    ASSERT_TRUE(session.click_button(shown_on, "back"));
    ASSERT_TRUE(session.wait_for_menu(menu)) << "back in the main menu: " << session.problem;
    Player player(session);
    ASSERT_TRUE(player.start_game(menu)) << player.problem;
    // While the first piece is still above the well, only its shadow shows, on the floor.
    EXPECT_TRUE(session.wait_for(
        [&](const Picture& s) {
            Cells cells = occupied_cells(s, player.layout);
            return cells.size() == 4 && min_row(cells) >= player.layout.rows - 4;
        },
        5000))
        << "no landing shadow on the floor of the well";
}
