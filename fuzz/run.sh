#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) in build-fuzz/ and runs each for a
# fixed time. A target's corpus grows in build-fuzz/corpus/<target>/ from run to run; it starts
# from the committed seeds in fuzz/seeds/<target>/ and the shipped data. Inputs that crash, hang
# or break a check are kept in build-fuzz/artifacts/ and make the script fail.
#
# Usage: fuzz/run.sh [seconds per target] [target...]   (default: 300 seconds, every target)
# With FUZZ_RUNS=N each target stops after N inputs instead, from the fixed random seed 1, so
# that a run is repeatable: CI uses it, so that its verdict does not depend on luck or load.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

seconds=${1:-300}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(config_store_fuzz pieces_rules_fuzz menu_file_fuzz scores_file_fuzz skin_file_fuzz
             replay_file_fuzz)
fi
build=${FUZZ_BUILD:-build-fuzz}

if [ ! -f "$build/CMakeCache.txt" ]; then
    mkdir -p "$build"
    CC=clang CXX=clang++ cmake -S . -B "$build" -DSANITIZE=ON -DFUZZ=ON -DBUILD_TESTING=OFF \
        > "$build/configure.log" 2>&1 || { cat "$build/configure.log"; exit 1; }
fi
cmake --build "$build" --target fuzzers -j "$(nproc)"
build=$(cd "$build" && pwd)

failed=0
for target in "${targets[@]}"; do
    corpus=$build/corpus/$target
    shipped=$build/shipped-seeds/$target
    work=$build/work/$target
    mkdir -p "$corpus" "$work" "$build/artifacts" "$root/fuzz/seeds/$target"
    rm -rf "$shipped" && mkdir -p "$shipped"
    # Seeds from the shipped data; the game on the shipped pieces file is a committed seed.
    case $target in
        config_store_fuzz) find "$root/data" -name '*.txt' -exec cp {} "$shipped/" \; ;;
        menu_file_fuzz) cp "$root"/data/menus/*.txt "$shipped/" ;;
    esac
    log=$build/$target.log
    # Whole games are long, so their inputs are kept shorter; FUZZ_RUNS makes a run repeatable.
    options=()
    [ "$target" = pieces_rules_fuzz ] && options+=(-max_len=1024)
    [ -n "${FUZZ_RUNS:-}" ] && options+=(-runs="$FUZZ_RUNS" -seed=1)

    # In a folder of its own, so that whatever file names its inputs hold stay inside it.
    status=0
    (cd "$work" && "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -close_fd_mask=1 -print_final_stats=1 "${options[@]}" \
        -artifact_prefix="$build/artifacts/$target-" \
        "$corpus" "$root/fuzz/seeds/$target" "$shipped" < /dev/null > "$log" 2>&1) || status=$?

    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    units=$(find "$corpus" -type f | wc -l)
    if [ $status -eq 0 ]; then
        echo "$target: ${runs:-?} executions, corpus of $units inputs, no findings"
    else
        failed=1
        echo "$target: FAILED after ${runs:-?} executions (status $status); last lines of $log:"
        grep -E 'ERROR|fuzz check failed|SUMMARY|Test unit written|artifact' "$log" | tail -8 || true
    fi
done
exit $failed
