#include "app/preferences_screen.h"

#include <SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/player_prefs.h"
#include "display/window_events.h"
#include "display/window_scale.h"
#include "input/bindings.h"
#include "input/pad_reader.h"
#include "menu/menu.h"

namespace {

// A word beginning with this switches the setting named by the rest on or off.
const std::string toggle_prefix = "toggle ";

bool is_toggle(const std::string& word) {
    return word.size() > toggle_prefix.size() &&
           word.compare(0, toggle_prefix.size(), toggle_prefix) == 0;
}

// Writes the preferences out at once, so that a binding survives whatever happens to the
// program later. False (after the message) when they cannot be written.
bool save_prefs(const ConfigStore& prefs) {
    return save_player_prefs(prefs, true);
}

// Switches the setting named by a toggle word between 0 (off, also when missing) and 1.
void toggle_setting(ConfigStore& prefs, const std::string& word) {
    std::string key = word.substr(toggle_prefix.size());
    prefs.set(key, prefs.get_int(key) != 0 ? "0" : "1");
    save_prefs(prefs);
}

const char* const shipped_file = "prefs.txt.shipped";

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Binds the key name to word. With swap, another action on that key takes word's old key, so
// that no two actions share one key and one of them goes dead.
void bind_key(ConfigStore& prefs, const std::string& word, const std::string& name, bool swap) {
    std::string old = setting(prefs, word);
    if (swap && ends_with(word, "_key")) {
        for (const auto& [key, value] : prefs.values()) {
            if (key != word && ends_with(key, "_key") && value == name) {
                prefs.set(key, old);
            }
        }
    }
    prefs.set(word, name);
}

std::string joined(const std::vector<PadInput>& inputs) {
    std::string text;
    for (const PadInput& input : inputs) {
        text += (text.empty() ? "" : ", ") + pad_input_text(input);
    }
    return text;
}

// Binds the pad input alone to pad_key. Another action that had it loses it, and takes
// pad_key's old binding when it is left with none.
void bind_pad(ConfigStore& prefs, const std::string& pad_key, const PadInput& input) {
    std::string old = setting(prefs, pad_key);
    for (const auto& [key, value] : prefs.values()) {
        std::vector<PadInput> inputs;
        if (key == pad_key || !ends_with(key, "_pad") || !parse_pad_binding(value, inputs)) {
            continue;
        }
        std::vector<PadInput> kept;
        for (const PadInput& bound : inputs) {
            if (!(bound == input)) {
                kept.push_back(bound);
            }
        }
        if (kept.size() != inputs.size()) {
            prefs.set(key, kept.empty() ? old : joined(kept));
        }
    }
    prefs.set(pad_key, pad_input_text(input));
}

// Waits until the pad input just bound is let go, so that the menu shown next does not take
// the held stick or button as a press of its own. True when the window was closed meanwhile.
bool closed_before_release(PadReader& pad, const PadInput& input) {
    SDL_Event event;
    while (wait_event(&event) != 0) {
        if (event.type == SDL_QUIT) {
            return true;
        }
        pad.presses(event, SDL_GetTicks());
        if (input.kind == PadInput::button
                ? event.type == SDL_JOYBUTTONUP && event.jbutton.button == input.index
                : pad.released(input)) {
            return false;
        }
    }
    return false;
}

// How waiting for a binding ended.
enum class Capture { saved, not_saved, closed, no_event };

// Waits for the key or pad input to bind to word, binds it and saves the preferences.
Capture capture_binding(ConfigStore& prefs, const std::string& word, bool swap) {
    PadReader pad;
    SDL_Event event;
    while (wait_event(&event) != 0) {
        if (event.type == SDL_QUIT) {
            return Capture::closed;
        }
        if (event.type == SDL_KEYDOWN) {
            bind_key(prefs, word, SDL_GetKeyName(event.key.keysym.sym), swap);
            bool saved = save_prefs(prefs);
            // The event after a capture is dropped whatever it is: normally it is the release
            // of the key just captured, which must not reach the menu.
            wait_event(&event);
            return saved ? Capture::saved : Capture::not_saved;
        }
        std::vector<PadInput> pressed = pad.presses(event, SDL_GetTicks());
        if (!pressed.empty()) {
            bind_pad(prefs, pad_setting_of(word), pressed.front());
            bool saved = save_prefs(prefs);
            if (closed_before_release(pad, pressed.front())) {
                return Capture::closed;
            }
            return saved ? Capture::saved : Capture::not_saved;
        }
    }
    return Capture::no_event;
}

// Puts back every key and pad binding of the shipped preferences, kept beside the player's
// file. The notice to show: "" when all went well.
std::string restore_defaults(ConfigStore& prefs) {
    ConfigStore shipped;
    if (shipped.load(shipped_file) != 0) {
        std::printf("couldn't load the shipped preferences: %s\n", shipped_file);
        std::fflush(stdout);
        return "defaults_failed";
    }
    // A pad binding the shipped file does not have is one the player added: unbound again.
    for (const auto& [key, value] : prefs.values()) {
        if (ends_with(key, "_pad") && shipped.find(key) == nullptr) {
            prefs.set(key, "");
        }
    }
    for (const auto& [key, value] : shipped.values()) {
        if (ends_with(key, "_key") || ends_with(key, "_pad")) {
            prefs.set(key, value);
        }
    }
    return save_prefs(prefs) ? "" : "save_failed";
}

// Puts on the skin after the one worn and keeps the choice. The notice to show.
std::string choose_next_skin(ConfigStore& prefs, WornSkin& worn) {
    std::vector<Problem> problems;
    std::vector<Skin> skins = find_skins(prefs, problems);
    for (const Problem& problem : problems) {
        std::printf("%s\n", problem_text(problem).c_str());
    }
    prefs.set("skin", next_skin_id(skins, worn.id));
    wear_chosen_skin(prefs, worn);
    return save_prefs(prefs) ? "" : "save_failed";
}

}  // namespace

ConfigStore preferences_menu_texts(const ConfigStore& prefs, const std::string& menu_file) {
    ConfigStore shown = shown_bindings(prefs);
    ConfigStore menu;
    menu.load(menu_file.c_str());
    for (const auto& entry : menu.values()) {
        const std::string& word = entry.second;
        if (is_toggle(word)) {
            shown.set(word, shown.get_int(word.substr(toggle_prefix.size())) != 0 ? "on" : "off");
        }
    }
    if (shown.find("skin_name") == nullptr) {
        const std::string* none = menu.find("no_skin_name");
        shown.set("skin_name", none != nullptr ? *none : "");
    }
    if (window_scale_setting(prefs) == 0) {
        shown.set("window_scale", "1");
    }
    return shown;
}

bool preferences_screen(Session& session, WornSkin* worn) {
    ConfigStore& prefs = session.prefs;
    int highlighted = 0;
    std::string notice;
    while (true) {
        // Built anew for every pass so that texts such as %pause_key% show the current binding.
        std::string menu_file = prefs.get_string("prefs_menu");
        ConfigStore texts = preferences_menu_texts(prefs, menu_file);
        Menu menu(menu_file.c_str(), &texts);
        menu.session = &session;
        // A player on the keyboard or a pad finds the row they just changed still lit.
        menu.highlighted = highlighted;
        if (!notice.empty()) {
            menu.show_prompt(notice);
        }
        std::string word = menu.run();
        highlighted = menu.highlighted;
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
        if (word == "reload") {
            continue;  // its files changed under live reload: built again from them
        }
        if (word == "scale window") {
            step_window_scale(prefs);
            notice = save_prefs(prefs) ? "" : "save_failed";
            continue;
        }
        if (word == "choose skin") {
            if (worn != nullptr) {
                notice = choose_next_skin(prefs, *worn);
            }
            continue;
        }
        if (word == "defaults") {
            notice = restore_defaults(prefs);
            continue;
        }
        menu.show_prompt(word + "_prompt");
        bool swap = menu.config.get_string("swap_bindings") == "true";
        Capture capture = capture_binding(prefs, word, swap);
        if (capture == Capture::closed) {
            return true;
        }
        notice = capture == Capture::not_saved ? "save_failed" : "";
    }
}
