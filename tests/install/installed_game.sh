#!/bin/sh
# The installed game as a player meets it: the package installs cleanly, the launcher starts
# the game from any folder in a fresh home, a key rebound on the preferences screen is still
# there at the next start, and removing the package leaves the player's folder alone.
# Usage (as root, on a machine the package may be installed on): installed_game.sh PACKAGE.deb
set -eu
package=$(realpath "$1")
work=$(mktemp -d)
xvfb=""
trap '[ -z "$xvfb" ] || kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

fail() {
    echo "installed game: $*"
    exit 1
}

echo "== lintian"
lintian "$package" | tee "$work/lintian.txt"
! grep -q '^E:' "$work/lintian.txt" || fail "lintian reports errors"

echo "== install"
apt-get install -y --no-install-recommends "$package" >/dev/null
desktop-file-validate /usr/share/applications/org.derevarez.derevarez.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.derevarez.derevarez.metainfo.xml
man_warnings=$(LC_ALL=C.UTF-8 man --warnings -l /usr/share/man/man6/derevarez.6.gz 2>&1 >/dev/null)
[ -z "$man_warnings" ] || fail "man page: $man_warnings"

# The centre of the click area of the button answering `word` in a menu file.
button_centre() {
    awk -v word="$2" -F': ' '
        { value[$1] = $2 }
        $2 == word && $1 ~ /^button[0-9]+_return$/ { sub(/_return$/, "", $1); button = $1 }
        END {
            split(value[button "_rect"], r, ",")
            print value[button "_x"] + r[1] + int(r[3] / 2), value[button "_y"] + r[2] + int(r[4] / 2)
        }' "$1"
}

# Xvfb picks a display number nobody uses and writes it once it accepts clients; until then
# every X client started would fail.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
timeout 10 sh -c "until [ -s '$work/display' ]; do sleep 0.1; done" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")" HOME="$work/home"
mkdir -p "$HOME" "$work/elsewhere"
player="$HOME/.local/share/derevarez"
data=/usr/share/derevarez

start_game() {
    (cd "$work/elsewhere" && derevarez >"$work/game.out" 2>&1) &
    game=$!
    window=$(timeout 20 xdotool search --sync --name '^DERevarez$' | head -n 1) ||
        fail "no window; the game said: $(cat "$work/game.out")"
    sleep 1  # the first frame
}

click() {
    # shellcheck disable=SC2046
    xdotool mousemove $(button_centre "$1" "$2") click 1
    sleep 0.5
}

wait_for_exit() {
    timeout 10 tail --pid="$game" -f /dev/null || fail "the game did not quit"
}

echo "== first start"
start_game
xprop -id "$window" WM_HINTS | grep -q 'bitmap id # to use for icon' || fail "the window has no icon"
import -window root -crop 800x600+0+0 "$work/menu.png"
menu_colours=$(convert "$work/menu.png" -format %k info:)
[ "$menu_colours" -gt 1000 ] || fail "the main menu is not drawn ($menu_colours colours)"
click "$player/menus/main_menu.txt" prefs
click "$player/menus/prefs_menu.txt" drop_key
xdotool key x
sleep 0.5
click "$player/menus/prefs_menu.txt" back
click "$player/menus/main_menu.txt" quit
wait_for_exit
grep -qx 'drop_key: x' "$player/prefs.txt" || fail "the binding was not saved"
cmp -s "$player/prefs.txt.shipped" "$data/prefs.txt" || fail "no copy of the shipped settings"
[ -d "$player/replays" ] && [ ! -L "$player/replays" ] || fail "no replays folder of the player's own"

echo "== second start"
start_game
click "$player/menus/main_menu.txt" quit
wait_for_exit
grep -qx 'drop_key: x' "$player/prefs.txt" || fail "the binding was lost at the next start"

echo "== remove"
apt-get remove -y derevarez >/dev/null
[ ! -e /usr/bin/derevarez ] || fail "the launcher is still installed"
grep -qx 'drop_key: x' "$player/prefs.txt" || fail "removing the package touched the player's folder"
echo "installed game: passed"
