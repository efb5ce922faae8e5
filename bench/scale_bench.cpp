// The cost of showing a move in a scaled window: the areas a move changes (eight cells: the
// four it leaves and the four it takes) scaled from the layout picture onto a display that
// many times larger. The pixels sent grow as the scale squared, the work with them.
#include <vector>

#include "bench/benchmarks.h"
#include "compositor/scaled_window.h"

void move_scaled(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    const int block = 26;
    SDL_Surface* layout = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0xff0000, 0xff00,
                                               0xff, 0);
    SDL_Surface* display = SDL_CreateRGBSurface(SDL_SWSURFACE, 800 * scale, 600 * scale, 32,
                                                0xff0000, 0xff00, 0xff, 0);
    std::vector<SDL_Rect> cells;
    for (int k = 0; k < 8; k++) {
        cells.push_back(SDL_Rect{static_cast<Sint16>(270 + block * (k % 4)),
                                 static_cast<Sint16>(40 + block * (k / 4)), block, block});
    }
    long long sent = 0;
    for (auto _ : state) {
        for (const SDL_Rect& cell : cells) {
            scale_area(layout, display, cell, scale, 0, 0);
            sent += static_cast<long long>(cell.w) * cell.h * scale * scale;
        }
    }
    state.counters["pixels_sent"] =
        benchmark::Counter(static_cast<double>(sent), benchmark::Counter::kAvgIterations);
    state.counters["of_move_at_1x"] = benchmark::Counter(
        static_cast<double>(sent) / (8.0 * block * block), benchmark::Counter::kAvgIterations);
    SDL_FreeSurface(display);
    SDL_FreeSurface(layout);
}
