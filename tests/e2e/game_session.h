// One player's session with the real program: a private X server, a copy of the run folder
// with the shipped "prefs.txt", the game started there, and the player's mouse and keyboard.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "config/config_store.h"
#include "tests/e2e/picture.h"
#include "tests/e2e/process.h"
#include "tests/e2e/shipped_data.h"
#include "tests/e2e/x_client.h"
#include "tests/e2e/x_server.h"

class GameSession {
public:
    std::string folder;         // the game's working folder, removed at the end
    std::string shipped_prefs;  // "prefs.txt" as shipped, byte for byte
    ConfigStore prefs;          // the same, as the game reads it
    std::unique_ptr<XServer> x_server;
    std::unique_ptr<XClient> x;
    ChildProcess game;
    XWindowId window = 0;
    Spot pointer{-1000, -1000};  // where the pointer is, in window coordinates
    std::string problem;         // why start() failed

    // Copies the run folder (env TEST_RUN_DIR) to a fresh temporary folder and puts the
    // shipped "prefs.txt" (env TEST_SOURCE_DIR/data) into it, so a player's own bindings in
    // the run folder do not change what the tests expect.
    GameSession();
    // Ends the game and the X server; removes the folder unless the test failed (then its
    // path is printed; it holds the game's output and a picture of the window at the end).
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // Starts an X server big enough for the window, parks the pointer outside the window's
    // area, starts the game in folder and waits for its window "DERevarez". With
    // expect_window false it only starts the game. False with problem set on failure.
    bool start(bool expect_window = true);

    // The window's pixels now (empty when it is gone).
    Picture screen();

    // Takes screenshots until condition holds for one (true) or timeout_ms has passed
    // (false). The last screenshot is left in last when given.
    bool wait_for(const std::function<bool(const Picture&)>& condition, int timeout_ms,
                  Picture* last = nullptr);

    // Pointer moves and clicks, in window coordinates, through the XTest extension.
    void point_at(int x, int y);
    // Clicks the middle of the first button of menu that answers word. False when there is
    // no such button.
    bool click_button(const ShippedMenu& menu, const std::string& word);

    // Presses and releases the key SDL calls sdl_name; count times in a row.
    void press(const std::string& sdl_name, int count = 1);
    // Presses the key "prefs.txt" binds to action ("drop_key", ...), count times.
    void press_action(const std::string& action, int count = 1);

    // Waits until the window shows menu as its compositor draws it, with the buttons under
    // the pointer lit. False with problem saying what differs when it does not.
    bool wait_for_menu(const ShippedMenu& menu);

    // "" while the game runs; otherwise how it ended, for failure messages.
    std::string game_state();

    // What the game printed on standard output so far.
    std::string output();

    // Keeps picture as name.png in folder, for finding out why a test failed (the folder is
    // kept then).
    void keep(const Picture& picture, const std::string& name);

    // With env E2E_SCREENSHOTS naming a folder, saves the window there as name.png.
    void save_screenshot(const std::string& name);
};

// A session at the main menu, where most scenarios begin.
class MainMenuScenario : public ::testing::Test {
protected:
    GameSession session;
    ShippedMenu menu{session.folder, session.prefs.get_string("main_menu"), nullptr};

    // Starts the game and waits for the main menu; the test stops when it does not appear.
    void SetUp() override;
    // Waits for the game to end: status 0, and "prefs.txt" left as shipped.
    void expect_clean_exit();
};
