// derevarez-check on the option keys: the hold box's key and place, the shadow's strength.
#include <gtest/gtest.h>

#include "tests/tools/check_helpers.h"

TEST(DataCheck, OptionKeys) {
    std::string folder = copy_game_folder("options");
    std::string prefs = folder + "/prefs.txt";
    auto at = [&](const char* key) { return place_of(folder, "prefs.txt", key); };
    set_value(prefs, "hold_key", "z");  // turn_left_key is "z" too
    set_value(prefs, "ghost_alpha", "300");
    set_value(prefs, "hold_y", "560");
    CommandResult result = run_checker(folder);
    EXPECT_EQ(1, result.status);
    for (const auto& [place, phrase] : std::initializer_list<std::pair<std::string, std::string>>{
             {at("hold_key"), "warning: \"hold_key\" and \"turn_left_key\" share the key \"z\""},
             {at("ghost_alpha"), "warning: \"ghost_alpha\" is not 0 to 255"},
             {at("hold_y"), "the hold box spans y 560 to 664"}}) {
        EXPECT_TRUE(reports(result.output, place, phrase)) << phrase << " in:\n" << result.output;
    }
    // A file that offers the hold box needs its place.
    remove_key(prefs, "hold_x");
    EXPECT_TRUE(reports(run_checker(folder).output, "prefs.txt: ", "missing key \"hold_x\""));
}
