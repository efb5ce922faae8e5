// Turns SDL's joystick events into presses of pad inputs: a button going down, a hat direction
// coming on, an axis leaving the dead zone. Keeps the last direction held so that it repeats
// like a held key.
#pragma once

#include <SDL.h>

#include <map>
#include <utility>
#include <vector>

#include "input/pad_input.h"

// An axis counts once it is this far from its centre: half of its range, so a stick resting a
// little off centre or brushed in passing presses nothing.
const int pad_dead_zone = 16384;

class PadReader {
public:
    // The side of each axis beyond the dead zone (-1, 0, +1) and the bits of each hat, by
    // (pad, number), as the last event left them.
    std::map<std::pair<int, int>, int> axis_sides;
    std::map<std::pair<int, int>, int> hat_bits;
    // The direction held now (kind none when no direction is held) and the tick count of its
    // next repeat.
    PadInput held;
    Uint32 next_repeat = 0;
    // Repeat timing in ms, as SDL_EnableKeyRepeat takes it: delay 0 switches repeating off.
    int repeat_delay = 0;
    int repeat_rate = 0;

    // The inputs the event presses, in order: a button press, each hat direction that comes
    // on, an axis that leaves the dead zone (or crosses to the other side). Empty for every
    // other event, releases included. A direction pressed becomes the held one (its first
    // repeat due repeat_delay ms after now); its release ends the holding.
    std::vector<PadInput> presses(const SDL_Event& event, Uint32 now);

    // The held direction, when its repeat is due at now: then true, with the input, and the
    // next repeat is repeat_rate ms later. False when nothing is held or repeating is off.
    bool repeat_due(Uint32 now, PadInput& input);

    // Whether the input is released now: a button is taken as released once any event has
    // come after it (the caller waits for its up event), a hat direction or an axis side when
    // the last event of it left it off.
    bool released(const PadInput& input) const;

private:
    void press_direction(const PadInput& input, Uint32 now, std::vector<PadInput>& pressed);
    void release_direction(const PadInput& input);
};
