#include "bench/bench_support.h"

#include <time.h>

#include <cstdio>
#include <map>

namespace {

BenchWorld* opened_world = nullptr;
bool failed = false;

struct Figure {
    OpTime time;
    double pixels;
};
std::map<std::string, Figure> figures;

long long clock_ns(clockid_t clock) {
    timespec now;
    clock_gettime(clock, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

void print_ratio(const char* what, const char* full, const char* part) {
    auto whole = figures.find(full);
    auto small = figures.find(part);
    if (whole == figures.end() || small == figures.end() || small->second.time.wall <= 0 ||
        small->second.time.cpu <= 0) {
        return;
    }
    const Figure& full_figure = whole->second;
    const Figure& part_figure = small->second;
    double pixels = part_figure.pixels > 0 ? full_figure.pixels / part_figure.pixels : 0;
    std::printf("%-40s CPU time x%.2f   wall time x%.2f   pixels x%.2f\n", what,
                full_figure.time.cpu / part_figure.time.cpu,
                full_figure.time.wall / part_figure.time.wall, pixels);
}

}  // namespace

BenchWorld& world() {
    return *opened_world;
}

void set_world(BenchWorld* opened) {
    opened_world = opened;
}

void fail(benchmark::State& state, const char* why) {
    failed = true;
    state.SkipWithError(why);
}

bool any_failed() {
    return failed;
}

void record_figure(const std::string& name, OpTime time, double pixels) {
    figures[name] = Figure{time, pixels};
}

void print_summary() {
    if (figures.empty()) {
        return;
    }
    std::printf("\nfull repaint compared with one move (goal: a move costs at most 1/20)\n");
    print_ratio("full repaint / move, compositor work", "full_repaint", "move_no_flip");
    print_ratio("full repaint / move, with the flip", "full_repaint_flip", "move_flip");
    std::printf("\na move with recording compared with one without (goal: at most 1.05)\n");
    print_ratio("recording / not, compositor work", "move_no_flip_recording", "move_no_flip");
    print_ratio("recording / not, with the flip", "move_flip_recording", "move_flip");
    std::fflush(stdout);
}

LoopClock::LoopClock()
    : wall_start(clock_ns(CLOCK_MONOTONIC)), cpu_start(clock_ns(CLOCK_PROCESS_CPUTIME_ID)) {}

OpTime LoopClock::per_iteration(const benchmark::State& state) const {
    if (state.iterations() == 0) {
        return OpTime{0, 0};
    }
    double iterations = static_cast<double>(state.iterations());
    return OpTime{static_cast<double>(clock_ns(CLOCK_MONOTONIC) - wall_start) / iterations,
                  static_cast<double>(clock_ns(CLOCK_PROCESS_CPUTIME_ID) - cpu_start) / iterations};
}
