#include "bench/bench_world.h"

#include <SDL_ttf.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "config/player_prefs.h"

namespace fs = std::filesystem;

namespace {

// A new, empty folder below the system's temporary folder; "" when none can be made.
std::string make_temp_folder() {
    std::string pattern = (fs::temp_directory_path() / "derevarez-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return "";
    }
    return pattern;
}

bool copy_run_folder(const std::string& run_dir, const std::string& folder,
                     const std::string& prefs_file) {
    std::error_code error;
    fs::copy(run_dir, folder, fs::copy_options::recursive, error);
    if (error) {
        std::printf("can't copy the run folder %s: %s\n", run_dir.c_str(), error.message().c_str());
        return false;
    }
    fs::copy_file(prefs_file, fs::path(folder) / player_prefs_file,
                  fs::copy_options::overwrite_existing, error);
    if (error) {
        std::printf("can't copy the shipped %s: %s\n", prefs_file.c_str(), error.message().c_str());
        return false;
    }
    return true;
}

SDLKey key_named(const std::string& name) {
    for (int key = SDLK_FIRST; key < SDLK_LAST; key++) {
        if (name == SDL_GetKeyName(static_cast<SDLKey>(key))) {
            return static_cast<SDLKey>(key);
        }
    }
    return SDLK_UNKNOWN;
}

}  // namespace

bool BenchWorld::open(const std::string& run_dir, const std::string& prefs_file) {
    folder = make_temp_folder();
    if (folder.empty() || !copy_run_folder(run_dir, folder, prefs_file)) {
        return false;
    }
    previous_folder = fs::current_path().string();
    fs::current_path(folder);
    // The figures script runs the flip benchmarks in an X server; everything else is headless.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::printf("can't start SDL: %s\n", SDL_GetError());
        return false;
    }
    if (prefs.load(player_prefs_file) != 0) {
        std::printf("can't read %s in %s\n", player_prefs_file, folder.c_str());
        return false;
    }
    screen =
        SDL_SetVideoMode(prefs.get_int("window_w"), prefs.get_int("window_h"), 32, SDL_SWSURFACE);
    if (screen == nullptr) {
        std::printf("can't open a window: %s\n", SDL_GetError());
        return false;
    }
    main_menu = std::make_unique<Menu>(prefs.get_string("main_menu").c_str(), nullptr);
    game = std::make_unique<Game>(prefs);
    return true;
}

BenchWorld::~BenchWorld() {
    game.reset();
    main_menu.reset();
    if (TTF_WasInit()) {
        TTF_Quit();
    }
    SDL_Quit();
    if (!previous_folder.empty()) {
        fs::current_path(previous_folder);
    }
    if (!folder.empty()) {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
}

SDL_Event BenchWorld::key_event(const char* binding_key) {
    SDL_Event event;
    std::memset(&event, 0, sizeof event);
    event.type = SDL_KEYDOWN;
    event.key.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key_named(prefs.get_string(binding_key));
    return event;
}

ScreenShot::ScreenShot(SDL_Surface* screen)
    : pixels(static_cast<const char*>(screen->pixels),
             static_cast<size_t>(screen->pitch) * screen->h) {}

long long ScreenShot::changed_pixels(SDL_Surface* screen) const {
    const int bytes = screen->format->BytesPerPixel;
    const char* now = static_cast<const char*>(screen->pixels);
    long long changed = 0;
    for (int y = 0; y < screen->h; y++) {
        for (int x = 0; x < screen->w; x++) {
            size_t at = static_cast<size_t>(y) * screen->pitch + static_cast<size_t>(x) * bytes;
            if (std::memcmp(now + at, pixels.data() + at, bytes) != 0) {
                changed++;
            }
        }
    }
    return changed;
}
