// The game loop: one call of play is one game. Events, the fall clock and redrawing take
// turns on the main thread; the keys come from the preferences on every press.
#include "game/game.h"

namespace {

// What handle_event reports to play.
const int nothing_changed = 0;
const int board_changed = 1;
const int game_ended = 2;
const int quit_requested = 3;

}  // namespace

bool Game::play() {
    reached_game_over = false;
    // Dealing needs at least one description; the shell tells the player why nothing starts.
    if (!has_pieces()) {
        return false;
    }
    start_game();
    bool running = true;
    bool quit = false;
    while (running) {
        bool changed = false;
        if (paused) {
            sleep_until_event(running, quit, changed);
        }
        handle_queued_events(running, quit, changed);
        FallSteps steps = advance_fall_clock(SDL_GetTicks());
        if (steps.game_over) {
            running = false;
            reached_game_over = true;
        }
        if (steps.changed) {
            changed = true;
        }
        if (changed) {
            update_screen();
        }
        if (!running && !quit) {
            pass_sounds.add(SoundEvent::game_over);
        }
        play_pass_sounds();
        SDL_Delay(1);
    }
    if (audio != nullptr) {
        audio->stop_music();
    }
    if (!quit) {
        quit = show_game_over();
    }
    return quit;
}

void Game::start_game() {
    // Read at every start: the player may have changed the repeat on the preferences screen,
    // and the game-over screen switches it off.
    SDL_EnableKeyRepeat(config->get_int("key_repeat_delay"), config->get_int("key_repeat_rate"));
    current_piece = random_piece();
    next_piece = random_piece();
    draw_next_piece();
    draw_level();
    draw_points();
    draw_lines();
    show_hold_box();
    update_screen();
    pass_sounds = SoundEvents();
    if (audio != nullptr) {
        audio->start_music();
    }
    last_fall = SDL_GetTicks();
}

void Game::play_pass_sounds() {
    if (audio != nullptr) {
        audio->play(pass_sounds);
    }
    pass_sounds = SoundEvents();
}

void Game::handle_queued_events(bool& running, bool& quit, bool& changed) {
    SDL_Event event;
    // Once the game has ended, the rest of the queue is left alone, apart from the one event
    // taken when the end was noticed.
    while (SDL_PollEvent(&event) != 0 && running) {
        take_result(handle_event(event), running, quit, changed);
    }
}

void Game::sleep_until_event(bool& running, bool& quit, bool& changed) {
    // Nothing on the board can change before an event comes, so a paused game sleeps in SDL's
    // wait, as a menu does, rather than polling a thousand times a second. The event it wakes
    // on is the first in the queue and is handled here, before the rest.
    SDL_Event event;
    if (SDL_WaitEvent(&event) != 0) {
        take_result(handle_event(event), running, quit, changed);
    }
}

void Game::take_result(int result, bool& running, bool& quit, bool& changed) {
    if (result == board_changed) {
        changed = true;
    } else if (result == game_ended) {
        running = false;
        reached_game_over = true;
    } else if (result == quit_requested) {
        running = false;
        quit = true;
    }
}

Game::FallSteps Game::advance_fall_clock(Uint32 now) {
    FallSteps steps{false, false};
    while (!paused && fall_is_due(now)) {
        if (gravity_step() == GravityResult::game_over) {
            steps.game_over = true;
        } else {
            steps.changed = true;
        }
        // One interval per step, never "now": a held-up loop catches up and the average
        // fall rate holds.
        last_fall += fall_interval;
    }
    return steps;
}

bool Game::fall_is_due(Uint32 now) const {
    // Compare elapsed time rather than now against last_fall + fall_interval: the sum wraps
    // when the tick counter nears 2^32 (after 49 days) and would either freeze the pieces or
    // run millions of steps at once. The elapsed time stays right across the wrap.
    return static_cast<Sint32>(now - last_fall) > static_cast<Sint32>(fall_interval);
}

int Game::handle_event(const SDL_Event& event) {
    switch (event.type) {
        case SDL_ACTIVEEVENT:
            handle_focus(event.active);
            return nothing_changed;
        case SDL_KEYDOWN:
            return handle_key(SDL_GetKeyName(event.key.keysym.sym));
        case SDL_QUIT:
            return quit_requested;
        default:
            return nothing_changed;
    }
}

void Game::handle_focus(const SDL_ActiveEvent& active) {
    // Equality, not a bit test: an event that reports focus and visibility together (6)
    // leaves the game running, and getting focus back never resumes it.
    bool lost =
        (active.state == SDL_APPINPUTFOCUS || active.state == SDL_APPACTIVE) && active.gain == 0;
    if (lost && !paused) {
        toggle_pause();
    }
}

int Game::handle_key(const std::string& name) {
    // The bindings are looked up on every press, in this order, so a key rebound on the
    // preferences screen counts at once and a key bound twice does the earlier action.
    if (name == config->get_string("pause_key")) {
        toggle_pause();
        // Resuming leaves the board hidden until the next update_screen.
        return paused ? nothing_changed : board_changed;
    }
    // Muting works in every state, paused included.
    if (audio != nullptr && audio->toggle_mute_if(name)) {
        return nothing_changed;
    }
    if (paused || collapse_pending) {
        return nothing_changed;
    }
    if (name == config->get_string("turn_left_key")) {
        return turn_if_free(true);
    }
    if (name == config->get_string("turn_right_key")) {
        return turn_if_free(false);
    }
    if (name == config->get_string("move_left_key")) {
        return move_if_free(-1, 0);
    }
    if (name == config->get_string("move_right_key")) {
        return move_if_free(1, 0);
    }
    if (name == config->get_string("move_down_key")) {
        return move_if_free(0, 1);
    }
    if (name == config->get_string("drop_key")) {
        return drop_current_piece();
    }
    // Last, so that a key bound to an action of the classic game keeps doing that action.
    if (option_on("hold_piece") && name == config->get_string("hold_key")) {
        return hold_current_piece() ? board_changed : nothing_changed;
    }
    return nothing_changed;
}

int Game::move_if_free(int dx, int dy) {
    if (!current_piece.can_move(dx, dy)) {
        return nothing_changed;
    }
    move_piece(dx, dy);
    pass_sounds.add(SoundEvent::move);
    return board_changed;
}

int Game::turn_if_free(bool left) {
    // A refused turn is silent, like a refused move.
    if (!turn_piece(left)) {
        return nothing_changed;
    }
    pass_sounds.add(SoundEvent::turn);
    return board_changed;
}

int Game::drop_current_piece() {
    // The drop key judges the end by the position row, not by top_row as gravity does.
    if (!current_piece.can_move(0, 1) && current_piece.y < 0) {
        return game_ended;
    }
    land_piece();
    pass_sounds.add(SoundEvent::drop);
    // The new piece gets a whole interval before its first step.
    last_fall = SDL_GetTicks();
    return board_changed;
}
