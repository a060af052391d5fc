#!/usr/bin/env bash
# Builds the tests with ThreadSanitizer into build-tsan/ and runs the tests of the parallel
# walks under it: the walk engine, the summary scan, clearing archive bits and the walk job.
# Usage: scripts/tsan.sh [extra gtest filter]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$top/build-tsan
"$top/scripts/setup.sh" --version >/dev/null  # the packages; the build below is its own
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLMERE_BENCH=OFF \
  -DTALLMERE_SANITIZE=thread
cmake --build "$build" --target core_tests unit_tests
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
extra=${1:+:$1}
"$build/tests/core_tests" --gtest_filter="*Walk*$extra"
"$build/tests/unit_tests" --gtest_filter="*Scan*:*Clear*$extra"
echo "tsan: the walk tests ran clean under ThreadSanitizer"
