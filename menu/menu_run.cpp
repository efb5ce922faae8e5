// Running a loaded menu: drawing, hover images, clicks, and tearing the menu down.
#include <cstdio>
#include <cstdlib>

#include "display/window_events.h"
#include "compositor/scaled_window.h"
#include "menu/menu.h"

namespace {

// What a key or a pad input asks of a menu.
enum Command { no_command, move_up, move_down, move_left, move_right, choose, go_back };

Command key_command(SDLKey key) {
    switch (key) {
        case SDLK_UP:
            return move_up;
        case SDLK_DOWN:
            return move_down;
        case SDLK_LEFT:
            return move_left;
        case SDLK_RIGHT:
            return move_right;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_SPACE:
            return choose;
        case SDLK_ESCAPE:
            return go_back;
        default:
            return no_command;
    }
}

Command pad_command(const PadInput& input) {
    if (input.kind == PadInput::button) {
        return input.index == 0 ? choose : input.index == 1 ? go_back : no_command;
    }
    int dx = 0;
    int dy = 0;
    pad_direction(input, dx, dy);
    return dx < 0 ? move_left : dx > 0 ? move_right : dy < 0 ? move_up : move_down;
}

int centre_x(const SDL_Rect& rect) {
    return rect.x + rect.w / 2;
}

int centre_y(const SDL_Rect& rect) {
    return rect.y + rect.h / 2;
}

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

bool Menu::files_changed() {
    if (watch.files.empty() || !watch.changed(SDL_GetTicks())) {
        return false;
    }
    std::string problem;
    if (menu_file_usable(source_file, problem)) {
        return true;
    }
    std::printf("%s\n", problem.c_str());
    std::fflush(stdout);
    return false;
}

std::string Menu::run() {
    show();
    start_repeats();
    bool watched = session != nullptr && watching(session->prefs);
    watch.watch(watched ? menu_files(source_file) : std::vector<std::string>(), SDL_GetTicks());
    SDL_Event event;
    while (true) {
        // While a direction is held the menu polls, so that its repeats come between events;
        // so it does while it watches its files.
        if (repeating() || watched) {
            if (poll_event(&event) == 0) {
                if (repeating()) {
                    repeat_held();
                }
                if (files_changed()) {
                    return "reload";
                }
                SDL_Delay(5);
                continue;
            }
        } else if (wait_event(&event) == 0) {
            return "";
        }
        scale_back(event);
        std::string word;
        switch (event.type) {
            case SDL_MOUSEBUTTONDOWN:
                word = chosen_word(event.button.x, event.button.y);
                if (!word.empty()) {
                    play_sound(SoundEvent::menu_click);
                }
                break;
            case SDL_MOUSEMOTION:
                highlighted = 0;
                if (update_hover(event.motion.x, event.motion.y)) {
                    redraw();
                    if (lit_a_button) {
                        play_sound(SoundEvent::menu_hover);
                    }
                }
                break;
            case SDL_KEYDOWN:
                word = handle_key(event.key.keysym.sym);
                break;
            case SDL_KEYUP:
                if (event.key.keysym.sym == held_key) {
                    held_key = SDLK_UNKNOWN;
                }
                break;
            case SDL_JOYBUTTONDOWN:
            case SDL_JOYHATMOTION:
            case SDL_JOYAXISMOTION:
                word = handle_pad(event);
                break;
            case SDL_QUIT:
                return "quit";
            default:
                break;
        }
        if (!word.empty()) {
            return word;
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
    scale_back(x, y);
    update_hover(x, y);
    if (highlighted > 0 && static_cast<size_t>(highlighted) <= button_rects.size()) {
        light(highlighted);
    }
    screen = drawing_surface();
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
    if (session != nullptr && session->audio != nullptr) {
        session->audio->play(event);
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

std::string Menu::word_of(int button) {
    return config.get_string("button" + int_to_text(button) + "_return");
}

bool Menu::navigable() {
    return config.get_string("navigation") == "true";
}

std::string Menu::handle_key(SDLKey key) {
    if (session != nullptr && session->mute_if(SDL_GetKeyName(key))) {
        return "";
    }
    if (session != nullptr && session->fullscreen_key(SDL_GetKeyName(key))) {
        switch_fullscreen();
        return "";
    }
    if (!navigable()) {
        return "";
    }
    hold_key(key);
    return answer(key_command(key));
}

std::string Menu::handle_pad(const SDL_Event& event) {
    for (const PadInput& input : pad.presses(event, SDL_GetTicks())) {
        // The menu's own buttons and directions come first, so that a pad alone can always
        // choose and go back, whatever the player bound to them.
        Command command = navigable() ? pad_command(input) : no_command;
        if (command == no_command) {
            pad_switch(input);
            continue;
        }
        std::string word = answer(command);
        if (!word.empty()) {
            return word;
        }
    }
    return "";
}

// The pad inputs bound to muting and to the window's mode work in every menu, as their keys
// do. True when the input was one of them.
bool Menu::pad_switch(const PadInput& input) {
    if (session == nullptr) {
        return false;
    }
    if (session->mute_if(input)) {
        return true;
    }
    if (session->fullscreen_pad(input)) {
        switch_fullscreen();
        return true;
    }
    return false;
}

void Menu::switch_fullscreen() {
    if (session->switch_fullscreen()) {
        compositor.full_redraw = true;
        redraw();
    }
}

// Held keys and pad directions start afresh: what was held when the menu last answered was
// let go on another screen.
void Menu::start_repeats() {
    pad = PadReader();
    held_key = SDLK_UNKNOWN;
    if (session != nullptr) {
        KeyRepeat repeat = session->key_repeat();
        pad.repeat_delay = repeat.delay;
        pad.repeat_rate = repeat.rate;
    }
}

bool Menu::repeating() {
    bool held = held_key != SDLK_UNKNOWN || pad.held.kind != PadInput::none;
    return held && pad.repeat_delay > 0 && navigable();
}

// Only the arrow keys repeat: a held Return must not choose again on the next screen.
void Menu::hold_key(SDLKey key) {
    Command command = key_command(key);
    if (command == choose || command == go_back || command == no_command) {
        return;
    }
    held_key = key;
    next_key_repeat = SDL_GetTicks() + static_cast<Uint32>(pad.repeat_delay);
}

void Menu::repeat_held() {
    Uint32 now = SDL_GetTicks();
    PadInput input;
    if (pad.repeat_due(now, input)) {
        answer(pad_command(input));
    }
    // Elapsed time, not a sum, as for the pad, so that the tick counter's wrap changes nothing.
    if (held_key != SDLK_UNKNOWN && static_cast<Sint32>(now - next_key_repeat) >= 0) {
        next_key_repeat = now + static_cast<Uint32>(pad.repeat_rate > 0 ? pad.repeat_rate : 1);
        answer(key_command(held_key));
    }
}

// Carries out a command; the chosen word, or "" when the menu goes on.
std::string Menu::answer(int command) {
    int count = static_cast<int>(button_rects.size());
    if (command == go_back) {
        for (int i = 1; i <= count; ++i) {
            if (word_of(i) == "back") {
                play_sound(SoundEvent::menu_click);
                return "back";
            }
        }
        return "";
    }
    if (command == choose && highlighted > 0) {
        play_sound(SoundEvent::menu_click);
        return word_of(highlighted);
    }
    int dx = command == move_left ? -1 : command == move_right ? 1 : 0;
    int dy = command == move_up ? -1 : command == move_down ? 1 : 0;
    if (command == choose || dx != 0 || dy != 0) {
        int next = next_button(dx, dy);
        if (next != 0 && next != highlighted) {
            light(next);
            redraw();
            play_sound(SoundEvent::menu_hover);
        }
    }
    return "";
}

// Lights the button as the pointer would at its centre: a plate under it lights up with it.
void Menu::light(int button) {
    highlighted = button;
    const SDL_Rect& rect = button_rects[button - 1];
    update_hover(centre_x(rect), centre_y(rect));
}

int Menu::next_button(int dx, int dy) {
    int count = static_cast<int>(button_rects.size());
    if (highlighted <= 0 || highlighted > count) {
        for (int i = 1; i <= count; ++i) {
            if (!word_of(i).empty()) {
                return i;
            }
        }
        return 0;
    }
    const SDL_Rect& from = button_rects[highlighted - 1];
    int best = highlighted;
    long best_score = 0;
    for (int i = 1; i <= count; ++i) {
        if (i == highlighted || word_of(i).empty()) {
            continue;
        }
        long across = centre_x(button_rects[i - 1]) - centre_x(from);
        long along = centre_y(button_rects[i - 1]) - centre_y(from);
        long ahead = across * dx + along * dy;
        long aside = std::labs(dx != 0 ? along : across);
        if (ahead <= 0) {
            continue;
        }
        long score = ahead + 2 * aside;
        if (best == highlighted || score < best_score) {
            best = i;
            best_score = score;
        }
    }
    return best;
}

bool Menu::show_prompt(const std::string& name) {
    auto found = surfaces.find(name);
    if (found == surfaces.end() || found->second == nullptr) {
        return false;
    }
    SDL_Surface* surface = found->second;
    int x = config.get_int("prompt_x") - surface->w / 2;
    int y = config.get_int("prompt_y");
    // The element after the buttons, so that the button numbering stays as it is.
    if (Element* shown = compositor.find("prompt")) {
        shown->surface = surface;
        shown->x = x;
        shown->y = y;
        // The earlier text may have been wider: paint everything rather than leave its ends.
        compositor.full_redraw = true;
    } else {
        compositor.add(Element("prompt", surface, x, y));
    }
    redraw();
    return true;
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
}
