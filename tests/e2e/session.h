// One player's session with the real program: a private X server, a copy of the run folder
// with the shipped "prefs.txt", the game started there, the player's mouse and keyboard, and
// what the window shows. The tests check only what a real window adds to the unit tests.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>

#include "config/config_store.h"
#include "tests/e2e/x_client.h"

// A child process that dies with the test process, so no server or game outlives a crashed
// test; killed and reaped by the destructor if it still runs.
class ChildProcess {
public:
    pid_t pid = -1;
    int exit_status = -1;  // once the child has exited normally; -1 before and on a signal

    ~ChildProcess() { stop(SIGKILL, 2000); }
    // Runs the shell command, which execs the program, its output thrown away unless the
    // command redirects it.
    bool start(const std::string& command);
    // Waits up to timeout_ms for the child to end; true once it has (exit_status says how).
    bool wait_for_exit(int timeout_ms);
    // Sends signal, waits up to timeout_ms, then kills the child for good.
    void stop(int signal, int timeout_ms);
};

class GameSession {
public:
    std::string folder;         // the game's working folder, removed unless the test failed
    std::string shipped_prefs;  // "prefs.txt" as shipped, byte for byte
    ConfigStore prefs;          // the same, as the game reads it
    ChildProcess x_server;
    std::string display;  // ":N"
    std::unique_ptr<XClient> x;
    ChildProcess game;
    XWindowId window = 0;

    // Copies the run folder (env TEST_RUN_DIR) to a scratch folder of the test's own with the
    // shipped "prefs.txt" (env TEST_SOURCE_DIR/data), so the player's own bindings change nothing.
    GameSession();
    // Ends the game and the X server; on a failure keeps the folder and the last screen.
    ~GameSession();

    // Starts an X server, parks the pointer off the window, starts the game and waits for its
    // window "DERevarez" with the input focus. False when it does not appear.
    bool start();
    // The output of a shell command run in the folder with the X server as its display.
    std::string shell(const std::string& command);

    Picture screen() { return x->grab(window); }
    // Takes screenshots until condition holds for one (true) or timeout_ms has passed (false).
    bool wait_for(const std::function<bool(const Picture&)>& condition, int timeout_ms = 10000);

    // The hit area of the button that answers word in the menu file, where the game's own Menu
    // puts it.
    SDL_Rect button(const std::string& menu_file, const std::string& word);
    // Clicks the middle of that button, then parks the pointer in the window's corner so that
    // no button stays lit.
    void click(const std::string& menu_file, const std::string& word);
    // Presses and releases the key "prefs.txt" would call sdl_name.
    void press(const std::string& sdl_name);

    // The menu file drawn as the game's own Menu draws it, no button lit but the row
    // highlighted as the scores screen marks the newest game (none below 1); substitutions may
    // be null.
    Picture menu_picture(const std::string& menu_file, ConfigStore* substitutions,
                         int highlighted_row = 0);
    // The board's row as a rectangle of the window, and a picture file of the run folder.
    SDL_Rect board_row(int row);
    Picture image(const std::string& prefs_key);
    // Whether screen shows the picture centred on the board (paused, game over).
    bool shows_centred(const Picture& screen, const Picture& picture);

    // Clears the X window to magenta, so that SDL sends all of it again, and waits until it
    // shows what it showed before: an area left out of a partial update would differ. A
    // gravity step between the two pictures spoils an attempt, so there are a few.
    bool repaints_whole_window();
    // Waits for the game to end; true when it ended with status 0.
    bool exits_cleanly() { return game.wait_for_exit(10000) && game.exit_status == 0; }
    // With env E2E_SCREENSHOTS naming a folder, saves the window there as name.png.
    void save_screenshot(const std::string& name);
};

// Whether a and b agree inside rect (the whole pictures when rect is empty) on all but one pixel
// in a hundred, each channel within a rounding step of blending. The slack is for translucent
// pixels that a partial repaint blends a second time.
bool alike(const Picture& a, const Picture& b, SDL_Rect rect = SDL_Rect{0, 0, 0, 0});
