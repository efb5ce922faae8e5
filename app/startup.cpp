#include "app/startup.h"

#include <SDL_image.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "config/player_prefs.h"
#include "display/window_mode.h"
#include "display/window_scale.h"
#include "input/bindings.h"
#include "watch/file_watch.h"

namespace {

// The pads opened at start, closed again when the program ends.
class OpenPads {
public:
    std::vector<SDL_Joystick*> pads;

    ~OpenPads() {
        for (SDL_Joystick* pad : pads) {
            SDL_JoystickClose(pad);
        }
    }
};

// The folder the game was started in, where it looks for "prefs.txt".
std::string working_folder() {
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) != nullptr ? buffer : ".";
}

}  // namespace

void set_window_icon(ConfigStore& prefs) {
    // A page in a browser has no window of its own to give a picture to.
    if (!WINDOW_ICON) {
        return;
    }
    // Looked up without get_string, which would add an empty "window_icon" to an older file.
    const std::string* entry = prefs.find("window_icon");
    if (entry == nullptr || entry->empty()) {
        return;
    }
    const std::string& path = *entry;
    SDL_Surface* icon = IMG_Load(path.c_str());
    if (icon == nullptr) {
        // Only the desktop's picture of the window is missing: the game plays without it.
        std::printf("couldn't load the window icon \"%s\" (window_icon): %s\n", path.c_str(),
                    IMG_GetError());
        return;
    }
    // The window system keeps its own copy, taken here; the mask comes from the alpha channel.
    SDL_WM_SetIcon(icon, nullptr);
    SDL_FreeSurface(icon);
}

void open_pads(ConfigStore& prefs, std::vector<SDL_Joystick*>& pads) {
    // Without a pad binding the joystick part of SDL is never started, so an older prefs.txt
    // runs exactly as before.
    if (!has_pad_bindings(prefs)) {
        return;
    }
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        std::printf("couldn't start the pads: %s\n", SDL_GetError());
        return;
    }
    for (int i = 0; i < SDL_NumJoysticks(); i++) {
        if (SDL_Joystick* pad = SDL_JoystickOpen(i)) {
            pads.push_back(pad);
        }
    }
    SDL_JoystickEventState(SDL_ENABLE);
}

bool video_driver_asked() {
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    return asked != nullptr && asked[0] != '\0';
}

void keep_text_mode_quiet() {
    // libcaca's "null" output draws nowhere: should SDL fall back to its caca driver, that
    // driver starts without taking over (or, with no usable TERM, ending) the terminal, and
    // fallback_driver_refused can then say why the game stops.
    if (!video_driver_asked()) {
        setenv("CACA_DRIVER", "null", 1);
    }
}

// What SDL falls back to on a machine without a display: the classic library's text-mode
// drivers, and the off-screen driver of the compatibility layer over SDL 2, which draws nowhere.
const char* fallback_kind(const char* driver) {
    if (std::strcmp(driver, "aalib") == 0 || std::strcmp(driver, "caca") == 0) {
        return "text-mode";
    }
    if (std::strcmp(driver, "offscreen") == 0) {
        return "off-screen";
    }
    return nullptr;
}

bool fallback_driver_refused() {
    // Drawing the game as coloured letters in the terminal, or nowhere at all, looks like a
    // hang; that is kept for a player who asks for it.
    if (video_driver_asked()) {
        return false;
    }
    char name[32] = "";
    const char* kind = nullptr;
    if (SDL_VideoDriverName(name, sizeof name) == nullptr ||
        (kind = fallback_kind(name)) == nullptr) {
        return false;
    }
    std::printf("no graphical display: SDL found only its %s video driver \"%s\"\n", kind, name);
    std::printf(
        "start the game on a graphical desktop, or name a video driver in "
        "SDL_VIDEODRIVER\n");
    return true;
}

SDL_Surface* open_window(ConfigStore& prefs) {
    set_window_icon(prefs);
    int width = prefs.get_int("window_w");
    int height = prefs.get_int("window_h");
    // Checked here, not left to SDL: the compatibility layer over SDL 2 reads a size of 0 as
    // the desktop's and would open a window the menus were never drawn for.
    if (width <= 0 || height <= 0) {
        std::printf(
            "couldn't make a window: its size, \"window_w\" by \"window_h\" in prefs.txt, is %i by "
            "%i pixels\n",
            width, height);
        return nullptr;
    }
    Uint32 flags = window_flags(prefs);
    SDL_Surface* screen = open_display(prefs, flags);
    if (screen == nullptr && (flags & SDL_FULLSCREEN) != 0) {
        std::printf("couldn't go full screen: %s\n", SDL_GetError());
        screen = open_display(prefs, flags & ~SDL_FULLSCREEN);
    }
    if (screen == nullptr) {
        std::printf("couldn't make a window: %s\n", SDL_GetError());
        return nullptr;
    }
    SDL_WM_SetCaption("DERevarez", "Kelvra");
    return screen;
}

int run_program(int argc, char** argv) {
    keep_text_mode_quiet();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::printf("Unable to initialize SDL: %s\n", SDL_GetError());
        return 1;
    }
    std::atexit(SDL_Quit);
    if (fallback_driver_refused()) {
        return 1;
    }

    ConfigStore prefs;
    if (prefs.load(player_prefs_file) != 0) {
        std::printf("couldn't load prefs file\n");
        std::printf(
            "looked for \"%s\" in %s; start the game in the folder that holds it, "
            "e.g. cd build/run && ./derevarez\n",
            player_prefs_file, working_folder().c_str());
        return 1;
    }
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--watch") == 0) {
            watch_for_this_run(prefs);
        }
    }
    // Read before the window opens: everything drawn from then on is in the chosen look.
    WornSkin worn;
    wear_chosen_skin(prefs, worn);
    if (open_window(prefs) == nullptr) {
        return 1;
    }
    OpenPads pads;
    open_pads(prefs, pads.pads);
    run_screens(prefs, &worn);
    return 0;
}
