#!/bin/sh
# Composes a still of the game screen from the shipped pictures at the positions prefs.txt
# gives, without running the game: a few settled pieces, a falling one, the next piece and
# the counters. For checking a reskin or a new layout at a glance.
# Usage: tools/mock_screenshot.sh [data folder] [output.png] [paused|game_over]
set -eu
data=${1:-data}
out=${2:-mock_screenshot.png}
overlay=${3:-}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

key() { sed -n "s/^$1: //p" "$data/prefs.txt"; }
B=$(key block_size)
bx=$(key board_x); by=$(key board_y); bh=$(key board_height); bw=$(key board_width)
images="$data/$(dirname "$(key blocks_img)")"

# Cut the seven tiles and the digit glyphs once.
for t in 0 1 2 3 4 5 6; do
    convert "$data/$(key blocks_img)" -crop "${B}x${B}+0+$((t * B))" +repage "$scratch/tile$t.png"
done
cut_digits() {  # image prefix
    w=$(identify -format %w "$1"); h=$(($(identify -format %h "$1") / 10))
    for d in 0 1 2 3 4 5 6 7 8 9; do
        convert "$1" -crop "${w}x${h}+0+$((d * h))" +repage "$scratch/$2$d.png"
    done
    echo "$w $h"
}
set -- $(cut_digits "$data/$(key small_num_font)" small); sw=$1; sh=$2
set -- $(cut_digits "$data/$(key level_font)" large); lw=$1; lh=$2

args=""
cell() {  # column row tile
    args="$args $scratch/tile$3.png -geometry +$((bx + $1 * B))+$((by + $2 * B)) -composite"
}
number() {  # text box_x box_y box_w box_h prefix glyph_w glyph_h: right-aligned like the game
    text=$1; x=$(($2 + $4)); y=$(($3 + $5 / 2 - $8 / 2)); i=${#text}
    while [ "$i" -gt 0 ]; do
        digit=$(printf %s "$text" | cut -c"$i"); x=$((x - $7))
        args="$args $scratch/$6$digit.png -geometry +$x+$y -composite"; i=$((i - 1))
    done
}

# A settled heap with a nearly full bottom row, a falling T and the next piece (an L).
last=$((bh - 1))
for c in 0 1 2 3 4 5 6 8 9; do cell $c $last $((c % 7)); done
for c in 0 1 2 5 6 7 8 9; do cell $c $((last - 1)) $(((c + 3) % 7)); done
for c in 0 1 6 7 8; do cell $c $((last - 2)) $(((c + 5) % 7)); done
cell 0 $((last - 3)) 5; cell 8 $((last - 3)) 1; cell 9 $((last - 3)) 1
cell 4 5 2; cell 3 6 2; cell 4 6 2; cell 5 6 2
nx=$(key next_piece_x); ny=$(key next_piece_y)
for b in "0 1" "1 1" "2 1" "2 0"; do
    set -- $b
    args="$args $scratch/tile6.png -geometry +$((nx + $1 * B + B / 2))+$((ny + $2 * B + B)) -composite"
done
number 1234 "$(key points_x)" "$(key points_y)" "$(key points_w)" "$(key points_h)" small "$sw" "$sh"
number 37 "$(key lines_x)" "$(key lines_y)" "$(key lines_w)" "$(key lines_h)" small "$sw" "$sh"
lvx=$(key level_x); lvw=$(key level_w)
args="$args $scratch/large1.png -geometry +$((lvx + lvw / 2 - lw))+$(($(key level_y) + $(key level_h) / 2 - lh / 2)) -composite"
args="$args $scratch/large2.png -geometry +$((lvx + lvw / 2))+$(($(key level_y) + $(key level_h) / 2 - lh / 2)) -composite"
if [ -n "$overlay" ]; then
    picture="$data/$(key "${overlay}_img")"
    ow=$(identify -format %w "$picture"); oh=$(identify -format %h "$picture")
    args="$args $picture -geometry +$((bx + bw * B / 2 - ow / 2))+$((by + bh * B / 2 - oh / 2)) -composite"
fi
# shellcheck disable=SC2086
convert "$data/$(key background_img)" $args "$out"
echo "wrote $out"
