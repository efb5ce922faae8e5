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

// Also checked on a real X server by the end-to-end Start test; this one needs no X server.
TEST(Startup, OpensTheConfiguredWindowWithBothCaptions) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ConfigStore prefs;
    prefs.get_string("window_w") = "320";
    prefs.get_string("window_h") = "200";
    prefs.get_string("window_icon") = "no_such_icon.png";  // the window opens without it
    SDL_Surface* screen = open_window(prefs);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->w, 320);
    EXPECT_EQ(screen->h, 200);
    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    EXPECT_STREQ(title, "DERevarez");
    EXPECT_STREQ(icon, "Kelvra");
    SDL_Quit();
}
