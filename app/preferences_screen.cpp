#include "app/preferences_screen.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "menu/menu.h"

namespace {

const char* const prefs_file = "prefs.txt";
// A word beginning with this switches the setting named by the rest on or off.
const std::string toggle_prefix = "toggle ";

bool is_toggle(const std::string& word) {
    return word.size() > toggle_prefix.size() &&
           word.compare(0, toggle_prefix.size(), toggle_prefix) == 0;
}

void save_now(const ConfigStore& prefs) {
    if (!prefs.save(prefs_file)) {
        std::printf("couldn't save preferences to: %s\n", prefs_file);
    }
}

// Switches the setting named by a toggle word between 0 (off, also when missing) and 1.
void toggle_setting(ConfigStore& prefs, const std::string& word) {
    std::string key = word.substr(toggle_prefix.size());
    prefs.get_string(key) = prefs.get_int(key) != 0 ? "0" : "1";
    save_now(prefs);
}

// Stores the key's name under word and writes the preferences out at once, so that a binding
// survives whatever happens to the program later.
void store_binding(ConfigStore& prefs, const std::string& word, SDLKey key) {
    prefs.get_string(word) = SDL_GetKeyName(key);
    save_now(prefs);
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

ConfigStore preferences_menu_texts(const ConfigStore& prefs, const std::string& menu_file) {
    ConfigStore shown = prefs;
    ConfigStore menu;
    menu.load(menu_file.c_str());
    for (const auto& entry : menu.values) {
        const std::string& word = entry.second;
        if (is_toggle(word)) {
            shown.get_string(word) =
                shown.get_int(word.substr(toggle_prefix.size())) != 0 ? "on" : "off";
        }
    }
    return shown;
}

bool preferences_screen(ConfigStore& prefs, Audio* audio) {
    while (true) {
        // Built anew for every pass so that texts such as %pause_key% show the current binding.
        std::string menu_file = prefs.get_string("prefs_menu");
        ConfigStore texts = preferences_menu_texts(prefs, menu_file);
        Menu menu(menu_file.c_str(), &texts);
        menu.audio = audio;
        std::string word = menu.run();
        if (word == "back") {
            return false;
        }
        if (word == "quit") {
            return true;
        }
        if (is_toggle(word)) {
            toggle_setting(prefs, word);
            continue;
        }
        if (window_closed_while_binding(prefs, word)) {
            return true;
        }
    }
}
