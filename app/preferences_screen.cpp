#include "app/preferences_screen.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "menu/menu.h"

namespace {

const char* const prefs_file = "prefs.txt";

// Stores the key's name under word and writes the preferences out at once, so that a binding
// survives whatever happens to the program later.
void store_binding(ConfigStore& prefs, const std::string& word, SDLKey key) {
    prefs.get_string(word) = SDL_GetKeyName(key);
    if (!prefs.save(prefs_file)) {
        std::printf("couldn't save preferences to: %s\n", prefs_file);
    }
}

// Waits for the key to bind to word. Returns true when the window was closed before a key was
// pressed, false once a key was stored or waiting failed.
bool window_closed_while_binding(ConfigStore& prefs, const std::string& word) {
    bool captured = false;
    SDL_Event event;
    while (SDL_WaitEvent(&event) != 0) {
        // The event after a capture is dropped whatever it is: normally it is the release of
        // the key just captured, which must not reach the menu.
        if (captured) {
            return false;
        }
        if (event.type == SDL_KEYDOWN) {
            store_binding(prefs, word, event.key.keysym.sym);
            captured = true;
        } else if (event.type == SDL_QUIT) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool preferences_screen(ConfigStore& prefs) {
    while (true) {
        // Built anew for every pass so that texts such as %pause_key% show the current binding.
        Menu menu(prefs.get_string("prefs_menu").c_str(), &prefs);
        std::string word = menu.run();
        if (word == "back") {
            return false;
        }
        if (word == "quit") {
            return true;
        }
        if (window_closed_while_binding(prefs, word)) {
            return true;
        }
    }
}
