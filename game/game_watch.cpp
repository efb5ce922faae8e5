// Watching a replay on the game screen: the recorded game is played on the very clock and steps
// of a headless replay, only paced by the wall clock, so that it shows what the player saw.
#include <SDL_ttf.h>

#include <cstdio>

#include "display/window_events.h"
#include "game/game.h"
#include "input/bindings.h"
#include "menu/menu.h"
#include "settings/settings_table.h"

namespace {

// The key names of a ", "-separated list, blanks around each name dropped.
std::vector<std::string> key_list(const std::string& text) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        std::string name = text.substr(start, comma == std::string::npos ? comma : comma - start);
        size_t first = name.find_first_not_of(' ');
        if (first != std::string::npos) {
            names.push_back(name.substr(first, name.find_last_not_of(' ') - first + 1));
        }
        start = comma == std::string::npos ? text.size() + 1 : comma + 1;
    }
    return names;
}

}  // namespace

int Game::replay_speed_of(const std::string& name) const {
    int speed = 1;
    for (const std::string& key : key_list(setting(*config, "replay_speed_keys"))) {
        if (key == name) {
            return speed;
        }
        speed *= 2;
    }
    return 0;
}

std::string Game::replay_line_text(const ReplayWatch& watching) const {
    const ReplayHeader& h = watching.replay->header;
    ConfigStore fields;
    fields.set_unsaved("player", h.player);
    fields.set_unsaved("date", h.date);
    fields.set_unsaved("mode", h.mode);
    fields.set_unsaved("speed", std::to_string(watching.speed));
    return substitute_keys(setting(*config, "replay_line_text"), &fields);
}

void Game::show_replay_line(const std::string& text) {
    Element* element = compositor.find("replay_line");
    if (element != nullptr) {
        element->surface = nullptr;
        element->dirty = true;
    }
    std::string font_file = setting(*config, "replay_line_font");
    if (text.empty() || font_file.empty()) {
        return;
    }
    init_text_rendering();
    int size = read_ranged(*config, "replay_line_size", 16);
    TTF_Font* font = TTF_OpenFont(font_file.c_str(), size);
    if (font == nullptr) {
        std::printf("couldn't load the replay line's font \"%s\": %s\n", font_file.c_str(),
                    TTF_GetError());
        std::fflush(stdout);
        return;
    }
    SDL_Color colour = parse_color(setting(*config, "replay_line_colour"));
    SDL_Surface* rendered = TTF_RenderText_Blended(font, text.c_str(), colour);
    int x = read_ranged(*config, "replay_line_x", 0);
    int y = read_ranged(*config, "replay_line_y", 0);
    // One box as wide as the screen from x, so that a shorter text leaves nothing behind.
    if (replay_line_box == nullptr) {
        replay_line_box =
            make_box(std::max(1, screen->w - x), TTF_FontLineSkip(font), "replay line");
    }
    TTF_CloseFont(font);
    clear_surface(replay_line_box);
    if (rendered != nullptr) {
        // Copied with its alpha: blended onto the transparent box it would stay invisible.
        SDL_SetAlpha(rendered, 0, 0);
        SDL_BlitSurface(rendered, nullptr, replay_line_box, nullptr);
        SDL_FreeSurface(rendered);
    }
    if (element == nullptr) {
        compositor.add(Element("replay_line", replay_line_box, x, y));
    } else {
        element->surface = replay_line_box;
    }
}

void Game::replay_until(ReplayWatch& watching, Uint32 until, bool& changed) {
    until = std::min(until, max_replay_ms);
    replay_inputs_through(*watching.replay, watching.next, until, watching.running, changed);
    // The clocks run on to the millisecond shown, as they would up to the next input.
    if (watching.running && static_cast<Sint32>(until - time_done) > 0) {
        catch_up(until + 1, watching.running, changed);
    }
    watching.shown = until;
}

void Game::step_to_next_piece(ReplayWatch& watching, bool& changed) {
    int pieces = pieces_played;
    while (watching.running && pieces_played == pieces && watching.shown < max_replay_ms) {
        replay_until(watching, watching.shown + 1, changed);
    }
}

WatchAsk Game::watch_event(const SDL_Event& event, ReplayWatch& watching) {
    if (event.type == SDL_QUIT) {
        return WatchAsk::close;
    }
    if (event.type != SDL_KEYDOWN) {
        return WatchAsk::go_on;
    }
    std::string name = SDL_GetKeyName(event.key.keysym.sym);
    // The leave key first, as in the game: a key bound twice goes back rather than anything.
    if (name == setting(*config, "leave_key")) {
        return WatchAsk::back;
    }
    if (name == setting(*config, "takeover_key") && watching.running) {
        return WatchAsk::take_over;
    }
    if (name == config->get_string("pause_key")) {
        watching.stopped = !watching.stopped;
    } else if (int speed = replay_speed_of(name)) {
        watching.speed = speed;
        show_replay_line(replay_line_text(watching));
    } else if (watching.stopped && name == config->get_string("move_right_key")) {
        bool changed = false;
        step_to_next_piece(watching, changed);
    }
    return WatchAsk::go_on;
}

void Game::take_over(Uint32 at) {
    // The game's clock goes on from the moment taken: the player's first pass is the next
    // millisecond.
    tick_offset = SDL_GetTicks() - at;
    time_done = at;
    pass_time = at;
    // The replay's hand may have held the down key; the player's does not.
    apply_input(ReplayAction::release);
    taken_over = true;
}

bool Game::watch(const Replay& replay) {
    // The replay's own inputs are recorded as it plays, so that a game taken over is kept
    // from its start.
    begin_replay(replay);
    ReplayWatch watching;
    watching.replay = &replay;
    show_replay_line(replay_line_text(watching));
    update_screen();
    Uint32 last_tick = SDL_GetTicks();
    WatchAsk ask = WatchAsk::go_on;
    bool lost_shown = false;
    while (ask == WatchAsk::go_on) {
        SDL_Event event;
        // Time spent waiting on a stopped replay is not the replay's to play.
        bool idle = watching.stopped || !watching.running;
        // A stopped or ended replay changes only on a key: it sleeps in SDL's wait meanwhile.
        if (idle ? wait_event(&event) != 0 : poll_event(&event) != 0) {
            ask = watch_event(event, watching);
            while (ask == WatchAsk::go_on && poll_event(&event) != 0) {
                ask = watch_event(event, watching);
            }
        }
        Uint32 now = SDL_GetTicks();
        bool changed = false;
        if (!idle && !watching.stopped && watching.running) {
            replay_until(watching, watching.shown + (now - last_tick) * watching.speed, changed);
        }
        last_tick = now;
        update_screen();
        // A lost game ends on the picture its player saw.
        if (!watching.running && reached_game_over && !lost_shown) {
            show_game_over_picture();
            pass_sounds.add(SoundEvent::game_over);
            lost_shown = true;
        }
        play_pass_sounds();
        SDL_Delay(idle ? 0 : 5);
    }
    show_replay_line("");
    if (ask != WatchAsk::take_over) {
        SDL_EnableKeyRepeat(0, 0);
        if (session != nullptr && session->audio != nullptr) {
            session->audio->stop_music();
        }
        return ask == WatchAsk::close;
    }
    update_screen();
    take_over(watching.shown);
    return play_on();
}
