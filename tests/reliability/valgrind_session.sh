#!/usr/bin/env bash
# A whole session of the real game under valgrind's memcheck: the end-to-end Play test with the
# game started under valgrind and every wait of the test made longer. It fails on any invalid
# read or write and on any memory definitely or indirectly lost, except what the suppressions
# file lists: memory that SDL, X and the font libraries keep themselves, each with its reason.
#
# Usage: tests/reliability/valgrind_session.sh [run folder]   (default: build/run; the tests
# are the e2e_tests program of the build folder holding it)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
run_dir=$(cd "${1:-$root/build/run}" && pwd)
log_copy=${VALGRIND_LOG:-$run_dir/../valgrind-session.log}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export TEST_SOURCE_DIR="$root" TEST_RUN_DIR="$run_dir" E2E_TIME_SCALE=20
export E2E_GAME_WRAPPER="valgrind --tool=memcheck --leak-check=full \
--show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect --track-origins=yes \
--num-callers=30 --suppressions='$here/valgrind.supp' --gen-suppressions=all \
--log-file='$work/valgrind.log'"
touch "$work/valgrind.log"  # a game that never started leaves no summary: a failure
status=0
(cd "$work" && "$run_dir/../tests/e2e/e2e_tests" --gtest_filter='Play.*') || status=$?

cp "$work/valgrind.log" "$log_copy"
sed -n '/HEAP SUMMARY/,$p' "$log_copy" | sed 's/^==[0-9]*== //'
if [ "$status" -ne 0 ] || ! grep -q 'ERROR SUMMARY: 0 errors' "$log_copy"; then
    echo "valgrind session: memcheck found errors or the session failed (status $status)" >&2
    find "$work" -name output.txt -exec tail -n 20 {} \; | sed 's/^/  game: /' >&2
    echo "  log: $log_copy" >&2
    exit 1
fi
echo "valgrind session: clean"
