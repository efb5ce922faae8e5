#include "input/key_names.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

std::string lower_case(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

// Levenshtein distance: the fewest single-letter insertions, deletions and changes.
size_t edit_distance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); j++) {
        row[j] = j;
    }
    for (size_t i = 1; i <= a.size(); i++) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); j++) {
            size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

bool holds_word(const std::string& name, const std::string& word) {
    size_t at = name.find(word);
    return !word.empty() && at != std::string::npos && (at == 0 || name[at - 1] == ' ') &&
           (at + word.size() == name.size() || name[at + word.size()] == ' ');
}

}  // namespace

std::vector<std::string> key_names_by_code() {
    std::vector<std::string> names;
    for (int key = SDLK_FIRST; key < SDLK_LAST; key++) {
        std::string name = SDL_GetKeyName(static_cast<SDLKey>(key));
        if (name != "unknown key") {
            names.push_back(name);
        }
    }
    return names;
}

std::set<std::string> sdl_key_names() {
    std::vector<std::string> names = key_names_by_code();
    return std::set<std::string>(names.begin(), names.end());
}

std::string nearest_key_name(const std::string& text, const std::set<std::string>& names) {
    std::string wanted = lower_case(text);
    std::string best;
    size_t best_distance = std::max<size_t>(2, wanted.size() / 3) + 1;
    for (const std::string& name : names) {
        size_t distance = edit_distance(wanted, lower_case(name));
        if (distance < best_distance) {
            best = name;
            best_distance = distance;
        }
    }
    if (best.empty()) {
        for (const std::string& name : names) {
            if (holds_word(name, wanted)) {
                return name;
            }
        }
    }
    return best;
}

std::string key_description(const std::string& name) {
    if (name.size() > 2 && name.front() == '[' && name.back() == ']') {
        return "keypad " + name.substr(1, name.size() - 2);
    }
    if (name.size() > 1 && name[0] == 'f' && std::isdigit(static_cast<unsigned char>(name[1]))) {
        return "function key";
    }
    if (name.rfind("world ", 0) == 0) {
        return "a letter of a national keyboard (what it types depends on the layout)";
    }
    if (name.size() == 1) {
        return "the key that types " + name;
    }
    return "";
}
