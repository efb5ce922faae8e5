#!/usr/bin/env bash
# Process-level figures of the game, measured from outside in a private Xvfb:
#   - time from process start to the first main menu frame (bench/first_frame reads the
#     screen back every millisecond; median of several starts),
#   - CPU use (% of one core, from /proc/<pid>/schedstat) while the main menu waits, side by
#     side with a bare SDL program blocked in SDL_WaitEvent, and while a game runs with no
#     input, side by side with a bare SDL loop that polls and sleeps 1 ms, with the X server's
#     own CPU over the same stretches,
#   - peak resident memory of a whole scripted session (/usr/bin/time -v): hovering the menu,
#     a game played to its end, the preferences screen, quit; the peak through the main menu and
#     that game alone (VmHWM before the preferences screen opens), and a bare SDL window's,
#   - the move and full-repaint benchmarks again with the real X11 flip.
# Every run uses a fresh copy of the run folder with the shipped prefs.txt.
#
# Usage: bench/process_figures.sh [build folder]    (default: build; make figures runs it)
# IDLE_SECONDS (default 10) and FIRST_FRAME_RUNS (default 5) change the lengths.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
repo=$(cd "$(dirname "$0")/.." && pwd)
idle_seconds=${IDLE_SECONDS:-10}
first_frame_runs=${FIRST_FRAME_RUNS:-5}
screen_w=1024
screen_h=768
ticks_per_second=$(getconf CLK_TCK)

for tool in Xvfb xdpyinfo xdotool /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-deps.sh"; exit 1; }
done
for binary in run/derevarez bench/first_frame bench/idle_loop bench/game_bench; do
    [ -x "$build/$binary" ] || { echo "missing $build/$binary: make figures builds it"; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/derevarez-figures-XXXXXX")
xvfb_pid=""
started_pids=()

cleanup() {
    local pid
    for pid in "${started_pids[@]}" $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# --- the X server -------------------------------------------------------------------------

# -noreset: without it the server resets whenever its last client leaves, and a program that
# connects during the reset is refused.

start_x_server() {
    local number
    for number in $(seq 140 199); do
        [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp -noreset -br \
            >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 100); do
            if xdpyinfo -display ":$number" >/dev/null 2>&1; then
                export DISPLAY=":$number"
                return 0
            fi
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
    done
    echo "could not start Xvfb"
    exit 1
}

# --- processes and their CPU time ---------------------------------------------------------

# A fresh copy of the run folder with the shipped preferences; prints its path.
fresh_run_folder() {
    local folder
    folder=$(mktemp -d "$work/run-XXXXXX")
    cp -r "$build/run/." "$folder/"
    cp "$repo/data/prefs.txt" "$folder/prefs.txt"
    echo "$folder"
}

# Nanoseconds a process has run on a CPU (/proc/<pid>/schedstat), or, where the kernel keeps
# no schedstat, utime + stime of /proc/<pid>/stat in nanoseconds (10 ms steps). The name field
# of stat may hold spaces, so its fields are counted from the closing parenthesis.
cpu_ns() {
    if [ -r "/proc/$1/schedstat" ]; then
        cut -d' ' -f1 "/proc/$1/schedstat"
    else
        sed 's/^.*) //' "/proc/$1/stat" |
            awk -v t="$ticks_per_second" '{ printf "%.0f\n", ($12 + $13) * 1e9 / t }'
    fi
}

# CPU use, in % of one core, of each process named and of the X server over the same
# idle_seconds, all measured side by side: "<first %> <second %> ... <server %>".
cpu_percent_over_idle() {
    local pid before=() after=()
    for pid in "$@" "$xvfb_pid"; do
        before+=("$(cpu_ns "$pid")")
    done
    sleep "$idle_seconds"
    for pid in "$@" "$xvfb_pid"; do
        after+=("$(cpu_ns "$pid")")
    done
    awk -v b="${before[*]}" -v a="${after[*]}" -v s="$idle_seconds" 'BEGIN {
        n = split(b, before, " "); split(a, after, " ")
        for (k = 1; k <= n; k++) {
            printf "%.2f%s", (after[k] - before[k]) / (s * 1e7), k < n ? " " : "\n"
        }
    }'
}

# Starts bench/idle_loop in mode $1 (poll or wait) in a small window beside the game's and
# sets reference_pid.
start_reference_loop() {
    (cd "$work" && SDL_VIDEO_WINDOW_POS=$((screen_w - 210)),0 exec "$build/bench/idle_loop" "$1" 200 100) &
    reference_pid=$!
    started_pids+=("$reference_pid")
}

# Ends a process we started, by its id, and waits until it is gone.
stop_process() {
    local pid=$1
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
}

# --- the main menu ------------------------------------------------------------------------

# The screen centre of the hit rectangle of the main menu button answering word $1, as "x y".
button_centre() {
    local menu="$build/run/$(awk -F': *' '$1 == "main_menu" { print $2 }' "$repo/data/prefs.txt")"
    awk -F': *' -v word="$1" '
        { value[$1] = $2 }
        END {
            for (n = 1; ("button" n "_x") in value; n++) {
                if (value["button" n "_return"] == word) {
                    split(value["button" n "_rect"], r, ",")
                    printf "%d %d\n", value["button" n "_x"] + r[1] + r[3] / 2,
                                      value["button" n "_y"] + r[2] + r[4] / 2
                    exit
                }
            }
        }' "$menu"
}

pointer_to_corner() {
    xdotool mousemove $((screen_w - 1)) $((screen_h - 1))
}

click_button() {
    # shellcheck disable=SC2046
    xdotool mousemove $(button_centre "$1") sleep 0.3 click 1
}

# --- the figures --------------------------------------------------------------------------

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Starts the game first_frame_runs times and prints the median time to the first frame. The
# game of the last start is kept running; its pid is left in $game_pid.
measure_first_frame() {
    local run folder output pid
    : >"$work/first_frames"
    : >"$work/first_frame_cpu"
    : >"$work/first_frame_waiting"
    for run in $(seq "$first_frame_runs"); do
        pointer_to_corner
        folder=$(fresh_run_folder)
        output=$("$build/bench/first_frame" "$folder" 1000 ./derevarez) || {
            echo "the game showed nothing: $output"; exit 1; }
        pid=$(awk '$1 == "pid" { print $2 }' <<<"$output")
        started_pids+=("$pid")
        awk '$1 == "first_frame_ms" { print $2 }' <<<"$output" >>"$work/first_frames"
        awk '$1 == "cpu_ms" { print $2 }' <<<"$output" >>"$work/first_frame_cpu"
        awk '$1 == "waiting_ms" { print $2 }' <<<"$output" >>"$work/first_frame_waiting"
        if [ "$run" -lt "$first_frame_runs" ]; then
            stop_process "$pid"
        fi
    done
    game_pid=$pid
}

# Starts a bare SDL program (bench/idle_loop wait: a window painted once with one flip)
# first_frame_runs times, interleaved with nothing else, and prints the median time to its
# first frame: the floor that the game's start is compared with.
measure_bare_first_frame() {
    local run output pid
    : >"$work/bare_frames"
    : >"$work/bare_peaks"
    : >"$work/bare_cpu"
    for run in $(seq "$first_frame_runs"); do
        pointer_to_corner
        output=$("$build/bench/first_frame" "$work" 1000 "$build/bench/idle_loop" wait) || {
            echo "the bare window showed nothing: $output"; exit 1; }
        pid=$(awk '$1 == "pid" { print $2 }' <<<"$output")
        started_pids+=("$pid")
        awk '$1 == "first_frame_ms" { print $2 }' <<<"$output" >>"$work/bare_frames"
        awk '$1 == "cpu_ms" { print $2 }' <<<"$output" >>"$work/bare_cpu"
        peak_kib "$pid" >>"$work/bare_peaks"
        stop_process "$pid"
    done
    median <"$work/bare_frames"
}

# The peak resident memory of a running process so far, in KiB (VmHWM), or "n/a".
peak_kib() {
    awk '/^VmHWM:/ { print $2; found = 1 } END { if (!found) print "n/a" }' "/proc/$1/status" 2>/dev/null ||
        echo "n/a"
}

# Plays a whole session under /usr/bin/time -v and sets peak_rss to its peak resident set in
# KiB ("n/a" when the session does not end by itself).
measure_session_memory() {
    local folder time_pid pid
    pointer_to_corner
    folder=$(fresh_run_folder)
    (cd "$folder" && exec /usr/bin/time -v -o "$work/session.time" ./derevarez >/dev/null) &
    time_pid=$!
    started_pids+=("$time_pid")
    sleep 2
    pid=$(pgrep -P "$time_pid" || true)
    [ -n "$pid" ] && started_pids+=("$pid")
    # Hover every button, then play: a few moves, then drops until the game is over.
    for word in play prefs quit play; do
        # shellcheck disable=SC2046
        xdotool mousemove $(button_centre "$word") sleep 0.3
    done
    click_button play
    sleep 1
    xdotool key --delay 120 Left Left Right Up z Down Down p p
    xdotool key --delay 60 $(printf 'space %.0s' $(seq 60))
    sleep 2
    xdotool key Return
    sleep 1
    # The peak so far covers the main menu and one game, before any other screen is built.
    game_peak_rss=$([ -n "$pid" ] && peak_kib "$pid" || echo "n/a")
    # The preferences screen and back, then quit.
    click_button prefs
    sleep 1
    # shellcheck disable=SC2046
    xdotool mousemove $(prefs_back_centre) sleep 0.3 click 1
    sleep 1
    click_button quit
    for _ in $(seq 100); do
        kill -0 "$time_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$time_pid" 2>/dev/null; then
        echo "the scripted session did not end by itself" >&2
        [ -n "$pid" ] && stop_process "$pid"
        wait "$time_pid" 2>/dev/null || true
        peak_rss="n/a"
        return
    fi
    wait "$time_pid" 2>/dev/null || true
    peak_rss=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/session.time")
}

# The centre of the preferences menu's "back" button.
prefs_back_centre() {
    local menu="$build/run/$(awk -F': *' '$1 == "prefs_menu" { print $2 }' "$repo/data/prefs.txt")"
    awk -F': *' '
        { value[$1] = $2 }
        END {
            for (n = 1; ("button" n "_x") in value; n++) {
                if (value["button" n "_return"] == "back") {
                    split(value["button" n "_rect"], r, ",")
                    printf "%d %d\n", value["button" n "_x"] + r[1] + r[3] / 2,
                                      value["button" n "_y"] + r[2] + r[4] / 2
                    exit
                }
            }
        }' "$menu"
}

# --- main ---------------------------------------------------------------------------------

echo "machine: $(nproc) x $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)," \
     "$(awk '/MemTotal/ { printf "%.0f MB", $2 / 1024 }' /proc/meminfo)," \
     "load average $(cut -d' ' -f1-3 /proc/loadavg) at the start"
start_x_server
echo "X server: Xvfb $DISPLAY ${screen_w}x${screen_h}x24"
unset SDL_VIDEODRIVER
# Sound as a player with a sound card has it: without one the game would never load its sounds
# and the mixer, and its memory would look smaller than any player's.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

bare_first_frame=$(measure_bare_first_frame)
measure_first_frame
first_frame=$(median <"$work/first_frames")
first_frame_cpu=$(median <"$work/first_frame_cpu")
first_frame_waiting=$(median <"$work/first_frame_waiting")
# Each idle figure is taken side by side with its bare SDL reference, so that both see the
# same machine: the menu with a program blocked in SDL_WaitEvent, the game with a loop that
# polls and sleeps 1 ms.
start_reference_loop wait
sleep 1
read -r menu_cpu wait_cpu menu_server_cpu <<<"$(cpu_percent_over_idle "$game_pid" "$reference_pid")"
stop_process "$reference_pid"
click_button play
start_reference_loop poll
sleep 1
read -r game_cpu loop_cpu game_server_cpu <<<"$(cpu_percent_over_idle "$game_pid" "$reference_pid")"
stop_process "$reference_pid"
# The same game paused, beside a program blocked in SDL_WaitEvent.
xdotool key "$(awk -F': *' '$1 == "pause_key" { print $2 }' "$repo/data/prefs.txt")"
start_reference_loop wait
sleep 1
read -r paused_cpu paused_wait_cpu paused_server_cpu <<<"$(cpu_percent_over_idle "$game_pid" "$reference_pid")"
stop_process "$reference_pid"
stop_process "$game_pid"

measure_session_memory

echo
echo "| figure | value | X server CPU |"
echo "|---|---|---|"
echo "| first main menu frame after process start (median of $first_frame_runs) | $first_frame ms (all: $(tr '\n' ' ' <"$work/first_frames")) | |"
echo "| first frame of a bare SDL window (bench/idle_loop), median of $first_frame_runs, same run | $bare_first_frame ms (all: $(tr '\n' ' ' <"$work/bare_frames")) | |"
echo "| of which the game ran on a CPU / waited for one (medians, schedstat) | $first_frame_cpu ms / $first_frame_waiting ms | |"
echo "| the bare window's CPU time to its first frame (median, schedstat) | $(median <"$work/bare_cpu") ms | |"
echo "| CPU while the main menu waits ${idle_seconds} s | $menu_cpu % | $menu_server_cpu % |"
echo "| CPU of a bare SDL program blocked in SDL_WaitEvent, alongside | $wait_cpu % | |"
echo "| CPU while a game runs with no input ${idle_seconds} s | $game_cpu % | $game_server_cpu % |"
echo "| CPU of a bare SDL loop (poll, 1 ms sleep), alongside | $loop_cpu % | |"
echo "| CPU while a game is paused ${idle_seconds} s | $paused_cpu % | $paused_server_cpu % |"
echo "| CPU of a bare SDL program blocked in SDL_WaitEvent, alongside | $paused_wait_cpu % | |"
echo "| peak resident memory through the main menu and one game | $game_peak_rss KiB | |"
echo "| peak resident memory of a bare SDL window (bench/idle_loop), median of $first_frame_runs | $(median <"$work/bare_peaks") KiB | |"
echo "| peak resident memory of a scripted session | $peak_rss KiB | |"
echo
echo "The move and the full repaint with the real X11 flip (game_bench under Xvfb):"
SDL_VIDEODRIVER=x11 "$build/bench/game_bench" --benchmark_filter='move|full_repaint'
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"
