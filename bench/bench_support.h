// What the benchmarks share: the world they run in, the way they fail, and the summary that
// compares their results once all have run.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_world.h"

// The world opened by main before any benchmark runs.
BenchWorld& world();
void set_world(BenchWorld* opened);

// Stops the benchmark with the reason and makes the program's exit status 1.
void fail(benchmark::State& state, const char* why);
bool any_failed();

// Time per operation, in nanoseconds: wall-clock time and the process's CPU time. On a busy
// machine the CPU time is the steadier of the two; the wall time also holds what another
// process (the X server, for a flip) does for us.
struct OpTime {
    double wall;
    double cpu;
};

// Remembers the last measurement of a benchmark under `name`: its time and the pixels
// written per operation. The last run of a benchmark is its final, reported one.
void record_figure(const std::string& name, OpTime time, double pixels);

// Prints, after the benchmark table, how a move compares with a full repaint (time and
// pixels), from the figures recorded.
void print_summary();

// Measures a benchmark's timed loop, for record_figure.
struct LoopClock {
    long long wall_start;
    long long cpu_start;
    LoopClock();
    // Time per iteration since construction.
    OpTime per_iteration(const benchmark::State& state) const;
};
