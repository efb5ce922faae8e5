#include "tests/e2e/session.h"

#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "app/scores_screens.h"
#include "menu/menu.h"
#include "tests/support/test_support.h"

namespace fs = std::filesystem;

namespace {

const int window_timeout_ms = 15000;

// Equal but for a rounding step of blending, channel by channel.
bool close_colour(Uint32 a, Uint32 b) {
    for (int shift = 0; shift <= 16; shift += 8) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 3) {
            return false;
        }
    }
    return true;
}

// The game's own Menu converts its images to the display format: a small window under SDL's
// dummy driver, opened once in the test process, gives the X server's 32-bit format.
void open_conversion_window() {
    if (SDL_GetVideoSurface() == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_Init(SDL_INIT_VIDEO);
        SDL_SetVideoMode(16, 16, 32, SDL_SWSURFACE);
    }
}

// The game's own Menu of the menu file, built in folder (its files are named relative to it).
std::unique_ptr<Menu> load_menu(const std::string& folder, const std::string& file,
                                ConfigStore* substitutions) {
    open_conversion_window();
    std::string previous = fs::current_path().string();
    fs::current_path(folder);
    auto menu = std::make_unique<Menu>(file.c_str(), substitutions);
    fs::current_path(previous);
    return menu;
}

// X keysyms of the SDL key names the tests press: a letter and "space" are their own, the
// others ("return", "up", "escape") are capitalised.
std::string x_keysym(std::string sdl_name) {
    if (sdl_name.size() > 1 && sdl_name != "space") {
        sdl_name[0] = char(std::toupper(sdl_name[0]));
    }
    return sdl_name;
}

}  // namespace

GameSession::GameSession() {
    folder = make_scratch_dir("game");
    fs::copy(std::getenv("TEST_RUN_DIR"), folder, fs::copy_options::recursive);
    shipped_prefs = read_file(std::string(std::getenv("TEST_SOURCE_DIR")) + "/data/prefs.txt");
    write_file(folder + "/prefs.txt", shipped_prefs);
    prefs.load((folder + "/prefs.txt").c_str());
}

GameSession::~GameSession() {
    bool failed = ::testing::Test::HasFailure();
    if (failed && window != 0 && !screen().empty()) {
        save_png(screen(), folder + "/at_failure.png");
    }
    game.stop(SIGKILL, 2000);
    if (failed) {
        std::printf("the game's folder is kept: %s\n", folder.c_str());
    } else {
        fs::remove_all(folder);
    }
}

bool GameSession::start() {
    int screen_w = std::max(1024, prefs.get_int("window_w") + 100);
    int screen_h = std::max(768, prefs.get_int("window_h") + 100);
    x_server = std::make_unique<XServer>(screen_w, screen_h);
    if (x_server->display.empty()) {
        return false;
    }
    x = std::make_unique<XClient>(x_server->display);
    if (x->display == nullptr) {
        return false;
    }
    run_tool({"xdotool", "mousemove", std::to_string(screen_w - 1), std::to_string(screen_h - 1)},
             x_server->display);
    if (!game.start({"./derevarez"}, folder,
                    {"DISPLAY=" + x_server->display, "SDL_VIDEODRIVER=x11"},
                    folder + "/output.txt")) {
        return false;
    }
    window = x->find_window("DERevarez", window_timeout_ms);
    // Without a window manager the focus would follow the pointer, and a stray focus change
    // would pause the game.
    x->focus(window);
    return window != 0;
}

Picture GameSession::screen() {
    return x->grab(window);
}

bool GameSession::wait_for(const std::function<bool(const Picture&)>& condition, int timeout_ms) {
    long long deadline = now_ms() + timeout_ms;
    for (;;) {
        Picture picture = screen();
        if (!picture.empty() && condition(picture)) {
            return true;
        }
        if (now_ms() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
}

SDL_Rect GameSession::button(const std::string& menu_file, const std::string& word) {
    std::unique_ptr<Menu> menu = load_menu(folder, menu_file, &prefs);
    for (size_t k = 0; k < menu->button_rects.size(); ++k) {
        if (menu->config.get_string("button" + int_to_text(int(k + 1)) + "_return") == word) {
            return menu->button_rects[k];
        }
    }
    ADD_FAILURE() << "no button answers " << word << " in " << menu_file;
    return SDL_Rect{0, 0, 0, 0};
}

void GameSession::click(const std::string& menu_file, const std::string& word) {
    SDL_Rect hit = button(menu_file, word);
    run_tool({"xdotool", "mousemove", "--window", std::to_string(window),
              std::to_string(hit.x + hit.w / 2), std::to_string(hit.y + hit.h / 2), "click", "1",
              "mousemove", "--window", std::to_string(window), "1", "1"},
             x_server->display);
}

void GameSession::press(const std::string& sdl_name) {
    run_tool({"xdotool", "key", x_keysym(sdl_name)}, x_server->display);
}

Picture GameSession::menu_picture(const std::string& menu_file, ConfigStore* substitutions,
                                  int highlighted_row) {
    std::unique_ptr<Menu> menu = load_menu(folder, menu_file, substitutions);
    highlight_row(*menu, highlighted_row);
    SDL_Surface* target =
        SDL_CreateRGBSurface(SDL_SWSURFACE, prefs.get_int("window_w"), prefs.get_int("window_h"),
                             32, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    menu->compositor.redraw(target);
    Picture picture = picture_of(target);
    SDL_FreeSurface(target);
    return picture;
}

SDL_Rect GameSession::board_row(int row) {
    int block = prefs.get_int("block_size");
    return SDL_Rect{Sint16(prefs.get_int("board_x")),
                    Sint16(prefs.get_int("board_y") + row * block),
                    Uint16(prefs.get_int("board_width") * block), Uint16(block)};
}

Picture GameSession::image(const std::string& prefs_key) {
    return load_picture(folder + "/" + prefs.get_string(prefs_key));
}

bool GameSession::shows_centred(const Picture& screen, const Picture& picture) {
    int block = prefs.get_int("block_size");
    int x = prefs.get_int("board_x") + prefs.get_int("board_width") * block / 2 - picture.w / 2;
    int y = prefs.get_int("board_y") + prefs.get_int("board_height") * block / 2 - picture.h / 2;
    long opaque = 0;
    long matching = 0;
    for (int py = 0; py < picture.h; ++py) {
        for (int px = 0; px < picture.w; ++px) {
            if (picture.at(px, py) >> 24 == 255 && screen.contains(x + px, y + py)) {
                ++opaque;
                matching += close_colour(picture.at(px, py), screen.at(x + px, y + py));
            }
        }
    }
    return opaque > 0 && matching * 100 >= opaque * 99;
}

bool GameSession::repaints_whole_window() {
    for (int attempt = 0; attempt < 5; ++attempt) {
        Picture before = screen();
        x->clear_and_expose(window, 0xFF00FF);
        if (wait_for([&](const Picture& s) { return s.pixels == before.pixels; }, 1500)) {
            return true;
        }
    }
    return false;
}

bool GameSession::exits_cleanly() {
    return game.wait_for_exit(10000) && game.exit_status == 0;
}

void GameSession::save_screenshot(const std::string& name) {
    const char* target = std::getenv("E2E_SCREENSHOTS");
    if (target != nullptr && target[0] != '\0') {
        fs::create_directories(target);
        EXPECT_TRUE(save_png(screen(), std::string(target) + "/" + name + ".png")) << name;
    }
}

bool alike(const Picture& a, const Picture& b, SDL_Rect rect) {
    if (rect.w == 0) {
        rect = SDL_Rect{0, 0, Uint16(a.w), Uint16(a.h)};
    }
    long differing = 0;
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
        for (int x = rect.x; x < rect.x + rect.w; ++x) {
            if (!a.contains(x, y) || !b.contains(x, y) || !close_colour(a.at(x, y), b.at(x, y))) {
                ++differing;
            }
        }
    }
    return differing * 100 <= long(rect.w) * rect.h;
}
