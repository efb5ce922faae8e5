// The cost of a frame during play: a move, its full-repaint baseline, a four-row landing and
// the collapse after it.
#include <cstdint>

#include "bench/alloc_counter.h"
#include "bench/bench_scenes.h"
#include "bench/bench_support.h"
#include "bench/benchmarks.h"

namespace {

// Moves made with a screenshot around each, to count the pixels a move really changes.
const int weighed_moves = 16;

struct MoveWeight {
    double written;  // pixels the compositor wrote, per move
    double changed;  // pixels that differ on screen after the move, per move
};

// Makes moves left and right in turn with update_screen. These are also the first frames
// after the set-up, so anything a move allocates only once happens here, untimed.
MoveWeight weigh_moves(Game& game, const SDL_Event& left, const SDL_Event& right) {
    Uint64 written_before = game.compositor.pixels_drawn;
    long long changed = 0;
    for (int k = 0; k < weighed_moves; k++) {
        ScreenShot before(game.screen);
        game.handle_event(k % 2 == 0 ? left : right);
        game.update_screen();
        changed += before.changed_pixels(game.screen);
    }
    double written = static_cast<double>(game.compositor.pixels_drawn - written_before);
    return MoveWeight{written / weighed_moves, static_cast<double>(changed) / weighed_moves};
}

// How a move shows itself on the display after the redraw.
enum class Showing { nothing, flip, changed_cells };

// The most cells one move can change: four left, four entered.
const int most_changed_cells = 8;

void show_move(Game& game, Showing showing) {
    if (showing == Showing::flip) {
        game.update_screen();
        return;
    }
    SDL_Rect changed[most_changed_cells];
    int count = redraw_changed_cells(game, changed, most_changed_cells);
    if (showing == Showing::changed_cells) {
        SDL_UpdateRects(game.screen, count, changed);
    }
}

// With modern, every handling option is on, and the piece counts as resting before each move,
// so that the move also takes the lock delay's longest path (the test whether it can fall, and
// the restart of its wait) and the pass's soft drop and lock checks.
void move_benchmark(benchmark::State& state, Showing showing, const char* figure,
                    bool modern = false, bool recording = false) {
    Game& game = *world().game;
    game.recording = recording;
    game.recorded.clear();
    game.recorded.reserve(8192);
    world().prefs.set("modern_handling", modern ? "1" : "0");
    game.start_handling();
    if (!set_up_half_filled_board(game)) {
        fail(state, "the pieces file gives no piece");
        return;
    }
    SDL_Event left = world().key_event("move_left_key");
    SDL_Event right = world().key_event("move_right_key");
    MoveWeight weight = weigh_moves(game, left, right);

    long long moves = 0;
    bool go_left = true;
    Uint64 written_before = game.compositor.pixels_drawn;
    AllocCount allocations;
    LoopClock clock;
    for (auto _ : state) {
        if (modern) {
            game.handling_state.resting = true;
            game.pass_time++;
        }
        moves += game.handle_event(go_left ? left : right);
        // As a game's own recording, which starts each game with this room.
        if (game.recorded.size() == game.recorded.capacity()) {
            game.recorded.clear();
        }
        if (modern) {
            game.soft_drop_step(game.pass_time);
            benchmark::DoNotOptimize(game.rest_is_over());
        }
        show_move(game, showing);
        go_left = !go_left;
    }
    OpTime time = clock.per_iteration(state);
    long long iterations = state.iterations();
    double new_per_op = allocations.new_per_op(iterations);
    double malloc_per_op = allocations.c_malloc_per_op(iterations);
    double written = static_cast<double>(game.compositor.pixels_drawn - written_before) /
                     static_cast<double>(iterations);
    if (moves != iterations) {
        fail(state, "a move was refused: the piece is stuck");
        return;
    }
    state.counters["px_written"] = written;
    state.counters["px_changed"] = weight.changed;
    state.counters["written_per_changed"] = weight.written / weight.changed;
    state.counters["new_per_op"] = new_per_op;
    state.counters["malloc_per_op"] = malloc_per_op;
    record_figure(figure, time, written);
}

void full_repaint_benchmark(benchmark::State& state, bool flip, const char* figure) {
    Game& game = *world().game;
    if (!set_up_half_filled_board(game)) {
        fail(state, "the pieces file gives no piece");
        return;
    }
    Uint64 written_before = game.compositor.pixels_drawn;
    AllocCount allocations;
    LoopClock clock;
    for (auto _ : state) {
        game.compositor.full_redraw = true;
        game.compositor.redraw(game.screen);
        if (flip) {
            SDL_Flip(game.screen);
        }
    }
    OpTime time = clock.per_iteration(state);
    long long iterations = state.iterations();
    double new_per_op = allocations.new_per_op(iterations);
    double written = static_cast<double>(game.compositor.pixels_drawn - written_before) /
                     static_cast<double>(iterations);
    state.counters["px_written"] = written;
    state.counters["new_per_op"] = new_per_op;
    record_figure(figure, time, written);
}

// Pixels and allocations of the timed parts of a benchmark whose set-up runs untimed.
struct TimedWork {
    Uint64 pixels = 0;
    unsigned long long news = 0;

    void add(Uint64 pixels_before, Uint64 pixels_after, unsigned long long news_before) {
        pixels += pixels_after - pixels_before;
        news += new_calls() - news_before;
    }
    void report(benchmark::State& state) const {
        double iterations = static_cast<double>(state.iterations());
        state.counters["px_written"] = static_cast<double>(pixels) / iterations;
        state.counters["new_per_op"] = static_cast<double>(news) / iterations;
    }
};

}  // namespace

void move_with_flip(benchmark::State& state) {
    move_benchmark(state, Showing::flip, "move_flip");
}

void move_compositor_only(benchmark::State& state) {
    move_benchmark(state, Showing::nothing, "move_no_flip");
}

void move_with_flip_recording(benchmark::State& state) {
    move_benchmark(state, Showing::flip, "move_flip_recording", false, true);
    world().game->recording = false;
}

void move_compositor_only_recording(benchmark::State& state) {
    move_benchmark(state, Showing::nothing, "move_no_flip_recording", false, true);
    world().game->recording = false;
}

void move_modern_handling(benchmark::State& state) {
    move_benchmark(state, Showing::flip, "move_flip_modern", true);
    world().prefs.set("modern_handling", "0");
    world().game->start_handling();
}

void move_updating_changed_cells(benchmark::State& state) {
    move_benchmark(state, Showing::changed_cells, "move_update_rects");
}

void full_repaint(benchmark::State& state) {
    full_repaint_benchmark(state, false, "full_repaint");
}

void full_repaint_with_flip(benchmark::State& state) {
    full_repaint_benchmark(state, true, "full_repaint_flip");
}

void landing_four_rows(benchmark::State& state) {
    Game& game = *world().game;
    SDL_Event drop = world().key_event("drop_key");
    TimedWork work;
    for (auto _ : state) {
        state.PauseTiming();
        if (!set_up_four_row_landing(game)) {
            fail(state, "no straight piece to clear four rows with");
            return;
        }
        Uint64 pixels_before = game.compositor.pixels_drawn;
        unsigned long long news_before = new_calls();
        state.ResumeTiming();
        game.handle_event(drop);
        game.update_screen();
        work.add(pixels_before, game.compositor.pixels_drawn, news_before);
    }
    if (game.lines != 4 || !game.collapse_pending) {
        fail(state, "the landing did not clear four rows");
        return;
    }
    work.report(state);
}

void collapse_after_four_rows(benchmark::State& state) {
    Game& game = *world().game;
    SDL_Event drop = world().key_event("drop_key");
    TimedWork work;
    GravityResult result = GravityResult::moved;
    for (auto _ : state) {
        state.PauseTiming();
        if (!set_up_four_row_landing(game)) {
            fail(state, "no straight piece to clear four rows with");
            return;
        }
        game.handle_event(drop);
        game.update_screen();
        Uint64 pixels_before = game.compositor.pixels_drawn;
        unsigned long long news_before = new_calls();
        state.ResumeTiming();
        result = game.gravity_step();
        game.update_screen();
        work.add(pixels_before, game.compositor.pixels_drawn, news_before);
    }
    if (result != GravityResult::collapsed || !rows_closed_up(game)) {
        fail(state, "the gravity step did not close the rows up");
        return;
    }
    work.report(state);
}

void restart_to_first_frame(benchmark::State& state) {
    Game& game = *world().game;
    if (!set_up_half_filled_board(game)) {
        fail(state, "the pieces file gives no piece");
        return;
    }
    SDL_Event restart = world().key_event("restart_key");
    TimedWork work;
    int answer = 0;
    for (auto _ : state) {
        Uint64 pixels_before = game.compositor.pixels_drawn;
        unsigned long long news_before = new_calls();
        // What the restart key sets off: the key's answer, the well emptied and the counters
        // zeroed, the new game's pieces dealt and its first frame drawn and flipped.
        answer = game.handle_event(restart);
        game.reset();
        game.start_game(0);
        work.add(pixels_before, game.compositor.pixels_drawn, news_before);
    }
    if (answer != 5 || game.lines != 0 || game.pieces_played != 0) {
        fail(state, "the restart key did not start a new game");
        return;
    }
    work.report(state);
}
