#!/bin/sh
# Installs the Debian packages the game, its tests and its tools need.
# Quick when everything is already there: it only asks dpkg.
set -eu

PACKAGES="
build-essential cmake pkg-config
libsdl1.2-dev libsdl-image1.2-dev libsdl-ttf2.0-dev libsdl-mixer1.2-dev
vorbis-tools sox
libpng-dev fonts-dejavu-core
googletest libgtest-dev libgmock-dev libbenchmark-dev
clang libclang-rt-14-dev valgrind
xvfb xdotool imagemagick x11-utils time libx11-dev
dpkg-dev lintian desktop-file-utils appstream man-db
"

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
