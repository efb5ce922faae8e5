// The real program, started in a copy of the run folder from which one file it names is
// missing, or whose "prefs.txt" is malformed: each gives its message and exit status, or for
// what the game can do without, the game goes on (and then ends normally when asked to).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

struct MissingCase {
    const char* file;      // relative to the run folder
    std::string expected;  // what the program prints
    int status;
};

// The message of a game picture that cannot be loaded.
std::string picture_gone(const char* what, const char* key, const char* file) {
    return std::string("couldn't load \"") + what + "\", gotta go!\nthe file \"" + file +
           "\", named by \"" + key + "\" in prefs.txt: Couldn't open " + file + "\n";
}

// A copy of the shipped run folder (program, data, fonts) with the shipped preferences.
std::string copy_run_folder(const std::string& name) {
    std::string folder = make_scratch_dir(name);
    fs::copy(std::getenv("TEST_RUN_DIR"), folder, fs::copy_options::recursive);
    fs::copy_file(std::string(std::getenv("TEST_SOURCE_DIR")) + "/data/prefs.txt",
                  folder + "/prefs.txt", fs::copy_options::overwrite_existing);
    return folder;
}

// Runs the game; a game that goes on waiting for the player is asked to end after a few
// seconds (SIGTERM, which SDL turns into a close request), so what it printed can be read.
CommandResult run_game(const std::string& folder) {
    return run_command(folder, "timeout --preserve-status -s TERM -k 20 5 ./derevarez");
}

}  // namespace

TEST(MissingFiles, EachFileTheGameNamesGivesItsMessageOrTheGameGoesOn) {
    const std::vector<MissingCase> cases = {
        {"menus/main_menu.txt", "couldn't load menu file: menus/main_menu.txt\n", 1},
        {"images/menu_background.png",
         "couldn't load menu background: images/menu_background.png\n", 1},
        {"images/background.png",
         picture_gone("background image", "background_img", "images/background.png"), 1},
        {"images/digits_large.png",
         picture_gone("level font", "level_font", "images/digits_large.png"), 1},
        {"images/digits_small.png",
         picture_gone("small number font", "small_num_font", "images/digits_small.png"), 1},
        {"images/game_over.png",
         picture_gone("game over image", "game_over_img", "images/game_over.png"), 1},
        {"images/paused.png", picture_gone("paused image", "paused_img", "images/paused.png"), 1},
        {"images/blocks.png", picture_gone("blocks image", "blocks_img", "images/blocks.png"), 1},
        // A menu image or font that is missing only leaves its buttons without a picture.
        {"images/title.png", "couldn't load menu image title: images/title.png\n", 0},
        {"DejaVuSans-Bold.ttf", "", 0},
        // Without pieces the menus work; only "play" is refused, with its own message.
        {"pieces.dat", "couldn't read pieces file: pieces.dat\n", 0},
    };
    for (const MissingCase& c : cases) {
        std::string folder = copy_run_folder("missing");
        ASSERT_TRUE(fs::remove(folder + "/" + c.file)) << c.file << " is not shipped";
        CommandResult result = run_game(folder);
        EXPECT_EQ(result.output, c.expected) << c.file;
        EXPECT_EQ(result.status, c.status) << c.file;
    }
}

TEST(MissingFiles, WithEverythingInPlaceTheGameStartsAndEndsQuietly) {
    CommandResult result = run_game(copy_run_folder("complete"));
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(result.status, 0);
}

namespace {

struct PrefsCase {
    const char* what;
    std::string prefs;  // the whole "prefs.txt", or what replaces one line of the shipped one
    const char* expected;
    int status;
};

// The shipped "prefs.txt" with the line of key replaced by line.
std::string shipped_prefs_with(const std::string& key, const std::string& line) {
    std::string text = read_file(std::string(std::getenv("TEST_SOURCE_DIR")) + "/data/prefs.txt");
    size_t start = text.find(key + ":");
    return text.substr(0, start) + line + text.substr(text.find('\n', start));
}

}  // namespace

TEST(MalformedPrefs, ShellSettingsGiveTheirMessageAndStatus) {
    const std::vector<PrefsCase> cases = {
        {"empty file", "", "couldn't make a window: Invalid width or height\n", 1},
        {"binary bytes", std::string("\x7f\x00\xff:\x01\n\x80\x81", 8),
         "couldn't make a window: Invalid width or height\n", 1},
        {"width of words", shipped_prefs_with("window_w", "window_w: wide"),
         "couldn't make a window: Invalid width or height\n", 1},
        {"negative height", shipped_prefs_with("window_h", "window_h: -600"),
         "couldn't make a window: Invalid width or height\n", 1},
        {"no colon", shipped_prefs_with("main_menu", "main_menu menus/main_menu.txt"),
         "couldn't load menu file: \n", 1},
        // A file saved on another system: the carriage returns are not part of the values.
        {"CR LF line ending", shipped_prefs_with("main_menu", "main_menu: menus/main_menu.txt\r"),
         "", 0},
    };
    for (const PrefsCase& c : cases) {
        std::string folder = copy_run_folder("malformed_prefs");
        write_file(folder + "/prefs.txt", c.prefs);
        CommandResult result = run_game(folder);
        EXPECT_EQ(result.output, c.expected) << c.what;
        EXPECT_EQ(result.status, c.status) << c.what;
    }
}
