#include "app/startup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/test_support.h"

TEST(Startup, EachFailureToStartSaysWhyAndEndsWithStatusOne) {
    std::string dir = make_scratch_dir("no_prefs");
    const struct {
        const char* environment;
        std::string output;  // the game's own words; SDL's reason, when it gives one, follows
        int lines;
    } cases[] = {
        {"",
         "couldn't load prefs file\nlooked for \"prefs.txt\" in " + dir +
             "; start the game in the folder that holds it, e.g. cd build/run && "
             "./derevarez\n",
         2},
        {"SDL_VIDEODRIVER=nosuch", "Unable to initialize SDL: ", 1},
        // Without a display SDL falls back to a driver that shows no window (the terminal, or
        // nowhere, as each SDL 1.2 library has it), unless asked to.
        {"env -u SDL_VIDEODRIVER -u DISPLAY -u WAYLAND_DISPLAY",
         "no graphical display: SDL found only its ", 2},
    };
    for (const auto& c : cases) {
        std::string command = std::string(c.environment) + " '" + GAME_BINARY + "' < /dev/null";
        CommandResult result = run_command(dir, command);
        EXPECT_EQ(result.output.rfind(c.output, 0), 0u) << c.environment << ": " << result.output;
        EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), c.lines)
            << c.environment;
        EXPECT_EQ(result.status, 1) << c.environment;
    }
}
