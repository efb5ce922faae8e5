#include "input/pad_reader.h"

namespace {

int side_of(Sint16 value) {
    if (value >= pad_dead_zone) {
        return 1;
    }
    if (value <= -pad_dead_zone) {
        return -1;
    }
    return 0;
}

const int hat_directions[] = {SDL_HAT_UP, SDL_HAT_RIGHT, SDL_HAT_DOWN, SDL_HAT_LEFT};

}  // namespace

std::vector<PadInput> PadReader::presses(const SDL_Event& event, Uint32 now) {
    std::vector<PadInput> pressed;
    if (event.type == SDL_JOYBUTTONDOWN) {
        pressed.push_back(PadInput{PadInput::button, event.jbutton.button, 0});
    } else if (event.type == SDL_JOYHATMOTION) {
        int& bits = hat_bits[{event.jhat.which, event.jhat.hat}];
        int was = bits;
        bits = event.jhat.value;
        for (int direction : hat_directions) {
            PadInput input{PadInput::hat, 0, direction};
            if ((was & direction) != 0 && (bits & direction) == 0) {
                release_direction(input);
            } else if ((was & direction) == 0 && (bits & direction) != 0) {
                press_direction(input, now, pressed);
            }
        }
    } else if (event.type == SDL_JOYAXISMOTION) {
        int& side = axis_sides[{event.jaxis.which, event.jaxis.axis}];
        int was = side;
        side = side_of(event.jaxis.value);
        if (side != was) {
            if (was != 0) {
                release_direction(PadInput{PadInput::axis, event.jaxis.axis, was});
            }
            if (side != 0) {
                press_direction(PadInput{PadInput::axis, event.jaxis.axis, side}, now, pressed);
            }
        }
    }
    return pressed;
}

void PadReader::press_direction(const PadInput& input, Uint32 now, std::vector<PadInput>& pressed) {
    pressed.push_back(input);
    held = input;
    next_repeat = now + static_cast<Uint32>(repeat_delay);
}

void PadReader::release_direction(const PadInput& input) {
    if (held == input) {
        held = PadInput();
    }
}

bool PadReader::repeat_due(Uint32 now, PadInput& input) {
    if (held.kind == PadInput::none || repeat_delay <= 0) {
        return false;
    }
    // Elapsed time, not a sum, so that the tick counter's wrap does not stop the repeat.
    if (static_cast<Sint32>(now - next_repeat) < 0) {
        return false;
    }
    input = held;
    next_repeat = now + static_cast<Uint32>(repeat_rate > 0 ? repeat_rate : 1);
    return true;
}

bool PadReader::released(const PadInput& input) const {
    if (input.kind == PadInput::hat) {
        for (const auto& hat : hat_bits) {
            if ((hat.second & input.direction) != 0) {
                return false;
            }
        }
        return true;
    }
    if (input.kind == PadInput::axis) {
        for (const auto& axis : axis_sides) {
            if (axis.first.second == input.index && axis.second == input.direction) {
                return false;
            }
        }
    }
    return true;
}
