// The main menu loop on the real menu and the real game, driven by events in SDL's queue.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/startup.h"
#include "tests/game/game_fixture.h"
#include "tests/menu/menu_fixture.h"
#include "tests/menu/stdout_capture.h"
#include "tests/support/test_support.h"

namespace {

// Four 50x50 buttons side by side answering "play", "prefs", "other" and "quit".
const char* const test_main_menu =
    "background: background.bmp\n"
    "num_buttons: 4\n"
    "button1_rect: 0,0,50,50\n"
    "button1_return: play\n"
    "button2_x: 50\n"
    "button2_rect: 0,0,50,50\n"
    "button2_return: prefs\n"
    "button3_x: 100\n"
    "button3_rect: 0,0,50,50\n"
    "button3_return: other\n"
    "button4_x: 150\n"
    "button4_rect: 0,0,50,50\n"
    "button4_return: quit\n";

void click_play() { push_click(25, 25); }
void click_other() { push_click(125, 25); }
void click_quit() { push_click(175, 25); }

class MainMenuLoopTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        write_file(folder + "/main_menu.txt", test_main_menu);
        prefs.get_string("main_menu") = "main_menu.txt";
    }

    static int queued_events() {
        return SDL_PeepEvents(nullptr, 64, SDL_PEEKEVENT, SDL_ALLEVENTS);
    }
};

TEST_F(MainMenuLoopTest, OtherWordsShowTheMenuAgainUntilQuit) {
    click_other();
    click_other();
    click_quit();
    EXPECT_EQ(capture_stdout([this] { run_screens(prefs); }), "");
    EXPECT_EQ(queued_events(), 0);
}

TEST_F(MainMenuLoopTest, ClosingTheWindowDuringAGameEndsAtOnce) {
    click_play();
    SDL_Event close{};
    close.type = SDL_QUIT;
    SDL_PushEvent(&close);
    // Were the menu shown again, it would wait for ever: after a while, quit it from here.
    std::atomic<bool> returned{false};
    std::atomic<bool> rescued{false};
    std::thread watchdog([&] {
        for (int waited = 0; waited < 3000 && !returned; waited += 10) {
            SDL_Delay(10);
        }
        if (!returned) {
            rescued = true;
            click_quit();
        }
    });
    run_screens(prefs);
    returned = true;
    watchdog.join();
    EXPECT_FALSE(rescued) << "the main menu was shown again after the window was closed";
}

TEST_F(MainMenuLoopTest, WithoutPiecesPlayExplainsAndShowsTheMenuAgain) {
    write_pieces("");
    click_play();
    click_quit();
    EXPECT_EQ(capture_stdout([this] { run_screens(prefs); }),
              "can't start a game: the pieces file \"pieces.dat\" has no piece to play with\n");
}

TEST_F(MainMenuLoopTest, AGameThatEndsByItselfLeadsBackToTheMenu) {
    // A one-row well and a bar that fills four of its cells: the second bar cannot enter.
    prefs.get_string("board_height") = "1";
    write_pieces(describe_piece(1, 1, false, 0, false, {{0, 3}, {1, 3}, {2, 3}, {3, 3}}) + "\n");
    click_play();
    // Until the game-over picture waits, Return and the click are ignored by the game; once it
    // waits, Return answers it and the click quits the menu shown after it.
    std::atomic<bool> done{false};
    std::thread player([&done] {
        while (!done) {
            SDL_Event enter{};
            enter.type = SDL_KEYDOWN;
            enter.key.keysym.sym = SDLK_RETURN;
            SDL_PushEvent(&enter);
            click_quit();
            SDL_Delay(100);
        }
    });
    run_screens(prefs);
    done = true;
    player.join();
    SUCCEED() << "the loop ended through the menu's quit button";
}

}  // namespace
