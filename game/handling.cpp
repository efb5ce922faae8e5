// The handling options. Each is off while its key is missing or holds its shipped value, and
// the game then plays exactly as without them: one next piece, a piece lands the moment
// gravity finds it resting, a turn that overlaps is refused, the down key repeats with the
// keyboard, and the drop key always drops.
#include "game/handling.h"

#include <algorithm>
#include <cstdio>

#include "game/game.h"
#include "input/bindings.h"
#include "settings/settings_table.h"

namespace {

// Where the second next piece stands: at ("next_later_x", "next_later_y"), or without them
// below the first; the rest follow below it, "next_spacing" apart.
int later_box_x(const ConfigStore& config) {
    return config.find_int("next_later_x", config.find_int("next_piece_x", 0));
}

int later_box_y(const ConfigStore& config) {
    return config.find_int("next_later_y",
                           config.find_int("next_piece_y", 0) + config.find_int("next_spacing", 0));
}

// The whole-number options by their keys; a missing key reads as the shipped value.
struct HandlingKey {
    const char* key;
    int HandlingOptions::*field;
};

const HandlingKey handling_keys[] = {
    {"lock_delay", &HandlingOptions::lock_delay},
    {"lock_resets", &HandlingOptions::lock_resets},
    {"next_count", &HandlingOptions::next_count},
    {"soft_drop_interval", &HandlingOptions::soft_drop_interval},
    {"drop_protect", &HandlingOptions::drop_protect},
};

}  // namespace

HandlingOptions read_handling(const ConfigStore& config) {
    const std::string* kicks_file = config.find("kicks_file");
    if (config.find_int("modern_handling", 0) != 0) {
        HandlingOptions modern = modern_handling_options();
        if (kicks_file != nullptr && !kicks_file->empty()) {
            modern.kicks_file = *kicks_file;
        }
        return modern;
    }
    HandlingOptions options;
    for (const HandlingKey& option : handling_keys) {
        options.*option.field = read_ranged(config, option.key, options.*option.field);
    }
    // The preview's pieces live in a fixed array.
    options.next_count = std::clamp(options.next_count, 1, max_next_count);
    options.kicks_file = kicks_file != nullptr ? *kicks_file : std::string();
    return options;
}

HandlingOptions modern_handling_options() {
    HandlingOptions modern;
    // Half a second lets a piece be slid into a gap under an overhang; fifteen restarts are
    // plenty for that and stop a piece being kept in the air for ever.
    modern.lock_delay = 500;
    modern.lock_resets = 15;
    modern.kicks_file = "kicks.txt";
    modern.next_count = max_next_count;
    // 30 ms a row crosses the well in 0.6 s: fast, but a row can still be picked by letting go.
    modern.soft_drop_interval = 30;
    // Longer than the gap between a landing and a hurried second press of the drop key.
    modern.drop_protect = 150;
    return modern;
}

void Game::start_handling() {
    handling = read_handling(*config);
    handling_state = HandlingState();
    if (handling.kicks_file != kicks_read_from) {
        load_kicks();
    }
    show_later_boxes();
}

void Game::load_kicks() {
    kicks_read_from = handling.kicks_file;
    kicks = Kicks();
    if (handling.kicks_file.empty()) {
        return;
    }
    KicksReading reading;
    int pieces = static_cast<int>(piece_descriptions.size());
    if (!read_kicks_file(handling.kicks_file, pieces, reading)) {
        std::printf("couldn't read kicks file: %s\n", handling.kicks_file.c_str());
    } else if (!reading.problems.empty()) {
        // A half-read table would turn some pieces one way and others another: all or none.
        for (const KicksProblem& problem : reading.problems) {
            std::printf("%s:%i: %s\n", handling.kicks_file.c_str(), problem.line,
                        problem.message.c_str());
        }
        std::printf("playing without kicks\n");
    } else {
        kicks = reading.kicks;
    }
    std::fflush(stdout);
}

void Game::show_later_boxes() {
    for (int i = 0; i < max_next_count - 1; i++) {
        std::string name = "next_piece" + int_to_text(i + 2);
        Element* element = compositor.find(name);
        bool shown = i + 1 < handling.next_count;
        // Added only once the preview is longer, so the classic game keeps its element list.
        if (element == nullptr && shown) {
            compositor.add(Element(name, later_boxes[i], later_box_x(*config),
                                   later_box_y(*config) + i * config->find_int("next_spacing", 0)));
        } else if (element != nullptr) {
            element->surface = shown ? later_boxes[i] : nullptr;
            element->dirty = true;
        }
    }
}

void Game::deal_later_pieces() {
    for (int i = 0; i + 1 < handling.next_count; i++) {
        later_pieces[i] = random_piece();
    }
}

Piece Game::take_next_piece() {
    Piece taken = next_piece;
    int later = handling.next_count - 1;
    if (later == 0) {
        next_piece = random_piece();
        return taken;
    }
    next_piece = later_pieces[0];
    std::copy(later_pieces + 1, later_pieces + later, later_pieces);
    later_pieces[later - 1] = random_piece();
    draw_later_pieces();
    return taken;
}

void Game::start_new_piece() {
    bool soft_drop_key = handling_state.soft_drop_key;
    bool soft_drop_pad = handling_state.soft_drop_pad;
    Uint32 next_soft_drop = handling_state.next_soft_drop;
    handling_state = HandlingState();
    handling_state.piece_since = pass_time;
    // A held down key goes on moving the next piece at its pace.
    handling_state.soft_drop_key = soft_drop_key;
    handling_state.soft_drop_pad = soft_drop_pad;
    handling_state.next_soft_drop = next_soft_drop;
}

bool Game::landing_waits() {
    if (handling.lock_delay <= 0) {
        return false;
    }
    if (!handling_state.resting) {
        // A piece kicked up or slid off a ledge rests again; that costs a restart too, or
        // turning on the floor for ever would keep it in play.
        if (handling_state.has_rested) {
            if (handling_state.resets_used >= handling.lock_resets) {
                return false;
            }
            handling_state.resets_used++;
        }
        handling_state.has_rested = true;
        handling_state.resting = true;
        handling_state.rest_since = pass_time;
        return true;
    }
    return static_cast<Sint32>(pass_time - handling_state.rest_since) < handling.lock_delay;
}

void Game::piece_moved() {
    if (!handling_state.resting) {
        return;
    }
    if (current_piece.can_move(0, 1)) {
        // Slid off its ledge: gravity takes it again, and it rests anew wherever it stops.
        handling_state.resting = false;
        return;
    }
    if (handling_state.resets_used < handling.lock_resets) {
        handling_state.resets_used++;
        handling_state.rest_since = pass_time;
    }
}

bool Game::rest_is_over() {
    return handling_state.resting && !paused && !collapse_pending && !landing_waits();
}

bool Game::turn_with_kicks(bool left) {
    bool direction = current_piece.alternates ? current_piece.next_turn_left : left;
    const Kicks::Turn* turn =
        kicks.find(current_piece.dealt_from, current_piece.orientation, direction);
    if (turn == nullptr) {
        return false;
    }
    for (int i = 0; i < turn->count; i++) {
        if (current_piece.turn_shifted(left, turn->offsets[i].dx, turn->offsets[i].dy)) {
            return true;
        }
    }
    return false;
}

bool Game::drop_protected() const {
    return static_cast<Sint32>(pass_time - handling_state.piece_since) < handling.drop_protect;
}

int Game::soft_drop_press(bool from_pad) {
    bool& held = from_pad ? handling_state.soft_drop_pad : handling_state.soft_drop_key;
    if (held) {
        return 0;  // a repeat of the held key: the soft drop's own pace moves the piece
    }
    held = true;
    handling_state.next_soft_drop = pass_time + static_cast<Uint32>(handling.soft_drop_interval);
    return move_if_free(0, 1);
}

void Game::key_released(const std::string& name) {
    if (handling_state.soft_drop_key && name == config->get_string("move_down_key")) {
        handling_state.soft_drop_key = false;
        note_release(true);
    }
}

bool Game::soft_drop_step(Uint32 now) {
    if (handling_state.soft_drop_pad &&
        (pad.held.kind == PadInput::none || !pad_bound(*config, "move_down_key", pad.held))) {
        handling_state.soft_drop_pad = false;
        note_release(true);
    }
    if (!handling_state.soft_drop_key && !handling_state.soft_drop_pad) {
        return false;
    }
    bool moved = false;
    while (!paused && !collapse_pending &&
           static_cast<Sint32>(now - handling_state.next_soft_drop) >= 0) {
        handling_state.next_soft_drop += static_cast<Uint32>(handling.soft_drop_interval);
        if (current_piece.can_move(0, 1)) {
            move_piece(0, 1);
            moved = true;
        }
    }
    if (paused || collapse_pending) {
        handling_state.next_soft_drop = now + static_cast<Uint32>(handling.soft_drop_interval);
    }
    return moved;
}

void Game::draw_later_pieces() {
    for (int i = 0; i + 1 < handling.next_count; i++) {
        clear_surface(later_boxes[i]);
        draw_piece_into(later_pieces[i], later_boxes[i]);
        if (Element* element = compositor.find("next_piece" + int_to_text(i + 2))) {
            element->dirty = true;
        }
    }
}
