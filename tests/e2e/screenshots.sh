#!/bin/sh
# Takes the README's screenshots again: the end-to-end tests save the real program's window
# (under Xvfb) at the main menu, the preferences screen, a game, the paused screen and the
# game-over screen as PNG files in docs/screenshots/.
# Usage: tests/e2e/screenshots.sh [build folder, default build]
set -eu
cd "$(dirname "$0")/../.."
build=${1:-build}
target="$(pwd)/docs/screenshots"
make build BUILD="$build"
cd "$build"
E2E_SCREENSHOTS="$target" ctest -L e2e --output-on-failure
