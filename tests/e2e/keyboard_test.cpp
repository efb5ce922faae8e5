// A player without a mouse: the menus and the preferences screen by keyboard alone, a key
// rebound there, a game started and left, full screen switched on and off and kept.
#include <gtest/gtest.h>

#include "tests/e2e/session.h"
#include "tests/support/test_support.h"

namespace {

// The sizes of the X server's screen and of each window shown at its top level:
// "1280x1024 800x600 ".
std::string screen_and_windows(GameSession& session) {
    return session.shell(
        "xdotool search --onlyvisible --maxdepth 1 --name '' getwindowgeometry %@ "
        "| awk '/Geometry:/ {printf \"%s \", $2}'");
}

}  // namespace

TEST(Keyboard, MenusPreferencesAGameAndFullScreenWithoutAMouse) {
    GameSession session;
    ASSERT_TRUE(session.start());
    // Play, Ways to play, Best games, Replays, Preferences: the first press lights Play.
    // There, the first row is Pause: chosen, it takes the next key.
    session.press("down down down down down return down return j");
    EXPECT_TRUE(session.saved("pause_key", "j"));

    // Back to the main menu, where Preferences is still lit: up past Replays to Best games and
    // back, up past Ways to play to Play.
    session.press("escape up up return escape up up return");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return !alike(s, session.menu); }));
    std::string window =
        session.prefs.get_string("window_w") + "x" + session.prefs.get_string("window_h");
    std::string windowed = screen_and_windows(session);
    std::string screen = windowed.substr(0, windowed.find(' '));
    EXPECT_EQ(windowed, screen + " " + window + " ");
    session.press("f11");
    EXPECT_TRUE(session.saved("fullscreen", "true"));
    // The classic SDL shows the game in a window as large as the screen, over the game's own.
    // The compatibility layer over SDL 2 asks the window manager instead, and Xvfb runs none.
    EXPECT_EQ(screen_and_windows(session), session.on_compatibility_layer()
                                               ? windowed
                                               : screen + " " + window + " " + screen + " ");
    session.press("f11");
    EXPECT_TRUE(session.saved("fullscreen", "false"));
    EXPECT_EQ(screen_and_windows(session), windowed);

    // Escape leaves the game; from Play, the sixth button down is Quit.
    session.press("escape down down down down down return");
    EXPECT_TRUE(session.exits_cleanly());
}
