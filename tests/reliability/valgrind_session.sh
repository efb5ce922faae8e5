#!/usr/bin/env bash
# A whole session of the real game under valgrind's memcheck, driven like a player would drive
# it: a private Xvfb display, mouse clicks and key presses through xdotool. The session starts
# the game, plays one game to its end with the drop key, goes back to the main menu, binds the
# pause key on the preferences screen, goes back and quits. It fails on any invalid read or write
# and on any memory definitely or indirectly lost, except what the suppressions file lists:
# memory that SDL, X and the font libraries keep themselves, each entry with its reason.
#
# Usage: tests/reliability/valgrind_session.sh [run folder]   (default: build/run)
# The run folder is copied, so the player's own prefs.txt there is never touched.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
run_dir=$(cd "${1:-$root/build/run}" && pwd)
log_copy=${VALGRIND_LOG:-$run_dir/../valgrind-session.log}

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
finish() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then kill "$game_pid" || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap finish EXIT

fail() {
    echo "valgrind session: $*" >&2
    [ -f "$work/stdout.txt" ] && tail -n 20 "$work/stdout.txt" | sed 's/^/  game: /' >&2
    [ -f "$work/valgrind.log" ] && cp "$work/valgrind.log" "$log_copy" && echo "  log: $log_copy" >&2
    exit 1
}

cp -r "$run_dir/." "$work/"
cp "$root/data/prefs.txt" "$work/prefs.txt"

# Xvfb picks a display number nobody uses and writes it to the file once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$work/display" > /dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
# Never another driver: SDL falls back to drawing in the terminal when X fails.
export SDL_VIDEODRIVER=x11

# The centre of the hit rectangle of the button that answers word in a menu file.
button_centre() {
    awk -v word="$2" -F': ' '
        { value[$1] = $2 }
        END {
            for (i = 1; ("button" i "_x") in value; i++) {
                if (value["button" i "_return"] != word) continue
                split(value["button" i "_rect"], r, ",")
                print value["button" i "_x"] + r[1] + int(r[3] / 2), value["button" i "_y"] + r[2] + int(r[4] / 2)
                exit
            }
        }' "$work/$1"
}

# Waits until the game has used almost no processor time for two seconds: it then waits for the
# player on a menu, the game-over picture or the preferences screen waiting for a key. (SDL's
# event wait wakes every few milliseconds, so even a waiting game uses a little, under valgrind
# some 2 percent; drawing, loading or playing uses far more.)
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$game_pid/stat"
}
wait_idle() {
    local last now quiet=0
    last=$(cpu_ticks)
    for _ in $(seq 1 600); do
        sleep 0.5
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended early ($1)"
        now=$(cpu_ticks)
        if [ $((now - last)) -le 4 ]; then
            quiet=$((quiet + 1))
            [ $quiet -ge 4 ] && return 0
        else
            quiet=0
        fi
        last=$now
    done
    fail "the game never waited for the player ($1)"
}

# The processor ticks the game uses in a second and a half, once it has dealt with the last key.
ticks_in_a_while() {
    local before
    sleep 0.5
    before=$(cpu_ticks)
    sleep 1.5
    echo $(($(cpu_ticks) - before))
}

click() {
    local menu=$1 word=$2 xy
    xy=$(button_centre "$menu" "$word")
    [ -n "$xy" ] || fail "no button answers \"$word\" in $menu"
    # shellcheck disable=SC2086
    xdotool mousemove --window "$window" $xy click 1
}

cd "$work"
main_menu=$(sed -n 's/^main_menu: //p' prefs.txt)
prefs_menu=$(sed -n 's/^prefs_menu: //p' prefs.txt)

valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect --track-origins=yes --num-callers=30 \
    --suppressions="$here/valgrind.supp" --gen-suppressions=all \
    --log-file="$work/valgrind.log" ./derevarez > "$work/stdout.txt" 2>&1 &
game_pid=$!

window=""
for _ in $(seq 1 1200); do
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before it opened its window"
    window=$(xdotool search --name '^DERevarez$' 2>/dev/null | head -1) || true
    [ -n "$window" ] && break
    sleep 0.25
done
[ -n "$window" ] || fail "no window"
wait_idle "main menu"

echo "valgrind session: main menu, play"
click "$main_menu" play
sleep 2
# Every drop lands a piece at once, and well before forty the pieces reach the top. One drop at a
# time, until the game waits at its game-over picture: a key more would be the picture's answer,
# and one more after that would choose a main-menu button.
# A game in play polls every millisecond; the waiting picture checks for events every ten, so it
# uses several times less, however fast the machine.
xdotool key space
playing=$(ticks_in_a_while)
[ "$playing" -ge 3 ] || fail "no game was played ($playing ticks after the first drop)"
game_over=""
for _ in $(seq 1 40); do
    xdotool key space
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended early (playing)"
    if [ $(($(ticks_in_a_while) * 3)) -lt "$playing" ]; then
        game_over=yes
        break
    fi
done
[ -n "$game_over" ] || fail "forty drops did not end the game"
echo "valgrind session: game over, back to the menu"
xdotool key Return
wait_idle "main menu after the game"

echo "valgrind session: preferences, bind the pause key"
click "$main_menu" prefs
wait_idle "preferences"
click "$prefs_menu" pause_key
wait_idle "waiting for a key"
xdotool key k
wait_idle "preferences after the binding"
click "$prefs_menu" back
wait_idle "main menu after the preferences"

echo "valgrind session: quit"
click "$main_menu" quit
for _ in $(seq 1 1200); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.25
done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after quit"
status=0
wait "$game_pid" || status=$?
game_pid=""

grep -q '^pause_key: k$' prefs.txt || fail "the binding was not saved"
cp "$work/valgrind.log" "$log_copy"
sed -n '/HEAP SUMMARY/,$p' valgrind.log | sed 's/^==[0-9]*== //'
if [ "$status" -ne 0 ] || ! grep -q 'ERROR SUMMARY: 0 errors' valgrind.log; then
    fail "memcheck found errors (exit status $status)"
fi
echo "valgrind session: clean"
