#!/bin/sh
# Installs the Debian packages the game needs: with "play", only what building and playing
# it takes; with no argument, also what its tests, benchmarks and tools take; with "web", what
# building the browser version (make web) and testing it in a headless browser take.
# Quick when everything is already there: it only asks dpkg.
set -eu

# Building the game, its run folder and the data tools (libpng for the picture generator).
PLAY_PACKAGES="
build-essential cmake pkg-config
libsdl1.2-dev libsdl-image1.2-dev libsdl-ttf2.0-dev libsdl-mixer1.2-dev
vorbis-tools sox
libpng-dev fonts-dejavu-core
"
# The test suites (also run on the SDL 1.2 compatibility layer over SDL 2), the sanitizer and
# fuzzing builds, valgrind, the benchmarks, the end-to-end tests under a private X server, and
# the Debian package and its checks.
TEST_PACKAGES="
libsdl1.2-compat
googletest libgtest-dev libgmock-dev libbenchmark-dev
clang libclang-rt-14-dev valgrind
xvfb xdotool imagemagick x11-utils time libx11-dev
dpkg-dev lintian desktop-file-utils appstream man-db
"
# The browser version (make web): its compiler, and the browser and the DevTools client its
# end-to-end test drives.
WEB_PACKAGES="
emscripten node-acorn python3 python3-websocket chromium fonts-dejavu-core
"

case "${1:-all}" in
    play) PACKAGES=$PLAY_PACKAGES ;;
    web) PACKAGES=$WEB_PACKAGES ;;
    all) PACKAGES="$PLAY_PACKAGES $TEST_PACKAGES" ;;
    *) echo "usage: $0 [play|web]"; exit 2 ;;
esac

missing=""
for package in $PACKAGES; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $package" ;;
    esac
done

if [ -z "$missing" ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing:$missing"
    echo "Install them with:"
    echo "    sudo sh -c 'apt-get update && apt-get install -y$missing'"
    exit 1
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update
# shellcheck disable=SC2086
apt-get install -y --no-install-recommends $missing
