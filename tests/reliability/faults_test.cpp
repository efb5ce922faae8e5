// The whole program with the shipped data, one file missing, malformed or unwritable, or the
// window closed on some screen: each row gives its exact messages, and either the game goes on
// (until the window is closed: status 0) or it ends with status 1. The program runs in a child
// under the dummy video driver; the player's keys are events put into SDL's queue.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <regex>
#include <sstream>
#include <thread>

#include "app/startup.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

const std::string missing = "<missing>";  // the row removes the file
const std::string disk_full = "<full>";   // every file the program writes stops at 64 bytes

struct Row {
    std::string file;      // relative to the run folder; "" changes nothing
    std::string contents;  // what it holds instead, or missing or disk_full
    std::string steps;     // the player's input before closing the window: keys, see play()
    std::string expected;  // everything the program prints: with "ended" it ends with status 0,
                           // without it with status 1
};

// Held while an event is pushed, and taken for good when the program exits, before SDL's own
// exit handler takes the queue away under a push.
std::mutex& pushing = *new std::mutex;

void push(SDL_Event event) {
    for (;; SDL_Delay(1)) {
        std::lock_guard<std::mutex> hold(pushing);
        if (SDL_PushEvent(&event) == 0) {
            return;
        }
    }
}

// Presses and lets go of the key SDL names name ("down", "return", "space").
void press(const std::string& name) {
    SDL_Event event{};
    for (int key = SDLK_FIRST; key < SDLK_LAST; key++) {
        if (name == SDL_GetKeyName(SDLKey(key))) {
            event.key.keysym.sym = SDLKey(key);
        }
    }
    event.type = SDL_KEYDOWN;
    push(event);
    event.type = SDL_KEYUP;
    push(event);
}

bool key_repeat_on() {
    int delay = 0, interval = 0;
    SDL_GetKeyRepeat(&delay, &interval);
    return delay != 0;
}

// The player, once the window is open: each word is a key pressed and let go, but "over" drops
// pieces until the game-over picture waits (a game switches key repeat on, and off at that
// picture). Then the window is closed, again every 100 ms: a request that comes while the
// game-over picture empties the queue is lost.
void play(const std::string& steps) {
    while (SDL_GetVideoSurface() == nullptr) {
        SDL_Delay(5);
    }
    std::atexit([] { pushing.lock(); });
    std::istringstream words(steps);
    for (std::string word; words >> word;) {
        if (word != "over") {
            press(word);
            continue;
        }
        while (!key_repeat_on()) {
            SDL_Delay(5);
        }
        for (int drop = 0; drop < 60; drop++) {  // long before sixty the well is full
            press("space");
        }
        while (key_repeat_on()) {
            SDL_Delay(5);
        }
    }
    for (SDL_Event quit{SDL_QUIT};; SDL_Delay(100)) {
        push(quit);
    }
}

// The shipped "prefs.txt" without its pad bindings: starting the pads empties SDL's queue,
// which would lose the player's first keys.
std::string shipped_prefs() {
    std::string text = read_file(std::string(std::getenv("TEST_SOURCE_DIR")) + "/data/prefs.txt");
    return std::regex_replace(text, std::regex(".*_pad:.*\n"), "");
}

// Runs the program in a copy of the run folder changed as row says. "ended" tells that it went
// on until the window was closed and ended with status 0, "ended in a game" that a game was
// running then.
CommandResult run(const Row& row, int number) {
    std::string run_folder = make_scratch_dir("row" + std::to_string(number));
    fs::copy(std::getenv("TEST_RUN_DIR"), run_folder, fs::copy_options::recursive);
    write_file(run_folder + "/prefs.txt", shipped_prefs());
    std::string path = run_folder + "/" + row.file;
    if (row.contents == missing) {
        EXPECT_TRUE(fs::remove(path)) << row.file << " is not shipped";
    } else if (!row.file.empty()) {
        write_file(path, row.contents);
    }
    CommandResult result = run_in_child([&] {
        // SDL turns the usual signals into close requests, which a hung screen ignores too.
        std::thread([] {
            SDL_Delay(30000);
            std::printf("still running after 30 s\n");
            std::fflush(stdout);
            _exit(2);
        }).detach();
        if (chdir(run_folder.c_str()) != 0) {
            std::printf("cannot enter %s: %s\n", run_folder.c_str(), std::strerror(errno));
            return;
        }
        if (row.contents == disk_full) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{64, 64};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::thread(play, row.steps).detach();
        int status = run_program();
        if (status == 0) {
            std::printf("ended%s\n", key_repeat_on() ? " in a game" : "");
        }
        std::fflush(stdout);
        _exit(status);
    });
    if (row.expected.find("couldn't save") != std::string::npos) {
        EXPECT_EQ(read_file(run_folder + "/prefs.txt"), shipped_prefs()) << "not kept whole";
    }
    return result;
}

// The shipped "prefs.txt" with the value of key replaced.
std::string prefs_with_value(const std::string& key, const std::string& value) {
    std::regex line("(^|\n)" + key + ":.*");
    return std::regex_replace(shipped_prefs(), line, "$1" + key + ": " + value);
}

// A bar of four lying flat, as a line of the pieces file; byte 4 is its tile, bytes 6 to 13 the
// offsets of its blocks.
const std::string bar("\x01\x01\x01\x00\x01\x00\x01\x01\x01\x02\x01\x03\x01", 13);
std::string bar_with(size_t index, char value) {
    std::string line = bar;
    line[index] = value;
    return line + "\n";
}

const std::string in_game = "ended in a game\n";
// The first press lights Play; Preferences is fifth; its first row is Pause.
const std::string start_game = "down return ";
const std::string prefs = "down down down down down return ";
const std::string pause_key = "down return ";

// Built when the test runs: the shipped files are found through its environment.
std::vector<Row> all_rows() {
    return {
        // The window closed while paused, at the game-over picture and at the prompt for a key;
        // other rows close it on the main menu, in a game and on the preferences screen.
        {"", "", start_game + "p", in_game},
        {"", "", start_game + "over", "ended\n"},
        {"", "", prefs + pause_key, "ended\n"},
        // Missing files: what the game cannot do without ends it; a menu picture, a font or the
        // pieces only take their part away.
        {"menus/main_menu.txt", missing, "", "couldn't load menu file: menus/main_menu.txt\n"},
        {"images/menu_background.png", missing, "",
         "couldn't load menu background: images/menu_background.png\n"},
        {"images/blocks.png", missing, start_game,
         "couldn't load \"blocks image\", gotta go!\nthe file \"images/blocks.png\", named by "
         "\"blocks_img\" in prefs.txt: Couldn't open images/blocks.png\n"},
        {"images/title.png", missing, "",
         "couldn't load menu image title: images/title.png\nended\n"},
        {"DejaVuSans-Bold.ttf", missing, start_game, in_game},
        {"pieces.dat", missing, start_game,
         "couldn't read pieces file: pieces.dat\ncan't start a game: the pieces file "
         "\"pieces.dat\" has no piece to play with\nended\n"},
        // A malformed "prefs.txt".
        {"prefs.txt", std::string("\x7f\x00\xff:\x01\n\x80\x81", 8), "",
         "couldn't make a window: its size, \"window_w\" by \"window_h\" in prefs.txt, is 0 by 0 "
         "pixels\n"},
        {"prefs.txt", prefs_with_value("points_w", "-5"), start_game,
         "couldn't load \"points box\", gotta go!\n"},
        {"prefs.txt", prefs_with_value("lines_w", "99999999999999999999"), start_game,
         "couldn't load \"lines box\", gotta go!\n"},
        {"prefs.txt", prefs_with_value("points_w", "-1"), start_game,
         in_game},  // the screen's width
        {"prefs.txt", prefs_with_value("next_piece_x", "70000"), start_game, in_game},
        {"prefs.txt", prefs_with_value("points_h", "none"), start_game, in_game},  // an empty box
        {"prefs.txt", prefs_with_value("board_x", "99999"), start_game,
         "can't build a board of 10 by 20 cells of 26 pixels at (99999, 40): check "
         "\"board_width\", \"board_height\", \"block_size\", \"board_x\" and \"board_y\"\n"},
        // A save that fails leaves prefs.txt whole, and the game goes on.
        {"", disk_full, prefs + pause_key + "k",
         "couldn't save preferences to: prefs.txt\nreason: File too large\nended\n"},
        // A malformed pieces file: each bad line is skipped with its reason.
        {"pieces.dat",
         "abc\n" + bar_with(3, 7) + bar_with(3, '\xff') + bar_with(8, 4) + bar_with(5, '\x80') +
             bar + "\r\n",
         start_game,
         "pieces.dat:1: skipped a piece: shorter than 13 bytes\n"
         "pieces.dat:2: skipped a piece: its tile (byte 4) is not 0 to 6\n"
         "pieces.dat:3: skipped a piece: its tile (byte 4) is not 0 to 6\n"
         "pieces.dat:4: skipped a piece: a block offset (bytes 6 to 13) is not 0 to 3\n"
         "pieces.dat:5: skipped a piece: a block offset (bytes 6 to 13) is not 0 to 3\n" +
             in_game},
    };
}

}  // namespace

TEST(Faults, EachGivesItsMessagesAndTheGameGoesOnOrEndsWithStatusOne) {
    std::vector<Row> rows = all_rows();
    for (size_t i = 0; i < rows.size(); i++) {
        CommandResult result = run(rows[i], int(i));
        EXPECT_EQ(result.output, rows[i].expected) << "row " << i << ": " << rows[i].file;
        int status = rows[i].expected.find("ended") == std::string::npos ? 1 : 0;
        EXPECT_EQ(result.status, status) << "row " << i << ": " << rows[i].file;
    }
}
