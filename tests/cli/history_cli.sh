#!/usr/bin/env bash
# tallmere32's history from the command line: every report saved, compared with later ones at
# any depth, reported again without walking, listed and forgotten; several runs at once; and a
# store that is damaged, newer or not writable never costs the report. Usage: history_cli.sh
# PROGRAM
set -euo pipefail
program=$1
scratch=$(mktemp -d)
trap 'chmod -R u+rwx "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
store=$XDG_DATA_HOME/tallmere32/history.sqlite
tree=$scratch/tree
mkdir -p "$tree/a/deep" "$tree/b" "$tree/gone" "$tree/"$'\xff'
head -c 1000 /dev/zero >"$tree/a/deep/f"
head -c 50 /dev/zero >"$tree/gone/g"
head -c 7 /dev/zero >"$tree/"$'\xff/odd'

fail() { echo "tallmere32 history: $*" >&2; exit 1; }
count() { "$program" --list-snapshots --report=json | jq '.snapshots | length'; }

"$program" --report=csv "$tree" >"$scratch/first.csv" 2>"$scratch/error" || fail "first report"
[[ ! -s $scratch/error ]] || fail "first report said: $(cat "$scratch/error")"
[[ $(count) -eq 1 ]] || fail "the first report was not kept"
first=$("$program" --list-snapshots --report=json | jq '.snapshots[0].id')

# The same report again from the snapshot, without walking.
"$program" --report=csv --from-snapshot="$first" >"$scratch/again.csv" || fail "--from-snapshot"
cmp -s "$scratch/first.csv" "$scratch/again.csv" || fail "the snapshot's report differs"
"$program" --report=csv --from-snapshot="$first" "$tree/a" | grep -q "^$tree/a/deep,1,\"1,000\"," ||
  fail "a folder inside a snapshot"

# Growth at depth, a new folder and a gone one.
head -c 300 /dev/zero >"$tree/a/deep/more"
rm -r "$tree/gone"
mkdir "$tree/c"
"$program" --report=json --compare "$tree" >"$scratch/grew.json" || fail "--compare"
jq -e --argjson id "$first" '.compared_with.id == $id' "$scratch/grew.json" >/dev/null ||
  fail "compared_with"
row() { jq -c --arg p "$tree/$1" '.rows[] | select(.path == $p) | [.growth_bytes, .growth_files, .change]' "$scratch/grew.json"; }
[[ $(row a) == '[300,1,"changed"]' ]] || fail "growth of a: $(row a)"
[[ $(row b) == '[0,0,"same"]' ]] || fail "b: $(row b)"
[[ $(row c) == '[0,0,"new"]' ]] || fail "c: $(row c)"
[[ $(row gone) == '[-50,-1,"gone"]' ]] || fail "gone: $(row gone)"
jq -e --arg p "$tree/gone" '.rows[] | select(.path == $p) | .bytes == null' "$scratch/grew.json" >/dev/null ||
  fail "a gone folder has figures"
"$program" --report=csv --compare="$first" "$tree/a" | tr -d '\r' >"$scratch/deep.csv" ||
  fail "--compare=ID"
grep -q "^$tree/a/deep,2,\"1,300\",.*,+300,+1$" "$scratch/deep.csv" || fail "growth two levels down"
head -n1 "$scratch/deep.csv" | grep -q ',Growth Bytes,Growth Files$' || fail "growth headings"
"$program" --report=txt --compare="$(date +%F)" "$tree" | grep -q 'Growth Bytes' || fail "--compare=DATE"

# Nothing to compare with: the report as usual and one line on standard error.
mkdir "$scratch/fresh"
"$program" --report=csv --compare "$scratch/fresh" >"$scratch/out.csv" 2>"$scratch/error" ||
  fail "nothing to compare with gave a failure status"
[[ $(wc -l <"$scratch/error") -eq 1 ]] || fail "nothing to compare with: $(cat "$scratch/error")"
! grep -q Growth "$scratch/out.csv" || fail "growth columns without a comparison"

# Four runs at once all keep their snapshots; --no-snapshot keeps none.
before=$(count)
pids=()
for i in 1 2 3 4; do
  "$program" --report=json "$tree" >"$scratch/run$i.json" 2>"$scratch/run$i.err" & pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || fail "a run at the same time failed"; done
cat "$scratch"/run?.err | grep -q . && fail "runs at once said: $(cat "$scratch"/run?.err)"
[[ $(count) -eq $((before + 4)) ]] || fail "runs at once kept $(($(count) - before))"
"$program" --report=csv --no-snapshot "$tree" >/dev/null
[[ $(count) -eq $((before + 4)) ]] || fail "--no-snapshot kept one"
"$program" --list-snapshots "$tree" | grep -q "$tree/" || fail "--list-snapshots DIR"
[[ $("$program" --list-snapshots --report=json "$scratch/fresh" | jq '.snapshots | length') -eq 1 ]] ||
  fail "--list-snapshots of one start"

# Forgetting.
"$program" --forget="$first" >/dev/null || fail "--forget=ID"
[[ $(count) -eq $((before + 3)) ]] || fail "--forget=ID left $(count)"
status=0
"$program" --forget="$first" >/dev/null 2>&1 || status=$?
[[ $status -eq 1 ]] || fail "forgetting a snapshot twice gave $status"
"$program" --forget=all >/dev/null || fail "--forget=all"
[[ $(count) -eq 0 ]] || fail "--forget=all left $(count)"

# The store never costs a report: newer, damaged, not writable.
one_warning() {  # $1: what; the report must come out whole with status 0 and one stderr line
  "$program" --report=csv "$tree" >"$scratch/out.csv" 2>"$scratch/error" || fail "$1: status $?"
  [[ $(wc -l <"$scratch/error") -eq 1 ]] || fail "$1: $(cat "$scratch/error")"
  tail -n1 "$scratch/out.csv" | grep -q '^Grand Total,' || fail "$1: no report"
}
sqlite3 "$store" 'PRAGMA user_version = 99'
one_warning "a newer store"
grep -q 'newer version (99)' "$scratch/error" || fail "newer: $(cat "$scratch/error")"
rm -f "$store" "$store"-wal "$store"-shm
head -c 4096 /dev/urandom >"$store"
one_warning "a damaged store"
ls "$store".corrupt-* >/dev/null 2>&1 || fail "the damaged store was not kept aside"
[[ $(count) -eq 1 ]] || fail "no new store begun after the damaged one"
if [[ $(id -u) -eq 0 ]]; then
  chmod 755 "$scratch" "$tree"
  mkdir -p "$scratch/shut" && chmod 555 "$scratch/shut"
  status=0
  setpriv --reuid=65534 --regid=65534 --clear-groups env XDG_DATA_HOME="$scratch/shut" \
    XDG_CONFIG_HOME="$scratch/shut" "$program" --report=csv "$tree" >"$scratch/out.csv" \
    2>"$scratch/error" || status=$?
  [[ $status -eq 0 && $(wc -l <"$scratch/error") -eq 1 ]] ||
    fail "a store that cannot be written: status $status, $(cat "$scratch/error")"
fi
exit 0
