// The shell before the menus exist: it plays games on one Game until the window is closed.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "tests/game/game_fixture.h"
#include "tests/game/loop_helpers.h"
#include "tests/support/test_support.h"

namespace {

using ShellTest = GameTest;

TEST_F(ShellTest, WithoutPiecesSaysSoAndWaitsForTheWindowToClose) {
    write_pieces("");
    CommandResult result = run_in_child([this] {
        SDL_Event close = quit_event();
        SDL_PushEvent(&close);
        run_screens(prefs);
    });
    EXPECT_EQ(result.output,
              "no piece to play with in the pieces file \"pieces.dat\"; close the window to quit\n");
    EXPECT_EQ(result.status, 0);
}

TEST_F(ShellTest, PlaysUntilTheWindowIsClosed) {
    SDL_Event close = quit_event();
    ASSERT_EQ(SDL_PushEvent(&close), 0);
    run_screens(prefs);
    // A game was started (its key repeat is on) and drawn.
    EXPECT_EQ(key_repeat(), std::make_pair(200, 50));
    EXPECT_EQ(screen_pixel(300, 470), background_colour);
}

}  // namespace
