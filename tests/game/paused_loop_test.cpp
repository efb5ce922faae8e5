// A paused game sleeps until an event comes; the event it wakes on counts like any other.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/game/game_fixture.h"
#include "tests/game/loop_helpers.h"

TEST_F(GameTest, PausedPlayWakesOnTheResumeKeyAndHandlesWhatFollows) {
    Game& g = build_game();
    g.fall_interval = 1000000;
    SDL_Event pause = key_down(SDLK_p);
    ASSERT_EQ(SDL_PushEvent(&pause), 0);
    // Sent once the loop is asleep: the resume key and a move behind it.
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        for (SDLKey key : {SDLK_p, SDLK_RIGHT}) {
            SDL_Event event = key_down(key);
            SDL_PushEvent(&event);
        }
    });
    {
        RepeatedPush close(quit_event(), 600, 100);
        EXPECT_TRUE(g.play());
    }
    player.join();
    EXPECT_FALSE(g.paused);
    EXPECT_EQ(g.current_piece.x, g.board_width() / 2 - 2 + 1);
}
