// The game loop: one call of play is one game. Events, the fall clock and redrawing take
// turns on the main thread; the keys come from the preferences on every press.
#include "config/player_prefs.h"
#include "display/window_events.h"
#include "game/game.h"
#include "input/bindings.h"

namespace {

// What handle_event reports to play.
const int nothing_changed = 0;
const int board_changed = 1;
const int game_ended = 2;
const int quit_requested = 3;
const int game_left = 4;
const int game_restarted = 5;

// Results by how much they end: of several presses in one event, the strongest counts.
int stronger(int a, int b) {
    auto weight = [](int result) { return result == board_changed ? 1 : result == 0 ? 0 : 2; };
    return weight(b) > weight(a) ? b : a;
}

}  // namespace

const char* const game_actions[10] = {
    "pause_key",     "leave_key",      "fullscreen_key", "turn_left_key", "turn_right_key",
    "move_left_key", "move_right_key", "move_down_key",  "drop_key",      "hold_key"};

bool Game::play() {
    reached_game_over = false;
    // Dealing needs at least one description; the shell tells the player why nothing starts.
    if (!has_pieces()) {
        return false;
    }
    // Every game starts at 0 on its own clock.
    tick_offset = SDL_GetTicks();
    taken_over = false;
    start_game(0);
    return play_on();
}

bool Game::play_on() {
    watch_look(SDL_GetTicks());
    bool running = true;
    bool quit = false;
    last_end = GameEnd::lost;
    while (running) {
        bool changed = false;
        if (paused) {
            sleep_until_event(running, quit, changed);
        } else {
            catch_up(next_pass_time(), running, changed);
        }
        handle_queued_events(running, quit, changed);
        reload_if_changed(SDL_GetTicks());
        PadInput repeated;
        if (running && pad.repeat_due(SDL_GetTicks(), repeated)) {
            take_result(handle_pad(repeated), running, quit, changed);
        }
        // A game that has just ended stays as it ended, whatever the clocks would have done.
        if (running) {
            time_passes(pass_time, running, changed);
        }
        if (changed) {
            update_screen();
        }
        if (!running && !quit && last_end == GameEnd::lost) {
            pass_sounds.add(SoundEvent::game_over);
        }
        play_pass_sounds();
        SDL_Delay(1);
    }
    record_input(ReplayAction::end);
    clock.stop(pass_time);
    if (session != nullptr && session->audio != nullptr) {
        session->audio->stop_music();
    }
    if (last_end == GameEnd::left || last_end == GameEnd::restarted) {
        leave_game();
        return false;
    }
    // A goal reached is no defeat: no game-over picture.
    if (last_end == GameEnd::finished) {
        SDL_EnableKeyRepeat(0, 0);
        return false;
    }
    if (!quit) {
        quit = show_game_over();
    }
    if (quit) {
        last_end = GameEnd::closed;
    }
    return quit;
}

void Game::leave_game() {
    // As after the game-over picture: no key repeat in the menus, and no paused picture left
    // over the well for the next game.
    SDL_EnableKeyRepeat(0, 0);
    if (paused) {
        resume_game(pass_time);
    }
}

void Game::start_game(Uint32 now) {
    // Read at every start: the player may have changed the repeat on the preferences screen,
    // and the game-over screen switches it off.
    KeyRepeat repeat = key_repeat(*config);
    SDL_EnableKeyRepeat(repeat.delay, repeat.rate);
    // A held pad direction repeats like a held key; nothing held carries over from the menus.
    pad = PadReader();
    pad.repeat_delay = repeat.delay;
    pad.repeat_rate = repeat.rate;
    start_handling();
    // A down key held when the last game ended was let go in the menus, unseen by the game.
    handling_state = HandlingState();
    time_done = now;
    pass_time = now;
    choose_seed();
    begin_mode(now);
    current_piece = random_piece();
    next_piece = random_piece();
    deal_later_pieces();
    start_new_piece();
    draw_next_piece();
    draw_later_pieces();
    draw_level();
    draw_points();
    draw_lines();
    show_hold_box();
    update_screen();
    pass_sounds = SoundEvents();
    if (session != nullptr && session->audio != nullptr) {
        session->audio->start_music();
    }
    last_fall = now;
}

void Game::play_pass_sounds() {
    if (session != nullptr && session->audio != nullptr) {
        session->audio->play(pass_sounds);
    }
    pass_sounds = SoundEvents();
}

void Game::handle_queued_events(bool& running, bool& quit, bool& changed) {
    SDL_Event event;
    // Once the game has ended, the rest of the queue is left alone, apart from the one event
    // taken when the end was noticed.
    while (poll_event(&event) != 0 && running) {
        take_result(handle_event(event), running, quit, changed);
    }
}

void Game::sleep_until_event(bool& running, bool& quit, bool& changed) {
    // Nothing on the board can change before an event comes, so a paused game sleeps in SDL's
    // wait, as a menu does, rather than polling a thousand times a second. The event it wakes
    // on is the first in the queue and is handled here, before the rest.
    SDL_Event event;
    if (wait_event(&event) != 0) {
        catch_up(next_pass_time(), running, changed);
        take_result(handle_event(event), running, quit, changed);
    } else {
        catch_up(next_pass_time(), running, changed);
    }
}

void Game::take_result(int result, bool& running, bool& quit, bool& changed) {
    if (result == board_changed) {
        changed = true;
    } else if (result == game_ended) {
        // Zen empties the well instead, and the game goes on.
        if (top_out()) {
            running = false;
            reached_game_over = true;
        } else {
            changed = true;
        }
    } else if (result == quit_requested) {
        running = false;
        quit = true;
    } else if (result == game_left || result == game_restarted) {
        running = false;
        last_end = result == game_left ? GameEnd::left : GameEnd::restarted;
    }
}

Game::FallSteps Game::advance_fall_clock(Uint32 now) {
    FallSteps steps{false, false};
    pass_time = now;
    auto count = [&steps](GravityResult result) {
        if (result == GravityResult::game_over) {
            steps.game_over = true;
        } else {
            steps.changed = true;
        }
    };
    while (!paused && fall_is_due(now)) {
        count(gravity_step());
        // One interval per step, never "now": a held-up loop catches up and the average
        // fall rate holds.
        last_fall += fall_interval;
    }
    // A lock delay runs out between the steps of the fall clock, not at its next step.
    if (rest_is_over()) {
        count(gravity_step());
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
        case SDL_KEYUP:
            key_released(SDL_GetKeyName(event.key.keysym.sym));
            return nothing_changed;
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYHATMOTION:
        case SDL_JOYAXISMOTION:
            return handle_pad_event(event);
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
    // The bindings are looked up on every press, in order, so a key rebound on the
    // preferences screen counts at once and a key bound twice does the earlier action.
    if (name == config->get_string("pause_key")) {
        return perform("pause_key");
    }
    // Muting works in every state, paused included.
    if (session != nullptr && session->mute_if(name)) {
        return nothing_changed;
    }
    // So does a restart, before any action of the game that shares its key.
    if (name == setting(*config, "restart_key")) {
        return game_restarted;
    }
    for (const char* action : game_actions) {
        if (name == bound_key(action)) {
            return count_press(action, perform(action));
        }
    }
    return nothing_changed;
}

std::string Game::bound_key(const std::string& action) {
    if (action == "leave_key" || action == "fullscreen_key") {
        return setting(*config, action);
    }
    // Last and only with its option on, so that a key bound to an action of the classic game
    // keeps doing that action.
    if (action == "hold_key" && !option_on("hold_piece")) {
        return "";
    }
    return config->get_string(action);
}

int Game::handle_pad(const PadInput& input) {
    // As from the keyboard: muting comes after pausing and works in every state.
    if (session != nullptr && !pad_bound(*config, "pause_key", input) && session->mute_if(input)) {
        return nothing_changed;
    }
    if (pad_bound(*config, "restart_key", input)) {
        return game_restarted;
    }
    for (const char* action : game_actions) {
        if (action == std::string("hold_key") && !option_on("hold_piece")) {
            continue;
        }
        if (pad_bound(*config, action, input)) {
            return count_press(action, perform(action, true));
        }
    }
    return nothing_changed;
}

int Game::handle_pad_event(const SDL_Event& event) {
    int result = nothing_changed;
    for (const PadInput& input : pad.presses(event, SDL_GetTicks())) {
        result = stronger(result, handle_pad(input));
    }
    return result;
}

int Game::perform(const std::string& action, bool from_pad) {
    if (action == "pause_key") {
        toggle_pause();
        // Resuming leaves the board hidden until the next update_screen.
        return paused ? nothing_changed : board_changed;
    }
    // Leaving and the window's mode work while paused too.
    if (action == "leave_key") {
        return game_left;
    }
    if (action == "fullscreen_key") {
        // Repainted as it stands: an update_screen would show the blocks a pause hides.
        if (session != nullptr && session->switch_fullscreen() && screen != nullptr) {
            compositor.full_redraw = true;
            compositor.redraw(screen);
            compositor.present(screen);
        }
        return nothing_changed;
    }
    if (paused || collapse_pending) {
        return nothing_changed;
    }
    bool was_held = soft_drop_held();
    int result = act_on_piece(action, from_pad);
    // A press that did nothing is no input of the game; one that began a soft drop is.
    if (recording && (result != nothing_changed || soft_drop_held() != was_held)) {
        record_input(replay_input_of(action));
    }
    return result;
}

int Game::act_on_piece(const std::string& action, bool from_pad) {
    if (action == "turn_left_key") {
        return turn_if_free(true);
    }
    if (action == "turn_right_key") {
        return turn_if_free(false);
    }
    if (action == "move_left_key") {
        return move_if_free(-1, 0);
    }
    if (action == "move_right_key") {
        return move_if_free(1, 0);
    }
    if (action == "move_down_key") {
        return handling.soft_drop_interval > 0 ? soft_drop_press(from_pad) : move_if_free(0, 1);
    }
    if (action == "drop_key") {
        return drop_protected() ? nothing_changed : drop_current_piece();
    }
    return hold_current_piece() ? board_changed : nothing_changed;
}

int Game::move_if_free(int dx, int dy) {
    if (!current_piece.can_move(dx, dy)) {
        return nothing_changed;
    }
    move_piece(dx, dy);
    piece_moved();
    pass_sounds.add(SoundEvent::move);
    return board_changed;
}

int Game::turn_if_free(bool left) {
    // A refused turn is silent, like a refused move.
    if (!turn_piece(left)) {
        return nothing_changed;
    }
    piece_moved();
    pass_sounds.add(SoundEvent::turn);
    return board_changed;
}

int Game::drop_current_piece() {
    // The piece falls as far as it can, then the end is judged as gravity judges it, by its
    // highest block: a piece that cannot enter the well ends the game instead of landing
    // with its blocks above the well thrown away.
    bool moved = false;
    while (current_piece.board != nullptr && current_piece.can_move(0, 1)) {
        move_piece(0, 1);
        moved = true;
    }
    if (current_piece.top_row() < 0) {
        if (moved) {
            update_screen();  // the game-over picture shows where the piece stopped
        }
        return game_ended;
    }
    land_piece();
    pass_sounds.add(SoundEvent::drop);
    // The new piece gets a whole interval before its first step.
    last_fall = pass_time;
    return board_changed;
}
