#include "tests/e2e/game_session.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "tests/e2e/screen_checks.h"
#include "tests/support/test_support.h"

namespace fs = std::filesystem;

namespace {

const char* const game_binary = "./derevarez";
const int window_timeout_ms = 15000;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? "" : value;
}

std::string make_temp_folder() {
    std::string pattern = (fs::temp_directory_path() / "derevarez-e2e-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    return mkdtemp(name.data()) == nullptr ? "" : std::string(name.data());
}

}  // namespace

GameSession::GameSession() {
    folder = make_temp_folder();
    std::error_code error;
    fs::copy(environment("TEST_RUN_DIR"), folder, fs::copy_options::recursive, error);
    shipped_prefs = read_file(environment("TEST_SOURCE_DIR") + "/data/prefs.txt");
    write_file(folder + "/prefs.txt", shipped_prefs);
    prefs.load((folder + "/prefs.txt").c_str());
}

GameSession::~GameSession() {
    if (::testing::Test::HasFailure() && window != 0 && x != nullptr && x->exists(window)) {
        keep(screen(), "at_failure");
    }
    game.stop(SIGKILL, 2000);
    x.reset();
    x_server.reset();
    if (::testing::Test::HasFailure()) {
        std::printf("the game's folder is kept: %s\n", folder.c_str());
        return;
    }
    std::error_code error;
    fs::remove_all(folder, error);
}

bool GameSession::start(bool expect_window) {
    int w = prefs.get_int("window_w");
    int h = prefs.get_int("window_h");
    int screen_w = std::max(1024, w + 100);
    int screen_h = std::max(768, h + 100);
    x_server = std::make_unique<XServer>(screen_w, screen_h);
    if (x_server->display.empty()) {
        problem = "no X server could be started";
        return false;
    }
    x = std::make_unique<XClient>(x_server->display);
    if (x->display == nullptr) {
        problem = "cannot connect to the X server " + x_server->display;
        return false;
    }
    // A pointer resting on a button would light it from the first frame on.
    run_tool({"xdotool", "mousemove", std::to_string(screen_w - 1), std::to_string(screen_h - 1)},
             x_server->display);
    if (!game.start(
            {game_binary}, folder,
            {"DISPLAY=" + x_server->display, "SDL_VIDEODRIVER=x11", "SDL_AUDIODRIVER=dummy"},
            folder + "/stdout.txt", folder + "/stderr.txt")) {
        problem = "cannot start the game";
        return false;
    }
    if (!expect_window) {
        return true;
    }
    window = x->find_window("DERevarez", window_timeout_ms);
    if (window == 0) {
        problem = "no window \"DERevarez\" appeared; the game printed: " + output();
        return false;
    }
    long long deadline = now_ms() + window_timeout_ms;
    while (!x->viewable(window) && now_ms() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // Without a window manager the focus would follow the pointer; the keys must reach the
    // game wherever the pointer is, and a stray focus change would pause the game.
    x->focus(window);
    return true;
}

Picture GameSession::screen() {
    return x->grab(window);
}

bool GameSession::wait_for(const std::function<bool(const Picture&)>& condition, int timeout_ms,
                           Picture* last) {
    long long deadline = now_ms() + timeout_ms;
    for (;;) {
        Picture picture = screen();
        bool met = !picture.empty() && condition(picture);
        if (last != nullptr) {
            *last = picture;
        }
        if (met) {
            return true;
        }
        if (now_ms() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
}

void GameSession::point_at(int x_pos, int y_pos) {
    pointer = Spot{x_pos, y_pos};
    run_tool({"xdotool", "mousemove", "--window", std::to_string(window), std::to_string(x_pos),
              std::to_string(y_pos)},
             x_server->display);
}

bool GameSession::click_button(const ShippedMenu& menu, const std::string& word) {
    const MenuButton* button = menu.button(word);
    if (button == nullptr) {
        return false;
    }
    point_at(button->hit.x + button->hit.w / 2, button->hit.y + button->hit.h / 2);
    run_tool({"xdotool", "click", "1"}, x_server->display);
    return true;
}

void GameSession::press(const std::string& sdl_name, int count) {
    std::string keysym = x_keysym(sdl_name);
    ASSERT_FALSE(keysym.empty()) << "no X key known for the SDL key name \"" << sdl_name << "\"";
    std::vector<std::string> command = {"xdotool", "key", "--delay", "30"};
    for (int i = 0; i < count; ++i) {
        command.push_back(keysym);
    }
    run_tool(command, x_server->display);
}

void GameSession::press_action(const std::string& action, int count) {
    press(prefs.get_string(action), count);
}

bool GameSession::wait_for_menu(const ShippedMenu& menu) {
    Picture last;
    if (wait_for([&](const Picture& s) { return shows_menu(s, menu, pointer); }, window_timeout_ms,
                 &last)) {
        return true;
    }
    problem = "the menu is not drawn as its menu file describes it: " +
              picture_mismatch(last, compose_menu(menu, pointer));
    return false;
}

std::string GameSession::game_state() {
    if (game.running()) {
        return "";
    }
    if (game.exit_status >= 0) {
        return " (the game has ended with status " + std::to_string(game.exit_status) + ")";
    }
    return " (the game has died of a signal)";
}

std::string GameSession::output() {
    return read_file(folder + "/stdout.txt");
}

void GameSession::keep(const Picture& picture, const std::string& name) {
    save_png(picture, folder + "/" + name + ".png");
}

void GameSession::save_screenshot(const std::string& name) {
    std::string target = environment("E2E_SCREENSHOTS");
    if (target.empty()) {
        return;
    }
    fs::create_directories(target);
    EXPECT_TRUE(save_png(screen(), target + "/" + name + ".png")) << "cannot save " << name;
}

void MainMenuScenario::SetUp() {
    ASSERT_TRUE(session.start() && session.wait_for_menu(menu)) << session.problem;
}

void MainMenuScenario::expect_clean_exit() {
    ASSERT_TRUE(session.game.wait_for_exit(10000)) << "the game did not end";
    EXPECT_EQ(session.game.exit_status, 0);
    EXPECT_EQ(read_file(session.folder + "/prefs.txt"), session.shipped_prefs);
}
