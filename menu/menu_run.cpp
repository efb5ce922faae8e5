// Running a loaded menu: drawing, hover images, clicks, and tearing the menu down.
#include "menu/menu.h"

namespace {

// Clicks count only strictly inside, so a rectangle one pixel wide or high can never be chosen.
bool strictly_inside(int x, int y, const SDL_Rect& rect) {
    int left = rect.x;
    int top = rect.y;
    int right = left + rect.w;
    int bottom = top + rect.h;
    return x > left && x < right && y > top && y < bottom;
}

}  // namespace

bool point_in_rect(int x, int y, const SDL_Rect& rect) {
    int left = rect.x;
    int top = rect.y;
    int right = left + rect.w;
    int bottom = top + rect.h;
    return left <= x && x <= right && top <= y && y <= bottom;
}

std::string Menu::run() {
    show();
    SDL_Event event;
    while (true) {
        if (SDL_WaitEvent(&event) == 0) {
            return "";
        }
        switch (event.type) {
            case SDL_MOUSEBUTTONDOWN: {
                std::string word = chosen_word(event.button.x, event.button.y);
                if (!word.empty()) {
                    play_sound(SoundEvent::menu_click);
                    return word;
                }
                break;
            }
            case SDL_MOUSEMOTION:
                if (update_hover(event.motion.x, event.motion.y)) {
                    redraw();
                    if (lit_a_button) {
                        play_sound(SoundEvent::menu_hover);
                    }
                }
                break;
            case SDL_KEYDOWN:
                if (audio != nullptr) {
                    audio->toggle_mute_if(SDL_GetKeyName(event.key.keysym.sym));
                }
                break;
            case SDL_QUIT:
                return "quit";
            default:
                break;
        }
    }
}

void Menu::show() {
    // The screen may have shown something else since the last run: paint everything again,
    // with the button under the pointer already lit.
    compositor.full_redraw = true;
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    update_hover(x, y);
    screen = SDL_GetVideoSurface();
    redraw();
}

void Menu::redraw() {
    // Without a window there is nothing to draw on; the menu still answers events.
    if (screen == nullptr) {
        return;
    }
    compositor.redraw(screen);
    compositor.present(screen);
}

void Menu::play_sound(SoundEvent event) {
    if (audio != nullptr) {
        audio->play(event);
    }
}

// The word of the first button, in number order, that has one and strictly contains (x, y);
// labels without a word lying above a button are passed over. "" when there is none.
std::string Menu::chosen_word(int x, int y) {
    for (size_t k = 0; k < button_rects.size(); ++k) {
        if (!strictly_inside(x, y, button_rects[k])) {
            continue;
        }
        const std::string& word =
            config.get_string("button" + int_to_text(static_cast<int>(k + 1)) + "_return");
        if (!word.empty()) {
            return word;
        }
    }
    return "";
}

bool Menu::update_hover(int x, int y) {
    bool changed = false;
    lit_a_button = false;
    int count = config.get_int("num_buttons");
    // The rectangles were made from the same count; the bound only guards the element index.
    for (int i = 1; i <= count && static_cast<size_t>(i) <= button_rects.size(); ++i) {
        std::string prefix = "button" + int_to_text(i);
        const std::string& over_name = config.get_string(prefix + "_surf_over");
        // An empty hover name means "no hover image", even if some surface is named "".
        if (over_name.empty() || surfaces[over_name] == nullptr) {
            continue;
        }
        SDL_Surface* wanted = point_in_rect(x, y, button_rects[i - 1])
                                  ? surfaces[over_name]
                                  : surfaces[config.get_string(prefix + "_surf")];
        Element& element = compositor.elements[i];
        if (element.surface != wanted) {
            element.surface = wanted;
            element.dirty = true;
            changed = true;
            lit_a_button = lit_a_button || wanted == surfaces[over_name];
        }
    }
    return changed;
}

Menu::~Menu() {
    for (auto& entry : surfaces) {
        if (entry.second != nullptr) {
            SDL_FreeSurface(entry.second);
        }
    }
    SDL_FreeSurface(background_surface);
    for (auto& entry : fonts) {
        if (entry.second != nullptr) {
            TTF_CloseFont(entry.second);
        }
    }
}
