// The menus as a player works them: the hover images and the preferences screen that rebinds
// a key.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/preferences_screen.h"
#include "tests/e2e/game_session.h"
#include "tests/e2e/player.h"
#include "tests/e2e/screen_checks.h"
#include "tests/support/test_support.h"

namespace {

const int screen_timeout_ms = 10000;

// A spot inside the window that no button covers or lights.
Spot away_from_buttons(const ShippedMenu& menu, const Picture& screen) {
    for (int y = 2; y < screen.h; y += 5) {
        for (int x = 2; x < screen.w; x += 5) {
            if (!menu.near_a_button(x, y)) {
                return Spot{x, y};
            }
        }
    }
    return Spot{0, 0};
}

using Hover = MainMenuScenario;
using Preferences = MainMenuScenario;

}  // namespace

TEST_F(Hover, LightsAButtonAndLeavingRestoresIt) {
    const MenuButton* lit = nullptr;
    for (const MenuButton& button : menu.buttons) {
        if (lit == nullptr && button.hover.w > 0 && !button.word.empty()) {
            lit = &button;
        }
    }
    ASSERT_NE(lit, nullptr) << "no button of the main menu has a hover image";
    Picture before = session.screen();
    Spot on = Spot{lit->hit.x + lit->hit.w / 2, lit->hit.y + lit->hit.h / 2};
    Spot away = away_from_buttons(menu, before);
    Picture lit_menu = compose_menu(menu, on);
    Picture normal_menu = compose_menu(menu, away);

    // Only the changed buttons are repainted, each area on its own; where those areas overlap,
    // translucent pixels are blended twice. So the two looks are told apart by which of them
    // the window is closer to.
    session.point_at(on.x, on.y);
    EXPECT_TRUE(session.wait_for(
        [&](const Picture& s) { return closer_to(s, lit_menu, normal_menu); }, screen_timeout_ms))
        << "button " << lit->number << " does not show its hover image under the pointer";

    session.point_at(away.x, away.y);
    EXPECT_TRUE(session.wait_for(
        [&](const Picture& s) { return closer_to(s, normal_menu, lit_menu); }, screen_timeout_ms))
        << "button " << lit->number << " did not go back to its normal look";
}

TEST_F(Preferences, RebindingAKeyRewritesPrefsAtOnceAndTheNewKeyWorks) {
    std::string prefs_file = session.prefs.get_string("prefs_menu");
    ConfigStore texts = preferences_menu_texts(session.prefs, session.folder + "/" + prefs_file);
    ShippedMenu prefs_menu(session.folder, prefs_file, &texts);
    ASSERT_NE(prefs_menu.button("drop_key"), nullptr) << "the drop key cannot be rebound";
    ASSERT_NE(prefs_menu.button("back"), nullptr);

    ASSERT_TRUE(session.click_button(menu, "prefs"));
    ASSERT_TRUE(session.wait_for_menu(prefs_menu)) << "preferences: " << session.problem;
    session.save_screenshot("preferences");

    std::string new_key = unbound_key_name(session.prefs);
    ASSERT_TRUE(session.click_button(prefs_menu, "drop_key"));
    session.press(new_key);
    // The shipped file with the drop key's line alone changed, written at once.
    std::string expected = session.shipped_prefs;
    size_t line = expected.find("\ndrop_key:") + 1;
    expected.replace(line, expected.find('\n', line) - line, "drop_key: " + new_key);
    std::string saved_path = session.folder + "/prefs.txt";
    long long deadline = now_ms() + screen_timeout_ms;
    while (read_file(saved_path) != expected && now_ms() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(read_file(saved_path), expected) << "prefs.txt after the binding";

    ConfigStore saved;
    saved.load(saved_path.c_str());
    ConfigStore saved_texts = preferences_menu_texts(saved, session.folder + "/" + prefs_file);
    ShippedMenu updated(session.folder, prefs_file, &saved_texts);
    EXPECT_TRUE(session.wait_for_menu(updated))
        << "the preferences screen does not show the new binding: " << session.problem;

    ASSERT_TRUE(session.click_button(updated, "back"));
    ASSERT_TRUE(session.wait_for_menu(menu)) << "back in the main menu: " << session.problem;
    Player player(session);
    ASSERT_TRUE(player.start_game(menu)) << player.problem;
    ASSERT_TRUE(player.bring_in_piece()) << player.problem;
    EXPECT_TRUE(player.drop(nullptr, new_key)) << player.problem;
}
