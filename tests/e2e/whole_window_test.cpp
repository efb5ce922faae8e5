// The game shows each frame by sending only the areas that changed to the X server. On every
// screen the window must then show exactly what sending the whole window shows.
#include <gtest/gtest.h>

#include "app/preferences_screen.h"
#include "tests/e2e/game_session.h"
#include "tests/e2e/player.h"
#include "tests/e2e/screen_checks.h"

namespace {

const int timeout_ms = 10000;

using WholeWindow = MainMenuScenario;

// Clears the window to magenta so that SDL sends all of it again, and waits until it shows
// what it showed before. A gravity step between the two pictures spoils an attempt.
bool resend_changes_nothing(GameSession& session) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        Picture before = session.screen();
        session.x->clear_and_expose(session.window, 0xFF00FF);
        if (session.wait_for([&](const Picture& s) { return s.pixels == before.pixels; }, 1500)) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST_F(WholeWindow, EveryScreenShowsWhatSendingTheWholeWindowShows) {
    for (const MenuButton& button : menu.buttons) {
        session.point_at(button.hit.x + button.hit.w / 2, button.hit.y + button.hit.h / 2);
    }
    EXPECT_TRUE(resend_changes_nothing(session)) << "main menu";

    Player player(session);
    ASSERT_TRUE(player.start_game(menu)) << player.problem;
    session.press_action("move_left_key", 2);
    session.press_action("drop_key");
    EXPECT_TRUE(resend_changes_nothing(session)) << "game";
    session.press_action("pause_key");
    EXPECT_TRUE(resend_changes_nothing(session)) << "pause";
    session.press_action("pause_key");
    const GameLayout& layout = player.layout;
    Spot at = layout.centred_on_board(layout.game_over.w, layout.game_over.h);
    auto over = [&](const Picture& s) { return shows_picture(s, layout.game_over, at.x, at.y); };
    for (int drop = 0; drop < 150 && !session.wait_for(over, 60); ++drop) {
        session.press_action("drop_key");
    }
    ASSERT_TRUE(session.wait_for(over, timeout_ms)) << "no game over";
    EXPECT_TRUE(resend_changes_nothing(session)) << "game over";

    session.press("return");
    ASSERT_TRUE(session.wait_for_menu(menu)) << session.problem;
    std::string prefs_file = session.prefs.get_string("prefs_menu");
    ConfigStore texts = preferences_menu_texts(session.prefs, session.folder + "/" + prefs_file);
    ShippedMenu prefs_menu(session.folder, prefs_file, &texts);
    ASSERT_TRUE(session.click_button(menu, "prefs"));
    ASSERT_TRUE(session.wait_for_menu(prefs_menu)) << session.problem;
    for (const MenuButton& button : prefs_menu.buttons) {
        session.point_at(button.hit.x + button.hit.w / 2, button.hit.y + button.hit.h / 2);
    }
    EXPECT_TRUE(resend_changes_nothing(session)) << "preferences";
}
