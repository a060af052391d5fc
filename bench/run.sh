#!/usr/bin/env bash
# Times tallmere32's walk side by side with du, ncdu, gdu and the two-thread limit walker
# (openat, getdents64, statx and the DOS-attribute xattr per file: what the kernel allows) on
# synthetic trees, after checking every figure of tallmere32's rows against the tree's record.
# Prints one table of hyperfine medians, best runs, peak memory and ratios.
#
# usage: bench/run.sh [SHAPE ...]    SHAPE: medium large wide deep small (default: the first 4)
# environment:
#   BENCH_DIR     trees and raw results (default /tmp/tallmere-bench); the trees that
#                 ../shared/bench/make-trees.sh built there are used as they are
#   RUNS          timed runs of each tool on each tree, after one warm-up run (default 7)
#   COLD=1        also time every tool on COLD_SHAPES (default medium) with the page, dentry
#                 and inode caches dropped before each run (needs root)
#   TALLMERE      the program (default build/apps/tallmere32, as scripts/setup.sh builds it)
#   SHARED_BENCH  the folder holding limit-walker.cpp (default ../shared/bench beside the
#                 repository); without it the limit walker is left out
#   EXTRA         'name|command {}': one more tool, {} standing for the tree
#   NO_SNAPSHOT=1 also time "no-snapshot": tallmere32 keeping no snapshot (--no-snapshot), the
#                 cost of recording set apart
#   IMPORT=1      also time "import": tallmere32 reading ncdu's export of the tree (made once,
#                 beside it, as TREE.ncdu.json) instead of walking; its files, bytes and
#                 folders are checked first (the export holds no DOS attributes)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=${BENCH_DIR:-/tmp/tallmere-bench}
out=$dir/out
runs=${RUNS:-7}
tallmere=${TALLMERE:-$top/build/apps/tallmere32}
shared=${SHARED_BENCH:-$top/../shared/bench}
shapes=("${@:-medium large wide deep}")
read -ra shapes <<< "${shapes[*]}"
[[ -x $tallmere ]] || { echo "bench: build first (scripts/setup.sh)" >&2; exit 1; }
command -v hyperfine >/dev/null || { echo "bench: hyperfine is missing (apt-get install hyperfine)" >&2; exit 1; }
mkdir -p "$out"
export XDG_CONFIG_HOME=$dir/config  # first-run settings: Bytes and the full table
export XDG_DATA_HOME=$dir/data      # the snapshots each report run keeps

limit_walker() {
  [[ -f $shared/limit-walker.cpp ]] || return 1
  local walker=$out/limit-walker mode=at
  g++ -O2 -std=c++17 -pthread -o "$walker" "$shared/limit-walker.cpp"
  mkdir -p "$out/probe" && : > "$out/probe/f"
  "$walker" -q -x at "$out/probe" >/dev/null 2>&1 || mode=cwd  # getxattrat needs Linux 6.13
  echo "$walker -q -t 2 -x $mode {}"
}

tools=("tallmere32|$tallmere --report=csv {}" "du|du -s --apparent-size {}")
command -v ncdu >/dev/null && tools+=("ncdu|ncdu -0 -o /dev/null {}")
command -v gdu >/dev/null && tools+=("gdu|gdu -n {}")
if walker=$(limit_walker); then tools+=("limit-2t-x|$walker"); else
  echo "bench: no limit-walker.cpp in $shared; set SHARED_BENCH" >&2
fi
[[ -n ${EXTRA:-} ]] && tools+=("$EXTRA")
[[ -n ${NO_SNAPSHOT:-} ]] && tools+=("no-snapshot|$tallmere --report=csv --no-snapshot {}")
[[ -n ${IMPORT:-} ]] && tools+=("import|$tallmere --report=csv --import={}.ncdu.json")

# Times every tool on tree $1 in one hyperfine run; $2 names the result, $3.. go to hyperfine.
time_tools() {
  local tree=$1 label=$2 entry args=()
  shift 2
  for entry in "${tools[@]}"; do
    args+=(--command-name "${entry%%|*}" "${entry#*|}")
  done
  sync
  hyperfine -N -i --style none --runs "$runs" --export-json "$out/$label.json" "$@" \
    "${args[@]//\{\}/$tree}" > "$out/$label.log" 2>&1
  for entry in "${tools[@]}"; do  # peak memory, one more run each
    local command=${entry#*|}
    /usr/bin/time -f %M -o "$out/$label.${entry%%|*}.rss" ${command//\{\}/$tree} >/dev/null 2>&1 || true
  done
}

for shape in "${shapes[@]}"; do
  tree=$dir/$shape
  record=$tree.rows.tsv
  [[ -d $tree && -s $tree.expected.tsv ]] && record=$tree.expected.tsv  # a tree of make-trees.sh
  [[ -d $tree && -s $record ]] || {
    rm -rf -- "$tree" "$tree.ncdu.json"
    python3 "$top/bench/make_tree.py" "$tree" "$shape" >&2
  }
  echo "bench: $shape: checking tallmere32's figures" >&2
  "$tallmere" --report=csv "$tree" | python3 "$top/bench/check_rows.py" "$tree" "$record" >&2
  if [[ -n ${IMPORT:-} ]]; then
    [[ -s $tree.ncdu.json ]] || ncdu -0 -o "$tree.ncdu.json" "$tree"
    echo "bench: $shape: checking the import's files, bytes and folders" >&2
    "$tallmere" --report=csv --import="$tree.ncdu.json" |
      python3 "$top/bench/check_rows.py" "$tree" "$record" 3 >&2
  fi
  echo "bench: $shape: timing, warm cache" >&2
  time_tools "$tree" "$shape" --warmup 1
done
if [[ -n ${COLD:-} ]]; then
  for shape in ${COLD_SHAPES:-medium}; do
    echo "bench: $shape: timing, cold cache" >&2
    time_tools "$dir/$shape" "$shape-cold" --prepare 'sh -c "sync; echo 3 > /proc/sys/vm/drop_caches"'
  done
fi
python3 "$top/bench/table.py" "$out" "${shapes[@]}" ${COLD:+$(printf '%s-cold ' ${COLD_SHAPES:-medium})}
