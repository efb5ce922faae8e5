// The cost of pointer motion in the main menu: a hover change redraws one button's area,
// motion that changes nothing draws nothing.
#include "bench/alloc_counter.h"
#include "bench/bench_support.h"
#include "bench/benchmarks.h"

namespace {

struct Point {
    int x;
    int y;
};

// The centre of the hit rectangle of the button answering `word`; (-1, -1) when none does.
Point button_centre(Menu& menu, const std::string& word) {
    for (size_t k = 0; k < menu.button_rects.size(); k++) {
        int number = static_cast<int>(k + 1);
        if (menu.config.get_string("button" + int_to_text(number) + "_return") == word) {
            const SDL_Rect& rect = menu.button_rects[k];
            return Point{rect.x + rect.w / 2, rect.y + rect.h / 2};
        }
    }
    return Point{-1, -1};
}

// The menu fully painted with the pointer at `at`, as run() starts.
void show_menu(Menu& menu, Point at) {
    menu.screen = world().screen;
    menu.compositor.full_redraw = true;
    menu.update_hover(at.x, at.y);
    menu.compositor.redraw(menu.screen);
    SDL_Flip(menu.screen);
}

// What run() does with one motion event.
bool follow_pointer(Menu& menu, Point at) {
    if (!menu.update_hover(at.x, at.y)) {
        return false;
    }
    menu.compositor.redraw(menu.screen);
    SDL_Flip(menu.screen);
    return true;
}

void motion_benchmark(benchmark::State& state, Point first, Point second, bool must_change) {
    Menu& menu = *world().main_menu;
    show_menu(menu, second);
    long long changes = 0;
    bool at_first = true;
    Uint64 written_before = menu.compositor.pixels_drawn;
    AllocCount allocations;
    for (auto _ : state) {
        changes += follow_pointer(menu, at_first ? first : second) ? 1 : 0;
        at_first = !at_first;
    }
    long long iterations = state.iterations();
    double new_per_op = allocations.new_per_op(iterations);
    double malloc_per_op = allocations.c_malloc_per_op(iterations);
    double written = static_cast<double>(menu.compositor.pixels_drawn - written_before) /
                     static_cast<double>(iterations);
    if (changes != (must_change ? iterations : 0)) {
        fail(state, must_change ? "the hover image did not change" : "a button lit up");
        return;
    }
    state.counters["px_written"] = written;
    state.counters["new_per_op"] = new_per_op;
    state.counters["malloc_per_op"] = malloc_per_op;
}

}  // namespace

void menu_hover_change(benchmark::State& state) {
    Point play = button_centre(*world().main_menu, "play");
    if (play.x < 0) {
        fail(state, "the main menu has no \"play\" button");
        return;
    }
    // Into the button and out again, to an empty corner of the menu.
    motion_benchmark(state, play, Point{4, world().screen->h - 4}, true);
}

void menu_motion_no_change(benchmark::State& state) {
    int bottom = world().screen->h - 4;
    motion_benchmark(state, Point{4, bottom}, Point{12, bottom - 8}, false);
}
