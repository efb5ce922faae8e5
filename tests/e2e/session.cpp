#include "tests/e2e/session.h"

#include <SDL_image.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <thread>

#include "app/scores_screens.h"
#include "menu/menu.h"
#include "tests/support/test_support.h"

// Last: Xlib's macros (Bool, None, Status) would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace fs = std::filesystem;

namespace {

// Every wait of a test, made longer by E2E_TIME_SCALE for a slower game (under valgrind).
int scaled(int ms) {
    const char* scale = std::getenv("E2E_TIME_SCALE");
    return scale != nullptr ? ms * std::max(1, std::atoi(scale)) : ms;
}

long long now_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Equal but for a rounding step of blending, channel by channel.
bool close_colour(Uint32 a, Uint32 b) {
    for (int shift = 0; shift <= 16; shift += 8) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 3) {
            return false;
        }
    }
    return true;
}

// The pixels of surface, any format, with its own alpha.
Picture picture_of(SDL_Surface* surface) {
    SDL_Surface* model =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    SDL_Surface* converted = SDL_ConvertSurface(surface, model->format, SDL_SWSURFACE);
    SDL_FreeSurface(model);
    Picture picture;
    picture.w = converted->w;
    picture.h = converted->h;
    for (int y = 0; y < converted->h; ++y) {
        const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<Uint8*>(converted->pixels) +
                                                            y * converted->pitch);
        picture.pixels.insert(picture.pixels.end(), row, row + converted->w);
    }
    SDL_FreeSurface(converted);
    return picture;
}

// The game's own Menu of the menu file, built in folder (its files are named relative to it).
// Menu converts its images to the display format: a small window under SDL's dummy driver,
// opened once in the test process, gives the X server's 32-bit format.
std::unique_ptr<Menu> load_menu(const std::string& folder, const std::string& file,
                                ConfigStore* substitutions) {
    if (SDL_GetVideoSurface() == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_Init(SDL_INIT_VIDEO);
        SDL_SetVideoMode(16, 16, 32, SDL_SWSURFACE);
    }
    std::string previous = fs::current_path().string();
    fs::current_path(folder);
    auto menu = std::make_unique<Menu>(file.c_str(), substitutions);
    fs::current_path(previous);
    return menu;
}

// The window's place on the root window and its size; false when it is gone.
bool place_of(Display* d, Window window, int& left, int& top, XWindowAttributes& attributes) {
    Window child;
    return XGetWindowAttributes(d, window, &attributes) != 0 &&
           XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &left, &top, &child) != 0;
}

// Maps another client's window of one colour over window, as a player's other program would:
// the X server then sends window an Expose for all of it once the cover is gone. 0 on failure.
Window cover(Display* d, Window window, unsigned long rgb) {
    XWindowAttributes attributes;
    int left = 0, top = 0;
    if (!place_of(d, window, left, top, attributes)) {
        return 0;
    }
    XSetWindowAttributes look{};
    look.background_pixel = rgb;
    look.override_redirect = True;  // above everything, and never given the focus
    Window above = XCreateWindow(d, DefaultRootWindow(d), left, top, unsigned(attributes.width),
                                 unsigned(attributes.height), 0, CopyFromParent, InputOutput,
                                 CopyFromParent, CWBackPixel | CWOverrideRedirect, &look);
    XMapRaised(d, above);
    XSync(d, False);
    return above;
}

}  // namespace

bool ChildProcess::start(const std::string& command) {
    exit_status = -1;
    pid = fork();
    if (pid != 0) {
        return pid > 0;
    }
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    setpgid(0, 0);
    closefrom(0);
    open("/dev/null", O_RDONLY);  // standard input, output and error
    open("/dev/null", O_WRONLY);
    dup2(1, 2);
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

bool ChildProcess::wait_for_exit(int timeout_ms) {
    long long deadline = now_ms() + timeout_ms;
    int status = 0;
    while (pid > 0) {
        pid_t result = waitpid(pid, &status, WNOHANG);
        if (result != 0) {
            exit_status = result == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            pid = -1;
        } else if (now_ms() > deadline) {
            return false;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    return true;
}

void ChildProcess::stop(int signal, int timeout_ms) {
    if (pid > 0) {
        kill(pid, signal);
        if (!wait_for_exit(timeout_ms)) {
            kill(pid, SIGKILL);
            wait_for_exit(5000);
        }
    }
}

GameSession::GameSession() {
    folder = make_scratch_dir("game");
    fs::copy(std::getenv("TEST_RUN_DIR"), folder, fs::copy_options::recursive);
    shipped_prefs = read_file(std::string(std::getenv("TEST_SOURCE_DIR")) + "/data/prefs.txt");
    write_file(folder + "/prefs.txt", shipped_prefs);
    prefs.load((folder + "/prefs.txt").c_str());
}

GameSession::~GameSession() {
    bool failed = ::testing::Test::HasFailure();
    if (failed && window != 0) {
        shell("import -window " + std::to_string(window) + " at_failure.png");
    }
    game.stop(SIGKILL, 2000);
    if (x != nullptr) {
        XCloseDisplay(x);  // before its server ends: Xlib would end the tests
    }
    x_server.stop(SIGTERM, 5000);
    if (failed) {
        std::printf("the game's folder is kept: %s\n", folder.c_str());
    } else {
        fs::remove_all(folder);
    }
}

bool GameSession::start() {
    // Given no display number, Xvfb takes the first free one and writes it to descriptor 3
    // once it accepts clients: servers started side by side never collide.
    x_server.start("exec Xvfb -screen 0 " + screen_size + "x24 -nolisten tcp -noreset -displayfd 3 3>'" +
                   folder + "/display'");
    display = ":" + shell(
                        "timeout 15 sh -c 'until grep -q . display; do sleep 0.02; done'; "
                        "tr -d '\\n' < display");
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // a window that has just gone
    if ((x = XOpenDisplay(display.c_str())) == nullptr) {
        return false;
    }
    shell("xdotool mousemove 1279 1023");
    // E2E_GAME_WRAPPER: a command line the game runs under (valgrind).
    const char* wrapper = std::getenv("E2E_GAME_WRAPPER");
    game.start("cd '" + folder + "' && DISPLAY=" + display + " SDL_VIDEODRIVER=x11 exec " +
               (wrapper != nullptr ? wrapper : "") + " ./derevarez > output.txt 2>&1");
    window = std::strtoul(shell("timeout " + std::to_string(scaled(15)) +
                                " xdotool search --sync --onlyvisible --name '^DERevarez$'")
                              .c_str(),
                          nullptr, 10);
    // Without a window manager the focus would follow the pointer, and a stray focus change
    // would pause the game.
    focus(true);
    main_menu = prefs.get_string("main_menu");
    menu = menu_picture(main_menu, nullptr);
    return window != 0 && wait_for([&](const Picture& s) { return alike(s, menu); });
}

std::string GameSession::shell(const std::string& command) {
    return run_command(folder, "export DISPLAY=" + display + "; " + command).output;
}

Picture GameSession::screen() {
    Picture picture;
    XWindowAttributes attributes;
    int left = 0, top = 0;
    // Read from the root window: it shows the window together with its SDL child window.
    XImage* image = place_of(x, window, left, top, attributes)
                        ? XGetImage(x, DefaultRootWindow(x), left, top, unsigned(attributes.width),
                                    unsigned(attributes.height), AllPlanes, ZPixmap)
                        : nullptr;
    if (image == nullptr) {
        return picture;
    }
    picture.w = attributes.width;
    picture.h = attributes.height;
    for (int row = 0; row < picture.h; ++row) {
        for (int column = 0; column < picture.w; ++column) {  // the 24-bit screen: 0xRRGGBB
            picture.pixels.push_back(0xFF000000u |
                                     (Uint32(XGetPixel(image, column, row)) & 0xFFFFFF));
        }
    }
    XDestroyImage(image);
    return picture;
}

void GameSession::focus(bool on) {
    if (!on) {
        // As a player leaves for another program. With the pointer left inside, the X server
        // hands the window the focus straight back as the pointer's, and SDL 2 may take the
        // two changes for none.
        int screen_number = DefaultScreen(x);
        XWarpPointer(x, 0, DefaultRootWindow(x), 0, 0, 0, 0, DisplayWidth(x, screen_number) - 1,
                     DisplayHeight(x, screen_number) - 1);
    }
    XSetInputFocus(x, on ? window : DefaultRootWindow(x), RevertToParent, CurrentTime);
    XSync(x, False);
}

bool GameSession::close_window() {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(x, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, window, False, NoEventMask, &event);
    XSync(x, False);
    return exits_cleanly();
}

bool GameSession::wait_for(const std::function<bool(const Picture&)>& condition, int timeout_ms) {
    for (long long deadline = now_ms() + scaled(timeout_ms);;) {
        Picture picture = screen();
        if (!picture.pixels.empty() && condition(picture)) {
            return true;
        }
        if (now_ms() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
}

void GameSession::click(const std::string& menu_file, const std::string& word) {
    std::unique_ptr<Menu> menu = load_menu(folder, menu_file, &prefs);
    size_t k = 0;
    while (k < menu->button_rects.size() &&
           menu->config.get_string("button" + int_to_text(int(k + 1)) + "_return") != word) {
        ++k;
    }
    ASSERT_LT(k, menu->button_rects.size()) << "no button answers " << word << " in " << menu_file;
    SDL_Rect hit = menu->button_rects[k];
    std::string in_window = "xdotool mousemove --window " + std::to_string(window) + " ";
    shell(in_window + std::to_string((hit.x + hit.w / 2) * scale) + " " +
          std::to_string((hit.y + hit.h / 2) * scale) +
          " click 1 && " + in_window + "1 1");
}

void GameSession::press(const std::string& sdl_names) {
    // X keysyms: a letter and "space" are their own, the others ("return", "up") capitalised.
    std::istringstream names(sdl_names);
    std::string keysyms;
    for (std::string name; names >> name;) {
        name[0] = char(name.size() > 1 && name != "space" ? std::toupper(name[0]) : name[0]);
        keysyms += " " + name;
    }
    shell("xdotool key" + keysyms);
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
    return picture(prefs.get_string(prefs_key));
}

Picture GameSession::picture(const std::string& file) {
    SDL_Surface* surface = IMG_Load((folder + "/" + file).c_str());
    Picture loaded = surface != nullptr ? picture_of(surface) : Picture();
    SDL_FreeSurface(surface);
    return loaded;
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

bool GameSession::press_until_over(const std::string& keys, int tries, int wait_ms) {
    Picture game_over = image("game_over_img");
    for (int attempt = 1; attempt <= tries; ++attempt) {
        press(keys);
        if (wait_for([&](const Picture& s) { return shows_centred(s, game_over); },
                     attempt < tries ? wait_ms : 10000)) {
            return true;
        }
    }
    return false;
}

bool GameSession::repaints_whole_window() {
    const Uint32 magenta = 0xFFFF00FF;
    for (int attempt = 0; attempt < 5; ++attempt) {
        Picture before = screen();
        Window above = cover(x, window, magenta & 0xFFFFFF);
        auto magenta_only = [&](const Picture& s) {
            return std::count(s.pixels.begin(), s.pixels.end(), magenta) == long(s.pixels.size());
        };
        bool covered = above != 0 && wait_for(magenta_only, 1500);
        if (above != 0) {
            XDestroyWindow(x, above);
            XSync(x, False);
        }
        if (covered &&
            wait_for([&](const Picture& s) { return s.pixels == before.pixels; }, 1500)) {
            return true;
        }
    }
    return false;
}

void GameSession::save_screenshot(const std::string& name) {
    const char* target = std::getenv("E2E_SCREENSHOTS");
    if (target != nullptr && target[0] != '\0') {
        fs::create_directories(target);
        shell("import -window " + std::to_string(window) + " '" + target + "/" + name + ".png'");
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

bool GameSession::exits_cleanly() {
    return game.wait_for_exit(scaled(10000)) && game.exit_status == 0;
}

bool GameSession::saved(const std::string& key, const std::string& value) {
    return wait_for([&](const Picture&) {
        ConfigStore file;
        file.load((folder + "/prefs.txt").c_str());
        const std::string* found = file.find(key);
        return found != nullptr && *found == value;
    });
}

bool GameSession::on_compatibility_layer() {
    std::string maps = read_file("/proc/" + std::to_string(game.pid) + "/maps");
    return maps.find("libSDL-1.2.so.1.") != std::string::npos;
}
