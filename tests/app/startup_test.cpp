#include "app/startup.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

TEST(Startup, EachFailureToStartSaysWhyAndEndsWithStatusOne) {
    std::string dir = make_scratch_dir("no_prefs");
    const struct {
        const char* environment;
        std::string output;
    } cases[] = {
        {"", "couldn't load prefs file\nlooked for \"prefs.txt\" in " + dir +
                 "; start the game in the folder that holds it, e.g. cd build/run && "
                 "./derevarez\n"},
        {"SDL_VIDEODRIVER=nosuch", "Unable to initialize SDL: No available video device\n"},
        // Without a display SDL falls back to drawing in the terminal, unless asked to.
        {"env -u SDL_VIDEODRIVER -u DISPLAY",
         "no graphical display: SDL found only its text-mode video driver \"caca\"\nstart the "
         "game on a graphical desktop, or name a video driver in SDL_VIDEODRIVER\n"},
    };
    for (const auto& c : cases) {
        std::string command = std::string(c.environment) + " '" + GAME_BINARY + "' < /dev/null";
        CommandResult result = run_command(dir, command);
        EXPECT_EQ(result.output, c.output) << c.environment;
        EXPECT_EQ(result.status, 1) << c.environment;
    }
}
