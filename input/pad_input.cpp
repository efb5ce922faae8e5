#include "input/pad_input.h"

#include <SDL.h>

namespace {

struct HatName {
    const char* name;
    int bit;
};

const HatName hat_names[] = {
    {"up", SDL_HAT_UP}, {"right", SDL_HAT_RIGHT}, {"down", SDL_HAT_DOWN}, {"left", SDL_HAT_LEFT}};

// A number as SDL numbers buttons and axes: digits only, 0 to 255.
bool parse_index(const std::string& text, int& index) {
    if (text.empty() || text.size() > 3) {
        return false;
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    if (value > 255) {
        return false;
    }
    index = value;
    return true;
}

bool parse_hat(const std::string& word, PadInput& input) {
    for (const HatName& hat : hat_names) {
        if (word == hat.name) {
            input = PadInput{PadInput::hat, 0, hat.bit};
            return true;
        }
    }
    return false;
}

bool parse_axis(const std::string& word, PadInput& input) {
    if (word.size() < 2) {
        return false;
    }
    char sign = word.back();
    int index = 0;
    if ((sign != '-' && sign != '+') || !parse_index(word.substr(0, word.size() - 1), index)) {
        return false;
    }
    input = PadInput{PadInput::axis, index, sign == '-' ? -1 : 1};
    return true;
}

}  // namespace

bool parse_pad_input(const std::string& text, PadInput& input) {
    size_t space = text.find(' ');
    if (space == std::string::npos) {
        return false;
    }
    std::string kind = text.substr(0, space);
    std::string rest = text.substr(space + 1);
    if (kind == "button") {
        int index = 0;
        if (!parse_index(rest, index)) {
            return false;
        }
        input = PadInput{PadInput::button, index, 0};
        return true;
    }
    if (kind == "hat") {
        return parse_hat(rest, input);
    }
    if (kind == "axis") {
        return parse_axis(rest, input);
    }
    return false;
}

bool parse_pad_binding(const std::string& text, std::vector<PadInput>& inputs) {
    inputs.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(", ", start);
        if (end == std::string::npos) {
            end = text.size();
        }
        PadInput input;
        if (!parse_pad_input(text.substr(start, end - start), input)) {
            inputs.clear();
            return false;
        }
        inputs.push_back(input);
        start = end == text.size() ? end : end + 2;
        // A trailing ", " leaves an empty last name, which is no input.
        if (end != text.size() && start == text.size()) {
            inputs.clear();
            return false;
        }
    }
    return true;
}

std::string pad_input_text(const PadInput& input) {
    switch (input.kind) {
        case PadInput::button:
            return "button " + std::to_string(input.index);
        case PadInput::hat:
            for (const HatName& hat : hat_names) {
                if (input.direction == hat.bit) {
                    return std::string("hat ") + hat.name;
                }
            }
            return "";
        case PadInput::axis:
            return "axis " + std::to_string(input.index) + (input.direction < 0 ? "-" : "+");
        default:
            return "";
    }
}

void pad_direction(const PadInput& input, int& dx, int& dy) {
    dx = 0;
    dy = 0;
    if (input.kind == PadInput::hat) {
        dx = input.direction == SDL_HAT_LEFT ? -1 : input.direction == SDL_HAT_RIGHT ? 1 : 0;
        dy = input.direction == SDL_HAT_UP ? -1 : input.direction == SDL_HAT_DOWN ? 1 : 0;
    } else if (input.kind == PadInput::axis) {
        (input.index % 2 == 0 ? dx : dy) = input.direction;
    }
}
