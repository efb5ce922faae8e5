// Pad inputs by name: "button 2", "hat up", "axis 0-", "axis 1+". Bindings in prefs.txt name
// them this way, so a person can read and edit them.
#pragma once

#include <string>
#include <vector>

struct PadInput {
    enum Kind { none, button, hat, axis };
    Kind kind = none;
    // The button or axis number (0 for a hat: every hat of every pad counts as one).
    int index = 0;
    // For a hat one of SDL's SDL_HAT_UP, SDL_HAT_RIGHT, SDL_HAT_DOWN, SDL_HAT_LEFT bits; for an
    // axis -1 or +1; 0 for a button.
    int direction = 0;

    bool operator==(const PadInput& other) const {
        return kind == other.kind && index == other.index && direction == other.direction;
    }
};

// Reads one pad input name: "button N", "hat up|down|left|right", "axis N-" or "axis N+", N
// a decimal number 0 to 255 without sign, words separated by one space. False (input left
// alone) for anything else.
bool parse_pad_input(const std::string& text, PadInput& input);

// Reads a binding: one pad input name or several separated by ", " ("hat left, axis 0-").
// False, with inputs empty, when any part is no pad input name; the empty text is no binding
// and gives true with inputs empty.
bool parse_pad_binding(const std::string& text, std::vector<PadInput>& inputs);

// The name parse_pad_input reads back; "" for none.
std::string pad_input_text(const PadInput& input);

// The menu direction of a hat or axis input: (dx, dy) one of (-1,0), (1,0), (0,-1), (0,1).
// Even axes are across (axis 0- is left), odd axes up and down (axis 1- is up). (0, 0) for a
// button.
void pad_direction(const PadInput& input, int& dx, int& dy);
