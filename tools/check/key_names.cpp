#include "tools/check/key_names.h"

#include <SDL.h>

#include <cctype>

namespace {

std::string lower_case(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

}  // namespace

std::set<std::string> sdl_key_names() {
    std::set<std::string> names;
    for (int key = SDLK_FIRST; key < SDLK_LAST; key++) {
        std::string name = SDL_GetKeyName(static_cast<SDLKey>(key));
        if (name != "unknown key") {
            names.insert(name);
        }
    }
    return names;
}

std::string key_name_like(const std::string& text, const std::set<std::string>& names) {
    std::string wanted = lower_case(text);
    for (const std::string& name : names) {
        if (lower_case(name) == wanted) {
            return name;
        }
    }
    return "";
}
