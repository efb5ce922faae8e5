// The whole program with the shipped data, one file missing, malformed or unwritable, or the
// window closed on some screen: each row gives its exact messages, and either the game goes on
// (until the window is closed: status 0) or it ends with status 1. The program runs in a child
// under the dummy video driver; the player's clicks and keys are events put into SDL's queue.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <regex>
#include <sstream>
#include <thread>

#include "app/startup.h"
#include "config/config_store.h"
#include "menu/menu.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

const std::string missing = "<missing>";  // the row removes the file
const std::string folder = "<folder>";    // the row puts a folder in its place
const std::string disk_full = "<full>";   // every file the program writes stops at 64 bytes

struct Row {
    std::string file;      // relative to the run folder; "" changes nothing
    std::string contents;  // what it holds instead, or missing, folder or disk_full
    std::string steps;     // the player's input before closing the window, see play()
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

void push_key(SDLKey key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    push(event);
    event.type = SDL_KEYUP;
    push(event);
}

void push_mouse(Uint8 type, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = Uint16(x);
    event.button.y = Uint16(y);
    push(event);
}

// A click in the middle of the button that answers word in one of the menus prefs names.
void click(const ConfigStore& prefs, const std::string& word) {
    for (const char* menu_key : {"main_menu", "prefs_menu"}) {
        ConfigStore menu;
        menu.load(prefs.values.at(menu_key).c_str());
        for (int i = 1; i <= menu.get_int("num_buttons"); i++) {
            std::string prefix = "button" + int_to_text(i);
            if (menu.get_string(prefix + "_return") == word) {
                SDL_Rect r = parse_rect(menu.get_string(prefix + "_rect"));
                push_mouse(SDL_MOUSEBUTTONDOWN, menu.get_int(prefix + "_x") + r.x + r.w / 2,
                           menu.get_int(prefix + "_y") + r.y + r.h / 2);
                return;
            }
        }
    }
    std::printf("no button answers %s\n", word.c_str());
}

bool key_repeat_on() {
    int delay = 0, interval = 0;
    SDL_GetKeyRepeat(&delay, &interval);
    return delay != 0;
}

// The player, once the window is open: a word clicks the button answering it, a letter is a key,
// "hover" moves the mouse over the menu, "over" drops pieces until the game-over picture waits
// (a game switches key repeat on, and off at that picture). Then the window is closed, again
// every 100 ms: a request that comes while the game-over picture empties the queue is lost.
void play(const std::string& steps) {
    while (SDL_GetVideoSurface() == nullptr) {
        SDL_Delay(5);
    }
    std::atexit([] { pushing.lock(); });
    ConfigStore prefs;
    prefs.load("prefs.txt");
    std::istringstream words(steps);
    for (std::string word; words >> word;) {
        if (word.size() == 1) {
            push_key(SDLKey(word[0]));
        } else if (word == "hover") {
            for (int xy : {0, 5, 100, 199}) {
                push_mouse(SDL_MOUSEMOTION, xy, xy);
            }
        } else if (word == "over") {
            while (!key_repeat_on()) {
                SDL_Delay(5);
            }
            for (int drop = 0; drop < 60; drop++) {  // long before sixty the well is full
                push_key(SDLK_SPACE);
            }
            while (key_repeat_on()) {
                SDL_Delay(5);
            }
        } else {
            click(prefs, word);
        }
    }
    for (SDL_Event quit{SDL_QUIT};; SDL_Delay(100)) {
        push(quit);
    }
}

// The shipped "prefs.txt" without its pad bindings: starting the pads empties SDL's queue,
// which would lose the player's first clicks.
std::string shipped_prefs() {
    std::istringstream lines(
        read_file(std::string(std::getenv("TEST_SOURCE_DIR")) + "/data/prefs.txt"));
    std::string text;
    for (std::string line; std::getline(lines, line);) {
        if (line.find("_pad:") == std::string::npos) {
            text += line + "\n";
        }
    }
    return text;
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
    } else if (row.contents == folder) {
        fs::create_directory(path);
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

// The shipped "prefs.txt" with every match of pattern replaced.
std::string prefs_with(const std::string& pattern, const std::string& replacement) {
    return std::regex_replace(shipped_prefs(), std::regex(pattern), replacement);
}
std::string prefs_with_value(const std::string& key, const std::string& value) {
    return prefs_with("(^|\n)" + key + ":.*", "$1" + key + ": " + value);
}

// The message of a game picture or box that cannot be made.
std::string gone(const std::string& what) {
    return "couldn't load \"" + what + "\", gotta go!\n";
}
std::string gone(const std::string& what, const std::string& key, const std::string& file) {
    return gone(what) + "the file \"" + file + "\", named by \"" + key +
           "\" in prefs.txt: Couldn't open " + file + "\n";
}

// A bar of four lying flat, as a line of the pieces file; byte 4 is its tile, bytes 6 to 13 the
// offsets of its blocks.
const std::string bar("\x01\x01\x01\x00\x01\x00\x01\x01\x01\x02\x01\x03\x01", 13);
std::string bar_with(size_t index, char value) {
    std::string line = bar;
    line[index] = value;
    return line + "\n";
}

const std::string no_window = "couldn't make a window: Invalid width or height\n";
std::string bad_board(const std::string& board) {
    return "can't build a board of " + board +
           ": check \"board_width\", \"board_height\", \"block_size\", \"board_x\" and "
           "\"board_y\"\n";
}
const std::string short_line = "pieces.dat:1: skipped a piece: shorter than 13 bytes\n";
const std::string bad_tile = "pieces.dat:1: skipped a piece: its tile (byte 4) is not 0 to 6\n";
const std::string bad_offset =
    "pieces.dat:1: skipped a piece: a block offset (bytes 6 to 13) is not 0 to 3\n";
const std::string no_pieces =
    "can't start a game: the pieces file \"pieces.dat\" has no piece to play with\nended\n";
const std::string too_many = " is 2147483647, more than 1000: only the first 1000 are read\n";
const std::string menu_head = "background: images/menu_background.png\n";
const std::string in_game = "ended in a game\n";

// Built when the test runs: the shipped files are found through its environment.
std::vector<Row> all_rows() {
    return {
        // The window closed on every screen.
        {"", "", "", "ended\n"},
        {"", "", "play", in_game},
        {"", "", "play p", in_game},
        {"", "", "play over", "ended\n"},
        {"", "", "prefs", "ended\n"},
        {"", "", "prefs pause_key", "ended\n"},
        // Missing files: what the game cannot do without ends it; a menu picture, a font or the
        // pieces only take their part away.
        {"menus/main_menu.txt", missing, "", "couldn't load menu file: menus/main_menu.txt\n"},
        {"images/menu_background.png", missing, "",
         "couldn't load menu background: images/menu_background.png\n"},
        {"images/blocks.png", missing, "play",
         gone("blocks image", "blocks_img", "images/blocks.png")},
        {"images/title.png", missing, "",
         "couldn't load menu image title: images/title.png\nended\n"},
        {"DejaVuSans-Bold.ttf", missing, "play", in_game},
        {"pieces.dat", missing, "play", "couldn't read pieces file: pieces.dat\n" + no_pieces},
        // A malformed "prefs.txt".
        {"prefs.txt", "", "", no_window},
        {"prefs.txt", std::string("\x7f\x00\xff:\x01\n\x80\x81", 8), "", no_window},
        {"prefs.txt", prefs_with_value("window_w", "wide"), "", no_window},
        {"prefs.txt", prefs_with_value("points_w", "-5"), "play", gone("points box")},
        {"prefs.txt", prefs_with_value("level_w", "20000"), "play", gone("level box")},
        {"prefs.txt", prefs_with_value("lines_w", "99999999999999999999"), "play",
         gone("lines box")},
        {"prefs.txt", prefs_with_value("points_w", "-1"), "play", in_game},  // the screen's width
        {"prefs.txt", prefs_with_value("next_piece_x", "70000"), "play", in_game},
        {"prefs.txt", prefs_with_value("points_h", "none"), "play", in_game},  // an empty box
        {"prefs.txt", prefs_with_value("board_x", "99999"), "play",
         bad_board("10 by 20 cells of 26 pixels at (99999, 40)")},
        {"prefs.txt", prefs_with_value("level_font", "\x01\xff.bmp"), "play",
         gone("level font", "level_font", "\x01\xff.bmp")},
        {"prefs.txt", prefs_with("main_menu:", "main_menu"), "", "couldn't load menu file: \n"},
        {"prefs.txt", prefs_with("\n", "\r\n"), "play", in_game},
        // A save that fails leaves prefs.txt whole, and the game goes on.
        {"prefs.txt.saving", folder, "prefs pause_key k",
         "couldn't save preferences to: prefs.txt\nreason: File exists\nended\n"},
        {"", disk_full, "prefs pause_key k",
         "couldn't save preferences to: prefs.txt\nreason: File too large\nended\n"},
        // A malformed pieces file: each bad line is skipped with its reason.
        {"pieces.dat", "abc\n" + bar + "\n", "play", short_line + in_game},
        {"pieces.dat", bar_with(3, 7), "play", bad_tile + no_pieces},
        {"pieces.dat", bar_with(8, 4), "play", bad_offset + no_pieces},
        {"pieces.dat", bar_with(5, '\x80'), "play", bad_offset + no_pieces},
        {"pieces.dat", bar + "\r\n" + bar + "\r\n", "play", in_game},
        // Any flag byte other than 0 sets its flag; a far centre is only a far centre.
        {"pieces.dat", bar_with(0, '\x80').replace(2, 1, "\xff").replace(4, 1, "\x80"), "play",
         in_game},
        {"pieces.dat", std::string("\0\xff\x80\x7f\x01\n", 6) + std::string(40, '\xff') + "\n",
         "play",
         short_line + "pieces.dat:2: skipped a piece: its tile (byte 4) is not 0 to 6\n" +
             no_pieces},
        // A malformed main menu.
        {"menus/main_menu.txt", menu_head + "num_buttons: many\nbutton1_x: 5\n", "", "ended\n"},
        {"menus/main_menu.txt", menu_head + "num_buttons: -4\nnum_surfs: -1\nnum_fonts: -2\n", "",
         "ended\n"},
        {"menus/main_menu.txt", menu_head + "num_buttons: 2147483647\n", "",
         "menu \"num_buttons\"" + too_many + "ended\n"},
        {"menus/main_menu.txt",
         menu_head + "num_buttons: 1\nbutton1_surf: s\nbutton1_surf_over: t\nbutton1_x: "
                     "99999999999\nnum_surfs: 2\n"
                     "surf1_name: s\nsurf1_path: images/title.png\nsurf2_name: t\n"
                     "surf2_path: images/button.png\n",
         "hover", "ended\n"},
        {"menus/main_menu.txt",
         menu_head + "num_buttons: 1\nbutton1_rect: -5,-6,-7,-8\nbutton1_y: 70000\n", "hover",
         "ended\n"},
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
