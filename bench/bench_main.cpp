// The benchmark program: opens the world once, runs every benchmark (or those chosen with
// --benchmark_filter) and prints the move / full repaint comparison. Exit status 1 when the
// world cannot be opened or a benchmark found its scene broken.
#include "bench/bench_support.h"
#include "bench/benchmarks.h"

namespace {

void register_benchmarks() {
    auto unit = benchmark::kMicrosecond;
    benchmark::RegisterBenchmark("move/with_flip", move_with_flip)->Unit(unit);
    benchmark::RegisterBenchmark("move/compositor_only", move_compositor_only)->Unit(unit);
    benchmark::RegisterBenchmark("move/with_flip_recording", move_with_flip_recording)->Unit(unit);
    benchmark::RegisterBenchmark("move/compositor_only_recording", move_compositor_only_recording)
        ->Unit(unit);
    benchmark::RegisterBenchmark("move/update_changed_cells", move_updating_changed_cells)
        ->Unit(unit);
    benchmark::RegisterBenchmark("full_repaint/with_flip", full_repaint_with_flip)->Unit(unit);
    benchmark::RegisterBenchmark("full_repaint/compositor_only", full_repaint)->Unit(unit);
    benchmark::RegisterBenchmark("landing/four_rows", landing_four_rows)->Unit(unit);
    benchmark::RegisterBenchmark("landing/collapse", collapse_after_four_rows)->Unit(unit);
    benchmark::RegisterBenchmark("restart/first_frame", restart_to_first_frame)->Unit(unit);
    benchmark::RegisterBenchmark("menu/hover_change", menu_hover_change)->Unit(unit);
    benchmark::RegisterBenchmark("menu/motion_no_change", menu_motion_no_change)->Unit(unit);
    benchmark::RegisterBenchmark("rules/replay", rules_replay)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("replay/verify_ten_minutes", replay_verify_ten_minutes)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("move/scaled", move_scaled)->DenseRange(1, 4)->Unit(unit);
    // Last: it adds the later preview boxes to the game screen's elements.
    benchmark::RegisterBenchmark("move/modern_handling", move_modern_handling)->Unit(unit);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    BenchWorld opened;
    if (!opened.open(BENCH_RUN_DIR, BENCH_SOURCE_DIR "/data/prefs.txt")) {
        return 1;
    }
    set_world(&opened);
    register_benchmarks();
    benchmark::RunSpecifiedBenchmarks();
    print_summary();
    benchmark::Shutdown();
    return any_failed() ? 1 : 0;
}
