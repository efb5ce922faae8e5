#include "app/startup.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

TEST(Startup, WithoutPrefsFileReportsAndExitsWithStatusOne) {
    std::string dir = make_scratch_dir("no_prefs");
    CommandResult result = run_command(dir, std::string("'") + GAME_BINARY + "'");
    EXPECT_EQ(result.output, "couldn't load prefs file\n");
    EXPECT_EQ(result.status, 1);
}

// The window's size and both captions: Start in tests/e2e/start_and_quit_test.cpp, on a real
// X server.
