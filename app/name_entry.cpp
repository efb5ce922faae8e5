// The name-entry screen: a menu file whose texts show the name as it is typed.
#include <SDL.h>

#include "app/mode_screens.h"
#include "app/scores_screens.h"
#include "display/window_events.h"
#include "compositor/scaled_window.h"
#include "menu/menu.h"

namespace {

enum class Typing { changed, confirmed, kept_offer, closed };

// Applies one key press to text. False when the key changes nothing.
bool edit(std::string& text, const SDL_keysym& key) {
    if (key.sym == SDLK_BACKSPACE) {
        if (text.empty()) {
            return false;
        }
        text.pop_back();
        return true;
    }
    // The character the key types, as SDL translates it with the keyboard layout and Shift.
    Uint16 typed = key.unicode;
    if (typed < ' ' || typed > '~' || text.size() >= name_length) {
        return false;
    }
    text += static_cast<char>(typed);
    return true;
}

// A pad cannot type: its first button confirms the name as it stands, its second keeps the
// offered one, as Return and Escape do.
Typing pad_answer(const std::string& text, int button) {
    if (button == 0 && !text.empty()) {
        return Typing::confirmed;
    }
    return button == 1 ? Typing::kept_offer : Typing::changed;
}

Typing next_change(std::string& text, bool pad_answers) {
    SDL_Event event;
    while (wait_event(&event) != 0) {
        if (event.type == SDL_QUIT) {
            return Typing::closed;
        }
        if (pad_answers && event.type == SDL_JOYBUTTONDOWN) {
            Typing answer = pad_answer(text, event.jbutton.button);
            if (answer != Typing::changed) {
                return answer;
            }
            continue;
        }
        if (event.type != SDL_KEYDOWN) {
            continue;
        }
        SDLKey sym = event.key.keysym.sym;
        if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) {
            // An empty name is almost certainly a slip; Escape keeps the offered one.
            if (!text.empty()) {
                return Typing::confirmed;
            }
        } else if (sym == SDLK_ESCAPE) {
            return Typing::kept_offer;
        } else if (edit(text, event.key.keysym)) {
            return Typing::changed;
        }
    }
    return Typing::kept_offer;
}

}  // namespace

TypedName enter_name(const std::string& menu_file, const std::string& offered, ConfigStore& keys) {
    int unicode_before = SDL_EnableUNICODE(1);
    std::string text = offered;
    Typing step = Typing::changed;
    while (step == Typing::changed) {
        keys.get_string("name") = text;
        Menu menu(menu_file.c_str(), &keys);
        paint_menu(menu);
        step = next_change(text, menu.navigable());
    }
    SDL_EnableUNICODE(unicode_before);
    if (step == Typing::confirmed) {
        return TypedName{text, false};
    }
    return TypedName{offered, step == Typing::closed};
}
