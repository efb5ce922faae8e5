// Closing the window ends the whole program at every screen: the main menu, the game, the paused
// game, the game-over picture, the preferences menu and the preferences screen waiting for a key.
// The real screens run with the shipped data under the dummy video driver; the player's mouse
// clicks and keys are events put into SDL's queue.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>

#include "app/startup.h"
#include "config/config_store.h"
#include "menu/menu.h"
#include "tests/menu/menu_fixture.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

// A click in the middle of the hit rectangle of the button that answers word in a menu file
// (every button of the shipped menus that answers a word has a "_rect").
void push_click_on(const std::string& menu_file, const std::string& word) {
    ConfigStore menu;
    ASSERT_EQ(menu.load(menu_file.c_str()), 0) << menu_file;
    for (int i = 1; i <= menu.get_int("num_buttons"); i++) {
        std::string prefix = "button" + int_to_text(i);
        if (menu.get_string(prefix + "_return") != word) {
            continue;
        }
        SDL_Rect rect = parse_rect(menu.get_string(prefix + "_rect"));
        push_click(menu.get_int(prefix + "_x") + rect.x + rect.w / 2,
                   menu.get_int(prefix + "_y") + rect.y + rect.h / 2);
        return;
    }
    FAIL() << "no button answers " << word << " in " << menu_file;
}

// Runs the program's screens in a child process, in a copy of the run folder, after queue_events
// has put the player's input into SDL's queue. A child still running after a minute is stopped,
// so a screen that ignores the close request fails the test instead of hanging it.
CommandResult run_screens_with(const std::function<void(ConfigStore&)>& queue_events) {
    // One folder per test: ctest runs the tests of this file side by side.
    std::string folder =
        make_scratch_dir(std::string("window_close_") +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::copy(std::getenv("TEST_RUN_DIR"), folder, fs::copy_options::recursive);
    fs::copy_file(std::string(std::getenv("TEST_SOURCE_DIR")) + "/data/prefs.txt",
                  folder + "/prefs.txt", fs::copy_options::overwrite_existing);
    return run_in_child([&] {
        // SDL turns the usual signals into close requests, which such a screen would ignore too.
        std::thread([] {
            std::this_thread::sleep_for(std::chrono::seconds(60));
            std::printf("still running after a minute\n");
            std::fflush(stdout);
            _exit(2);
        }).detach();
        if (chdir(folder.c_str()) != 0 || SDL_Init(SDL_INIT_VIDEO) != 0) {
            return;
        }
        ConfigStore prefs;
        if (prefs.load("prefs.txt") != 0 || open_window(prefs) == nullptr) {
            return;
        }
        queue_events(prefs);
        run_screens(prefs);
        // A game switches key repeat on when it starts and off at its game-over picture: this
        // tells whether the clicks on "play" really started one.
        int delay = 0;
        int interval = 0;
        SDL_GetKeyRepeat(&delay, &interval);
        std::printf("ended%s\n", delay != 0 ? " in a game" : "");
        SDL_Quit();
    });
}

// Once the game runs (it switches key repeat on), drops pieces until the well is full; then
// pushes close requests, one every 100 ms, from the moment the game-over picture is up (key
// repeat off again) until the process ends. The drops wait for the game, so that it cannot end
// before this thread has seen it start. Earlier requests would end the game itself; one that
// comes while the picture empties the queue is dropped with it, and the next one counts.
void close_at_game_over() {
    int delay = 0;
    int interval = 0;
    while (delay == 0) {
        SDL_GetKeyRepeat(&delay, &interval);
        SDL_Delay(5);
    }
    // Every drop lands a piece at once; long before sixty the well is full.
    for (int i = 0; i < 60; i++) {
        push_key_down(SDLK_SPACE);
    }
    while (delay != 0) {
        SDL_GetKeyRepeat(&delay, &interval);
        SDL_Delay(5);
    }
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    while (true) {
        SDL_PushEvent(&quit);
        SDL_Delay(100);
    }
}

}  // namespace

TEST(WindowClose, EndsTheProgramOnEveryScreen) {
    struct Screen {
        std::function<void(ConfigStore&)> queue_events;
        const char* expected;
    };
    const std::map<std::string, Screen> screens = {
        {"main menu", {[](ConfigStore&) { push_quit(); }, "ended\n"}},
        {"game",
         {[](ConfigStore& prefs) {
              push_click_on(prefs.get_string("main_menu"), "play");
              push_quit();
          },
          "ended in a game\n"}},
        {"paused game",
         {[](ConfigStore& prefs) {
              push_click_on(prefs.get_string("main_menu"), "play");
              push_key_down(SDLK_p);  // the shipped "pause_key"
              push_quit();
          },
          "ended in a game\n"}},
        {"preferences menu",
         {[](ConfigStore& prefs) {
              push_click_on(prefs.get_string("main_menu"), "prefs");
              push_quit();
          },
          "ended\n"}},
        {"preferences waiting for a key",
         {[](ConfigStore& prefs) {
              push_click_on(prefs.get_string("main_menu"), "prefs");
              push_click_on(prefs.get_string("prefs_menu"), "pause_key");
              push_quit();
          },
          "ended\n"}},
    };
    for (const auto& [name, screen] : screens) {
        CommandResult result = run_screens_with(screen.queue_events);
        EXPECT_EQ(result.status, 0) << name;
        EXPECT_EQ(result.output, screen.expected) << name;
    }
}

TEST(WindowClose, EndsTheProgramAtTheGameOverPicture) {
    CommandResult result = run_screens_with([](ConfigStore& prefs) {
        push_click_on(prefs.get_string("main_menu"), "play");
        std::thread(close_at_game_over).detach();
    });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, "ended\n");
}
