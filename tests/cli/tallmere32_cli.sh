#!/usr/bin/env bash
# tallmere32's command line with no display at all: report mode to standard output and to a
# file, help, version, and the mistakes a user can make. Usage: tallmere32_cli.sh PROGRAM
set -euo pipefail
program=$1
scratch=$(mktemp -d)
trap 'chmod -R u+rwx "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
tree=$scratch/tree
mkdir -p "$tree/big" "$tree/small" "$tree/-dash"
head -c 3000 /dev/zero >"$tree/big/f"
head -c 20 /dev/zero >"$tree/small/f"
cd "$scratch"

fail() { echo "tallmere32 command line: $*" >&2; exit 1; }

"$program" --report=csv "$tree" -d3 >"$scratch/out.csv"
printf 'Directory Name,Total Files,Total Bytes,' | cmp -s -n 31 - "$scratch/out.csv" || fail "csv heading"
[[ $(sed -n 2p "$scratch/out.csv") == "$tree/big,1,\"3,000\",,,,,,,,"$'\r' ]] || fail "csv sorted by size"
[[ $(tail -n1 "$scratch/out.csv") == Grand\ Total,2,\"3,020\",3,* ]] || fail "grand total"
grep -q $'\r$' "$scratch/out.csv" || fail "CR LF line ends"

"$program" --report=txt --output="$scratch/out.txt" -- "$tree/-dash" tree
grep -q -- '-dash' "$scratch/out.txt" || fail "-- before a directory named -dash"
grep -q ' Disk Utilization as of ' "$scratch/out.txt" || fail "text title"

mkdir "$tree/semi;colon \"q\""
"$program" --report=csv -- "$tree/semi;colon \"q\"" >"$scratch/exact.csv"
[[ $(sed -n 2p "$scratch/exact.csv") == "\"$tree/semi;colon \"\"q\"\"\",,,,,,,,,,"$'\r' ]] ||
  fail "a directory after -- is taken exactly as given"

expect_status() {
  local want=$1; shift
  local status=0
  "$@" 2>"$scratch/error" >/dev/null || status=$?
  [[ $status -eq $want ]] || fail "$* exited $status, not $want"
  [[ $(wc -l <"$scratch/error") -eq 1 ]] || fail "$* did not say one line: $(cat "$scratch/error")"
}

# A folder that cannot be read: its row stays empty, standard error names it, the status is 1.
# As root this runs as the user nobody, who may not read it.
as_user=()
[[ $(id -u) -eq 0 ]] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
chmod 755 "$scratch"
mkdir -p "$scratch/locked/open" "$scratch/locked/shut" "$scratch/nobody"
chmod 777 "$scratch/nobody"
head -c 10 /dev/zero >"$scratch/locked/open/f"
chmod 000 "$scratch/locked/shut"
status=0
"${as_user[@]}" env XDG_CONFIG_HOME="$scratch/nobody" XDG_DATA_HOME="$scratch/nobody" "$program" --report=csv "$scratch/locked" \
  >"$scratch/locked.csv" 2>"$scratch/locked.err" || status=$?
[[ $status -eq 1 ]] || fail "an unreadable folder gave status $status"
[[ $(cat "$scratch/locked.err") == "tallmere32: cannot read '$scratch/locked/shut': Permission denied" ]] ||
  fail "unreadable folder message: $(cat "$scratch/locked.err")"
grep -qx "$scratch/locked/open,1,10,,,,,,,,"$'\r' "$scratch/locked.csv" || fail "readable row"
grep -qx "$scratch/locked/shut,,,,,,,,,,"$'\r' "$scratch/locked.csv" || fail "unreadable row"
# Under a process limit the threads that cannot start are done without.
"${as_user[@]}" prlimit --nproc=4 env XDG_CONFIG_HOME="$scratch/nobody" XDG_DATA_HOME="$scratch/nobody" "$program" \
  --report=csv "$tree" -d3 >"$scratch/limited.csv" || fail "a walk under a process limit"
"$program" --report=csv "$tree" -d3 | cmp -s - "$scratch/limited.csv" || fail "limited walk rows"
expect_status 2 "$program" --report=csv --threads=65 "$tree"
# Out of memory under an address-space limit is told, never an abort. The limits run from
# just enough to load the libraries (below that the loader fails, status 127) upwards.
for mib in $(seq 80 10 400); do
  status=0
  prlimit --as=$((mib << 20)) "$program" --report=csv --threads=64 "$tree" >/dev/null \
    2>"$scratch/error" || status=$?
  [[ $status -eq 0 || $status -eq 127 ||
    ($status -eq 1 && $(cat "$scratch/error") == "tallmere32: out of memory") ]] ||
    fail "under $mib MiB of address space: status $status, $(cat "$scratch/error")"
done

# Report mode only reads the settings: without a config folder, or with a folder where the
# settings file should be, it writes its report from the first-run values.
HOME=/nonexistent XDG_CONFIG_HOME= "$program" --report=csv "$tree" >"$scratch/nohome.csv" ||
  fail "report without a config folder"
mkdir -p "$scratch/blocked/Tallmere32/Tallmere32.ini"
XDG_CONFIG_HOME=$scratch/blocked "$program" --report=csv "$tree" >/dev/null 2>"$scratch/error" ||
  fail "report with a folder for settings"
[[ $(cat "$scratch/error") == "tallmere32: cannot read the settings in $scratch/blocked/Tallmere32/Tallmere32.ini; using the first-run values" ]] ||
  fail "settings warning: $(cat "$scratch/error")"
expect_status 1 "$program" --report=csv "$scratch/nonexistent"
[[ $(cat "$scratch/error") == "tallmere32: cannot read '$scratch/nonexistent': No such file or directory" ]] ||
  fail "missing start directory: $(cat "$scratch/error")"

# Names with a comma, a double quote, a line feed or a tab come back whole from a CSV reader.
odd=$scratch/odd
mkdir -p "$odd/a,b" "$odd/q\"uote" "$odd/new"$'\n'"line" "$odd/tab"$'\t'"here"
"$program" --report=csv "$odd" | python3 -c '
import csv, io, sys
rows = list(csv.reader(io.TextIOWrapper(sys.stdin.buffer, newline="")))
names = sorted(row[0].rsplit("/", 1)[-1] for row in rows[2:-1])
sys.exit(names != sorted(["a,b", "q\"uote", "new\nline", "tab\there"]) or len(rows[0]) != 11)
' || fail "CSV of odd names"

# Excludes from the command line and from a list file, added to those kept in the options.
mkdir -p "$tree/big/node_modules/m" "$tree/small/cache"
head -c 500 /dev/zero >"$tree/big/node_modules/m/x"
head -c 700 /dev/zero >"$tree/big/disc.iso"
printf 'Signature: 8a477f597d28d172789f06886806bc55\n' >"$tree/small/cache/CACHEDIR.TAG"
printf '# images\n\n*.iso\n' >"$scratch/excludes.list"
"$program" --report=json --exclude=node_modules --exclude-from="$scratch/excludes.list" \
  --exclude-caches "$tree" >"$scratch/excluded.json"
jq -e '.excluded_entries == 3 and .total.bytes == 3020 and .total.dirs == 4' \
  "$scratch/excluded.json" >/dev/null || fail "excludes: $(jq -c '[.excluded_entries, .total]' "$scratch/excluded.json")"
jq -e '.excluded_entries == 0' <("$program" --report=json "$tree/small/cache") >/dev/null ||
  fail "a start directory is never excluded"
expect_status 2 "$program" --report=csv --exclude-from="$scratch/no-such-list" "$tree"
rm -r "$tree/big/node_modules" "$tree/big/disc.iso" "$tree/small/cache"

"$program" --help >"$scratch/help"  # whole: grep -q leaving early would cut the text off
grep -q -- '--report=txt|csv' "$scratch/help" || fail "help"
"$program" --version | grep -q '^tallmere32 ' || fail "version"

expect_status 2 "$program" --bogus
expect_status 2 "$program" --report=pdf "$tree"
expect_status 2 "$program" --report=csv -s "$tree"
expect_status 1 "$program" --report=csv --output="$scratch/missing/out.csv" "$tree"
expect_status 1 "$program" "$tree"
expect_status 2 "$program" --report=csv -- ""
# A current folder that was deleted is a start that cannot be read, never another place.
mkdir "$scratch/gone"
(
  cd "$scratch/gone" && rmdir "$scratch/gone"
  for start in . "-- ."; do
    # shellcheck disable=SC2086  # "-- ." is two words
    expect_status 1 "$program" --report=csv $start
    grep -q "^tallmere32: cannot read '$scratch/gone (deleted)': No such file or directory\$" \
      "$scratch/error" || fail "deleted current folder: $(cat "$scratch/error")"
  done
)
[[ ! -e $scratch/missing ]] || fail "a folder was made for the output"

# A link that another user planted in a sticky folder everyone may write is never followed.
if [[ $(id -u) -eq 0 ]]; then
  mkdir -m 1777 "$scratch/shared"
  printf precious >"$scratch/victim"
  "${as_user[@]}" ln -s "$scratch/victim" "$scratch/shared/out.csv"
  expect_status 1 "$program" --report=csv --output="$scratch/shared/out.csv" "$tree"
  [[ $(cat "$scratch/victim") == precious ]] || fail "the report followed another user's link"
fi
echo "tallmere32 command line: reports, help, version and mistakes behave"
