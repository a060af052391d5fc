#!/usr/bin/env bash
# Times tallmere32's walk against du, ncdu and gdu on synthetic trees (warm cache, median of
# several runs) and checks tallmere32's figures against the trees' own records.
#
# usage: bench/run.sh [SIZE ...]      SIZE: files in a tree (default 200000)
# environment: BENCH_DIR (trees, default /tmp/tallmere-bench), RUNS (default 7),
#              TALLMERE (the program, default build/apps/tallmere32), EXTRA='name|command {}'
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=${BENCH_DIR:-/tmp/tallmere-bench}
runs=${RUNS:-7}
tallmere=${TALLMERE:-$top/build/apps/tallmere32}
sizes=("${@:-200000}")
[[ -x $tallmere ]] || { echo "bench: build first (scripts/setup.sh)" >&2; exit 1; }
mkdir -p "$dir"
export XDG_CONFIG_HOME=$dir/config  # Bytes and the full table: the figures the check reads

median() { sort -g | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

# Median wall seconds of a command over $runs runs after one warm-up run.
time_command() {
  if command -v hyperfine >/dev/null; then
    hyperfine -N -i --style none --warmup 1 --runs "$runs" --export-json "$dir/last.json" "$1" >/dev/null 2>&1
    python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["results"][0]["median"])' "$dir/last.json"
  else
    eval "$1" >/dev/null 2>&1 || true
    for ((i = 0; i < runs; i++)); do
      /usr/bin/time -f %e -o "$dir/last.time" bash -c "$1 >/dev/null 2>&1" || true
      tail -n1 "$dir/last.time"
    done | median
  fi
}

peak_mib() { /usr/bin/time -f %M -o "$dir/last.rss" bash -c "exec $1 >/dev/null 2>&1" || true; awk '{printf "%.1f", $1/1024}' "$dir/last.rss"; }

tools=("du|du -s --apparent-size -b {}" "tallmere32|$tallmere --report=csv {}")
command -v ncdu >/dev/null && tools+=("ncdu|ncdu -0 -o /dev/null {}")
command -v gdu >/dev/null && tools+=("gdu|gdu -n -p {}")
[[ -n ${EXTRA:-} ]] && tools+=("$EXTRA")

printf '| tree | tool | median s | peak MiB | x du |\n|---|---|---:|---:|---:|\n'
for size in "${sizes[@]}"; do
  tree=$dir/tree-$size
  [[ -d $tree ]] || python3 "$top/bench/make_tree.py" "$tree" "$size" >&2
  "$tallmere" --report=csv "$tree" | python3 "$top/bench/check_rows.py" "$tree" "$tree.rows.tsv" >&2
  declare -A seconds=()
  for entry in "${tools[@]}"; do
    name=${entry%%|*}; command=${entry#*|}; command=${command//\{\}/$tree}
    seconds[$name]=$(time_command "$command")
    ratio=$(awk -v a="${seconds[$name]}" -v b="${seconds[du]:-${seconds[$name]}}" 'BEGIN {printf "%.2f", a/b}')
    printf '| %s | %s | %.3f | %s | %s |\n' "$size" "$name" "${seconds[$name]}" "$(peak_mib "$command")" "$ratio"
  done
  unset seconds
done
