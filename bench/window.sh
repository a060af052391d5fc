#!/usr/bin/env bash
# The summary window during a walk of a benchmark tree, on a virtual display: progress
# updates per second and the walk's time with and without the window (build/bench/window_walk),
# then how long "&Close" takes to end tallmere32 when clicked at moments through the walk.
#
# usage: bench/window.sh [SHAPE]    SHAPE: a tree of bench/run.sh (default large)
# environment: BENCH_DIR (as bench/run.sh), RUNS (window walks, default 5),
#              CLICKS (milliseconds after the window shows, default "50 200 400 700 1000 1500")
# needs: xvfb-run and xdotool (apt-get install xvfb xdotool)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=${BENCH_DIR:-/tmp/tallmere-bench}
shape=${1:-large}
tree=$dir/$shape
[[ -d $tree ]] || python3 "$top/bench/make_tree.py" "$tree" "$shape" >&2
export XDG_CONFIG_HOME=$dir/config

if [[ -z ${DISPLAY:-} ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

"$top/build/bench/window_walk" "$tree" "${RUNS:-5}" 2>/dev/null

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Clicks the window's Close button $1 ms after the window of process $2 shows; prints the
# milliseconds from starting the click (xdotool's own start-up included) to the end of the
# process.
close_after() {
  local delay=$1 pid=$2 window x y height width clicked
  window=$(xdotool search --sync --onlyvisible --pid "$pid" --name '^Tallmere' | head -1)
  sleep "$(awk -v ms="$delay" 'BEGIN {print ms / 1000}')"
  [[ $(ls "/proc/$pid/task" 2>/dev/null | wc -l) -gt 2 ]] || { echo "walk over before the click"; return; }
  eval "$(xdotool getwindowgeometry --shell "$window")"
  x=$((WIDTH / 2)) y=$((HEIGHT - 26))  # the centre of Close, 26 pixels above the bottom edge
  clicked=$(now_ms)
  xdotool mousemove --window "$window" "$x" "$y" click 1 &
  wait "$pid" || true
  echo "$(($(now_ms) - clicked)) ms"
  wait
}

for delay in ${CLICKS:-50 200 400 700 1000 1500}; do
  "$top/build/apps/tallmere32" "$tree" >/dev/null 2>&1 &
  pid=$!
  printf 'close %4d ms into the walk: ' "$delay"
  close_after "$delay" "$pid"
  kill "$pid" 2>/dev/null || true
done
