#include "app/startup.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

TEST(Startup, WithoutPrefsFileReportsAndExitsWithStatusOne) {
    std::string dir = make_scratch_dir("no_prefs");
    CommandResult result = run_command(dir, std::string("'") + GAME_BINARY + "'");
    EXPECT_EQ(result.output, "couldn't load prefs file\n");
    EXPECT_EQ(result.status, 1);
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
