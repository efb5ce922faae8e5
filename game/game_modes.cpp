// The ways to play: what each mode changes in the game, the clock of the timed modes and the
// counting behind the numbers of a game.
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "game/game.h"

namespace {

void show_element(Compositor& compositor, const char* name, SDL_Surface* surface) {
    if (Element* element = compositor.find(name)) {
        element->surface = surface;
        element->dirty = true;
    }
}

}  // namespace

void Game::load_mode_images() {
    int width = config->find_int("time_w", 0);
    int height = config->find_int("time_h", 0);
    if (width > 0 && height > 0) {
        time_box = make_box(width, height, "time box");
    }
    const std::string* file = config->find("timed_background_img");
    if (file == nullptr || file->empty()) {
        return;
    }
    SDL_Surface* loaded = IMG_Load(file->c_str());
    timed_background = loaded != nullptr ? SDL_DisplayFormat(loaded) : nullptr;
    SDL_FreeSurface(loaded);
    // The timed modes play as well on the usual background: no reason to stop the game.
    if (timed_background == nullptr) {
        std::printf(
            "couldn't load \"%s\" (\"timed_background_img\"): %s; the timed modes keep "
            "the usual background\n",
            file->c_str(), SDL_GetError());
        std::fflush(stdout);
    }
}

void Game::begin_mode(Uint32 now) {
    pieces_played = 0;
    piece_presses = 0;
    clock.start(now);
    shown_clock.clear();
    // Every player gets the same pieces on the same day.
    if (mode.mode == Mode::daily) {
        std::srand(mode.seed);
    }
    show_mode_look(now);
}

void Game::show_mode_look(Uint32 now) {
    bool timed = mode_info(mode.mode).timed;
    SDL_Surface* background =
        timed && timed_background != nullptr ? timed_background : background_image;
    Element* shown = compositor.find("background");
    if (shown != nullptr && shown->surface != background) {
        show_element(compositor, "background", background);
    }
    // A new game's first frame repaints the whole window: one pass over it, rather than one
    // per element that reset marked, each over the background again.
    if (shown != nullptr && shown->dirty) {
        compositor.full_redraw = true;
    }
    if (!timed || time_box == nullptr) {
        show_element(compositor, "time", nullptr);
        return;
    }
    // Added at the first timed game, so the classic game keeps its element list.
    if (compositor.find("time") == nullptr) {
        compositor.add(Element("time", time_box, config->find_int("time_x", 0),
                               config->find_int("time_y", 0)));
    }
    draw_clock(now);
}

bool Game::level_rises() const {
    return mode.mode != Mode::zen;
}

bool Game::top_out() {
    pieces_played++;
    if (mode.mode != Mode::zen) {
        return true;
    }
    for (std::vector<Uint8>& row : board) {
        std::fill(row.begin(), row.end(), empty_cell);
    }
    collapse_pending = false;
    // Through the preview's queue, so the pieces shown next still come in their order.
    current_piece = take_next_piece();
    start_new_piece();
    hold_used = false;
    draw_next_piece();
    return false;
}

bool Game::goal_reached(Uint32 now) const {
    if (mode.mode == Mode::sprint) {
        return lines >= mode.sprint_lines;
    }
    if (mode.mode == Mode::ultra) {
        return clock.played(now) >= static_cast<Uint32>(mode.ultra_seconds) * 1000;
    }
    return false;
}

bool Game::draw_clock(Uint32 now) {
    if (!mode_info(mode.mode).timed || time_box == nullptr) {
        return false;
    }
    Uint32 played = numbers(now).played_ms;
    // Ultra counts down what is left, sprint up what it has taken.
    Uint32 shown = mode.mode == Mode::ultra ? mode.ultra_seconds * 1000u - played : played;
    std::string digits = clock_digits(shown);
    if (digits == shown_clock) {
        return false;
    }
    shown_clock = digits;
    draw_digits(digits, time_box, small_num_font);
    show_element(compositor, "time", time_box);
    return true;
}

void Game::follow_mode(Uint32 now, bool& running, bool& changed) {
    if (draw_clock(now)) {
        changed = true;
    }
    if (goal_reached(now)) {
        clock.stop(now);
        running = false;
        last_end = GameEnd::finished;
    }
}

int Game::count_press(const std::string& action, int result) {
    bool on_piece = action != "pause_key" && action != "leave_key" && action != "fullscreen_key";
    // 0: the key did nothing (a move into a wall, a refused turn).
    if (on_piece && result != 0) {
        piece_presses++;
    }
    return result;
}

GameNumbers Game::numbers(Uint32 now) const {
    GameNumbers counted;
    counted.points = points;
    counted.lines = lines;
    counted.level = level;
    counted.pieces = pieces_played;
    counted.presses = piece_presses;
    counted.played_ms = clock.played(now);
    // The pass that notices the end of an ultra game comes a moment after it.
    if (mode.mode == Mode::ultra) {
        counted.played_ms = std::min(counted.played_ms, mode.ultra_seconds * 1000u);
    }
    return counted;
}

bool Game::has_result() const {
    // A game taken over from a replay was partly played by someone else.
    if (taken_over || !mode_info(mode.mode).ranked) {
        return false;
    }
    if (mode.mode == Mode::sprint) {
        return last_end == GameEnd::finished;
    }
    return reached_game_over || last_end == GameEnd::finished;
}
