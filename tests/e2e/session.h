// One player's session with the real program: a private X server, a copy of the run folder
// with the shipped "prefs.txt", the game started there, the player's mouse and keyboard, and
// what the window shows. The tests check only what a real window adds to the unit tests.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <functional>
#include <string>
#include <vector>

#include "config/config_store.h"

struct _XDisplay;  // Xlib's Display: its macros (Bool, None, Status) would clash with gtest

// Pixels as 0xAARRGGBB, row by row. Screenshots are opaque (alpha 255).
struct Picture {
    int w = 0;
    int h = 0;
    std::vector<Uint32> pixels;

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    Uint32 at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
};

// A child process that dies with the test process, so no server or game outlives a crashed
// test; killed and reaped by the destructor if it still runs.
class ChildProcess {
public:
    pid_t pid = -1;
    int exit_status = -1;  // once the child has exited normally; -1 before and on a signal

    ~ChildProcess() { stop(SIGKILL, 2000); }
    // The shell command (which execs the program), its output thrown away.
    bool start(const std::string& command);
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
    std::string display;     // ":N"
    _XDisplay* x = nullptr;  // the tests' own connection to it
    ChildProcess game;
    unsigned long window = 0;
    std::string main_menu;  // its file, and the picture it draws
    std::string screen_size = "1280x1024";  // of the X server, set before start
    int scale = 1;  // the window's scale, which click follows
    Picture menu;

    // A copy of the run folder (TEST_RUN_DIR) with the shipped "prefs.txt" (TEST_SOURCE_DIR).
    GameSession();
    // Ends the game and the X server; on a failure keeps the folder and the last screen.
    ~GameSession();

    // Starts an X server and the game; true once its window has the input focus and shows
    // the main menu as its file says.
    bool start();
    // A shell command run in the folder with the X server as its display; its output.
    std::string shell(const std::string& command);

    Picture screen();  // inside the window; empty when it is gone
    // Gives the window the input focus, or moves the pointer out of it and gives the focus to
    // the root window, which takes it from every application window.
    void focus(bool on);
    // Sends WM_DELETE_WINDOW, what a window manager sends when the close button is pressed;
    // whether the game then exits cleanly.
    bool close_window();
    // Takes screenshots until condition holds for one (true) or timeout_ms has passed (false).
    bool wait_for(const std::function<bool(const Picture&)>& condition, int timeout_ms = 10000);

    // Clicks the middle of the button that answers word, where the game's own Menu puts it,
    // then moves the pointer away so no button stays lit.
    void click(const std::string& menu_file, const std::string& word);
    // Presses and releases the keys "prefs.txt" would call sdl_names, one after the other.
    void press(const std::string& sdl_names);

    // The menu file drawn by the game's own Menu, no button lit but the highlighted row (as the
    // scores screen marks the newest game; none below 1); substitutions may be null.
    Picture menu_picture(const std::string& menu_file, ConfigStore* substitutions,
                         int highlighted_row = 0);
    SDL_Rect board_row(int row);  // in the window
    Picture image(const std::string& prefs_key);
    Picture picture(const std::string& file);  // in the folder; empty when it cannot be loaded
    // Whether screen shows the picture centred on the board (paused, game over).
    bool shows_centred(const Picture& screen, const Picture& picture);
    // Presses keys until the game-over picture shows, at most tries times, wait_ms apart (the
    // last 10 s: a full well may end the game only on the fall clock); whether it showed.
    bool press_until_over(const std::string& keys, int tries, int wait_ms);

    // Covers the window with another client's magenta window, takes it away, and waits until
    // the game shows what it showed before (a few attempts: a gravity step spoils one).
    bool repaints_whole_window();
    bool exits_cleanly();  // with status 0
    // Whether the game's "prefs.txt" comes to hold value for key.
    bool saved(const std::string& key, const std::string& value);
    // Whether the game runs on the compatibility layer over SDL 2, whose library is version
    // 1.2.50 and up (the classic one's file is .so.0.11).
    bool on_compatibility_layer();
    // With env E2E_SCREENSHOTS naming a folder, saves the window there as name.png.
    void save_screenshot(const std::string& name);
};

// Whether a and b agree inside rect (the whole pictures when rect is empty) on all but one pixel
// in a hundred, each channel within a rounding step of blending. The slack is for translucent
// pixels that a partial repaint blends a second time.
bool alike(const Picture& a, const Picture& b, SDL_Rect rect = SDL_Rect{0, 0, 0, 0});
