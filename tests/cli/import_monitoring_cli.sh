#!/usr/bin/env bash
# tallmere32 between machines: scans saved by ncdu and gdu reported as a walk reports the same
# tree, broken exports refused, and the Prometheus report read by a real node exporter's
# textfile collector. Usage: import_monitoring_cli.sh PROGRAM
set -euo pipefail
program=$1
scratch=$(mktemp -d)
exporter=""
trap '[[ -n $exporter ]] && kill "$exporter" 2>/dev/null; rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
fail() { echo "import and monitoring: $*" >&2; exit 1; }

tree=$scratch/tree
mkdir -p "$tree/src/deep" "$tree/.cache" "$tree/empty"
head -c 5000 /dev/urandom >"$tree/src/deep/data"
head -c 700 /dev/zero >"$tree/src/.hidden"
ln "$tree/src/deep/data" "$tree/src/linked"
head -c 30 /dev/zero >"$tree/.cache/c"
truncate -s 1M "$tree/sparse"
ln -s src "$tree/link"

ncdu -0 -o "$scratch/ncdu.json" "$tree"
gdu --no-progress -o "$scratch/gdu.json" "$tree" >/dev/null
# gdu marks only the later links of a file, so its scans cannot count links once.
for counting in "" --disk-usage --count-links-once; do
  "$program" --report=csv $counting "$tree" >"$scratch/walk.csv"
  exports=(ncdu gdu)
  [[ $counting == --count-links-once ]] && exports=(ncdu)
  for export in "${exports[@]}"; do
    "$program" --report=csv $counting --import="$scratch/$export.json" >"$scratch/import.csv"
    cmp -s "$scratch/walk.csv" "$scratch/import.csv" ||
      fail "$export's scan ${counting:-by length}: $(diff "$scratch/walk.csv" "$scratch/import.csv")"
  done
done

# A folder inside the scan, by its full path or below the scan's root, and standard input.
"$program" --report=csv "$tree/src" >"$scratch/walk.csv"
"$program" --report=csv --import="$scratch/ncdu.json" "$tree/src" >"$scratch/full.csv"
"$program" --report=csv --import=- src <"$scratch/ncdu.json" >"$scratch/relative.csv"
cmp -s "$scratch/walk.csv" "$scratch/full.csv" || fail "a folder by its full path"
cmp -s "$scratch/walk.csv" "$scratch/relative.csv" || fail "a folder below the root, from stdin"

# Broken exports: one line naming the file and the place, status 2, nothing on standard output.
refused() {  # EXPORT PATTERN [FOLDER]
  local status=0
  "$program" --report=csv --import="$1" ${3:+"$3"} >"$scratch/out" 2>"$scratch/err" || status=$?
  [[ $status -eq 2 ]] || fail "$1 gave status $status"
  [[ ! -s $scratch/out && $(wc -l <"$scratch/err") -eq 1 ]] || fail "$1: $(cat "$scratch/err")"
  grep -qE "^tallmere32: cannot import $1: $2" "$scratch/err" || fail "$1: $(cat "$scratch/err")"
}
head -c 300 "$scratch/ncdu.json" >"$scratch/truncated.json"
refused "$scratch/truncated.json" "line [0-9]+, column [0-9]+: the export ends too early"
printf '{"not": "an export"}\n' >"$scratch/foreign.json"
refused "$scratch/foreign.json" "line 1, column [0-9]+: "
refused "$scratch/missing.json" "No such file"
refused "$scratch/ncdu.json" "the scan of $tree/ holds no folder" "$tree/nowhere"

# The Prometheus report, written atomically into a textfile collector's folder and served by
# node_exporter without a scrape error.
collector=$scratch/collector
mkdir "$collector"
"$program" --report=prometheus --output="$collector/tallmere32.prom" "$tree"
grep -q '^# TYPE tallmere32_directory_size_bytes gauge$' "$collector/tallmere32.prom" ||
  fail "no TYPE line: $(head -5 "$collector/tallmere32.prom")"
port=$((20000 + RANDOM % 20000))
prometheus-node-exporter --web.listen-address="127.0.0.1:$port" --collector.disable-defaults \
  --collector.textfile --collector.textfile.directory="$collector" 2>"$scratch/exporter.log" &
exporter=$!
for _ in $(seq 50); do
  curl -sf "http://127.0.0.1:$port/metrics" >"$scratch/metrics" && break
  sleep 0.2
done
grep -qx 'node_textfile_scrape_error 0' "$scratch/metrics" ||
  fail "the collector refused the file: $(grep -i error "$scratch/metrics" "$scratch/exporter.log")"
grep -qx "tallmere32_directory_size_bytes{path=\"$tree/src\"} 10700" "$scratch/metrics" ||
  fail "src's size: $(grep "tallmere32_directory_size_bytes" "$scratch/metrics")"
grep -qx "tallmere32_directory_files{path=\"$tree/src\"} 3" "$scratch/metrics" ||
  fail "src's files: $(grep "tallmere32_directory_files" "$scratch/metrics")"
grep -q '^tallmere32_last_run_timestamp_seconds [0-9]' "$scratch/metrics" || fail "last run"
# An import is kept as a snapshot of the scan's root, so a later walk compares with it, and an
# import compares as a walk does; a broken export, --no-snapshot or a history turned off in
# Options keeps none.
count() { "$program" --list-snapshots --report=json | jq '.snapshots | length'; }
"$program" --forget=all >/dev/null
refused "$scratch/truncated.json" "line"
"$program" --report=csv --no-snapshot --import="$scratch/ncdu.json" >/dev/null
mkdir -p "$XDG_CONFIG_HOME/Tallmere32"
printf '[General]\nKeepHistory=False\n' >"$XDG_CONFIG_HOME/Tallmere32/Tallmere32.ini"
"$program" --report=csv --import="$scratch/ncdu.json" >/dev/null
"$program" --report=csv "$tree" >/dev/null
[[ $(count) -eq 0 ]] || fail "$(count) snapshots kept without asking"
rm "$XDG_CONFIG_HOME/Tallmere32/Tallmere32.ini"
"$program" --report=csv --import="$scratch/ncdu.json" >/dev/null
"$program" --list-snapshots --report=json | jq -e --arg start "$tree/" \
  '.snapshots | length == 1 and .[0].start == $start and .[0].files == 6' >/dev/null ||
  fail "the import's snapshot: $("$program" --list-snapshots --report=json)"
head -c 300 /dev/zero >"$tree/src/deep/more"
"$program" --report=json --compare "$tree" |
  jq -e --arg p "$tree/src" '.rows[] | select(.path == $p) | [.growth_bytes, .growth_files] == [300, 1]' \
    >/dev/null || fail "a walk did not compare with the import"
"$program" --report=json --no-snapshot --compare --import="$scratch/ncdu.json" |
  jq -e --arg p "$tree/src" '.rows[] | select(.path == $p) | [.growth_bytes, .growth_files] == [-300, -1]' \
    >/dev/null || fail "an import did not compare with the walk"
echo "import and monitoring: all passed"
