#!/usr/bin/env bash
# Runs the framed-screen window tests (their executable is the argument) on a 1600x1000 X screen
# at twice the scale, under a window manager that gives windows a title bar and borders.
set -euo pipefail
tests=$1
for tool in xvfb-run twm; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/setup.sh" >&2; exit 1; }
done
rc=$(mktemp)
trap 'rm -f "$rc"' EXIT
# Windows go where they ask to be, or anywhere, never where a user would have to click, and
# dialogs are framed as other windows are; the X server's own "fixed" font is sure to be there.
printf 'RandomPlacement\nUsePPosition "on"\nDecorateTransients\n' >"$rc"
for font in TitleFont ResizeFont MenuFont IconFont IconManagerFont; do
  printf '%s "fixed"\n' "$font" >>"$rc"
done
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  LC_ALL=C twm -f "$1" >/dev/null 2>&1 &
  wm=$!
  sleep 1
  status=0
  # One process a test, as windows left from one test would stand in the way of the next.
  for test in $("$2" --gtest_list_tests | awk "/^[^ ]/ {suite=\$1} /^  / {print suite \$1}"); do
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 "$2" --gtest_filter="$test" || status=$?
  done
  kill "$wm"
  exit "$status"' framed "$rc" "$tests"
