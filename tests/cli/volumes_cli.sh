#!/usr/bin/env bash
# quorvane32's volumes on real mounts, set up in a mount namespace of the test's own so the
# machine's mounts are never touched: loop-mounted file systems, bind mounts of one of them, a
# mount covered by a later one, a mount point below a folder an ordinary user may not search,
# and a survey under a process limit that leaves no thread to be had.
# Usage: volumes_cli.sh PROGRAM. Skipped (77) where mounting is refused.
set -euo pipefail
program=$(realpath "$1")
if [[ ${IN_TEST_NAMESPACE:-} != 1 ]]; then
    if [[ $EUID -ne 0 ]] || ! unshare -m --propagation private true 2>/dev/null; then
        echo "volumes: needs root and mount namespaces; skipped"
        exit 77
    fi
    exec env IN_TEST_NAMESPACE=1 unshare -m --propagation private "$0" "$program"
fi

# Everything lives on a memory file system of its own, so one unmount takes it all away
# (which the end of the namespace would do anyway).
scratch=$(mktemp -d)
trap 'status=$?; umount -l "$scratch"; rm -rf "$scratch"; exit $status' EXIT
mount -t tmpfs -o mode=755 scratch "$scratch"
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
mkdir -m 777 "$scratch/nobody"
nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups env XDG_DATA_HOME="$scratch/nobody")

# An ext4 file system of MB megabytes in a file; the rest of the arguments go to mkfs.
make_disk() {
    local image=$1 megabytes=$2
    shift 2
    truncate -s "${megabytes}M" "$image"
    mkfs.ext4 -q -F "$@" "$image"
}
mount_disk() {
    mkdir -p "$2"
    mount -o loop "$1" "$2" || { echo "volumes: loop mounts refused; skipped"; exit 77; }
}
# The volumes of a JSON report below the scratch folder, one mount point a line.
points() { jq -r --arg at "$scratch/" '.volumes[].mount_point | select(startswith($at))'; }

make_disk "$scratch/ten.img" 12 -m 10  # a tenth kept back for the administrator
make_disk "$scratch/two.img" 8
mkdir -p "$scratch/tree/inner"
make_disk "$scratch/cover.img" 10 -d "$scratch/tree"
make_disk "$scratch/hidden.img" 9
make_disk "$scratch/locked.img" 11
mount_disk "$scratch/ten.img" "$scratch/m10"
mount_disk "$scratch/two.img" "$scratch/m2"
for bind in b1 "deeper/m10 again" zz; do
    mkdir -p "$scratch/binds/$bind"
    mount --bind "$scratch/m10" "$scratch/binds/$bind"
done
mount_disk "$scratch/hidden.img" "$scratch/c/inner"
mount_disk "$scratch/cover.img" "$scratch/c"  # its own "inner" now hides the mount there
mkdir -m 700 "$scratch/locked"
mount_disk "$scratch/locked.img" "$scratch/locked/vol"

"$program" --report=json >"$scratch/report.json"
# Each file system once, on its shortest mount point, in natural order; the covered one gone.
[[ $(points <"$scratch/report.json") == "$(printf '%s\n' "$scratch/c" "$scratch/locked/vol" \
    "$scratch/m2" "$scratch/m10")" ]]
# Avail is what an ordinary user may write: the reserve is free but not available.
ten=$(jq --arg p "$scratch/m10" '.volumes[] | select(.mount_point == $p)' "$scratch/report.json")
read -r total avail free used < <(jq -r '"\(.total_bytes) \(.avail_bytes) \(.free_bytes) \(.used_bytes)"' <<<"$ten")
df_avail=$(df -B1 --output=avail "$scratch/m10" | tail -1 | tr -d ' ')
[[ $avail -eq $df_avail && $avail -lt $free && $used -eq $((total - avail)) ]]
"$program" --report=txt >"$scratch/report.txt"
avail_mb=$(awk -v p="$scratch/m10" '$1 == p { print $3 }' "$scratch/report.txt")  # no label
[[ $avail_mb == $(awk -v a="$avail" 'BEGIN { printf "%.1f", a / 1048576 }') ]]

# An ordinary user cannot reach the mount point below the locked folder: its row says why, a
# line on standard error says so too, and the report ends with status 1.
status=0
"${nobody[@]}" "$program" --report=json >"$scratch/nobody.json" 2>"$scratch/nobody.err" ||
    status=$?
[[ $status -eq 1 ]]
jq -e --arg p "$scratch/locked/vol" \
    '.volumes[] | select(.mount_point == $p) | .fault == "Permission denied" and .total_bytes == null' \
    "$scratch/nobody.json" >/dev/null
[[ $(cat "$scratch/nobody.err") == "quorvane32: $scratch/locked/vol could not be surveyed: Permission denied" ]]

# With no thread to be had, every volume is still surveyed, on the program's own thread.
"${nobody[@]}" prlimit --nproc=1 "$program" --report=json >"$scratch/limited.json" 2>/dev/null ||
    true
[[ $(points <"$scratch/limited.json") == $(points <"$scratch/nobody.json") ]]
jq -e --arg p "$scratch/m2" '.volumes[] | select(.mount_point == $p) | .total_bytes > 0' \
    "$scratch/limited.json" >/dev/null
# Every survey is kept; with history brought in from elsewhere (rows a script inserts) the
# volume's forecast is the line through its surveys: 50,000 bytes more a day.
store=$XDG_DATA_HOME/tallmere32/history.sqlite
two=$(jq --arg p "$scratch/m2" '.volumes[] | select(.mount_point == $p)' "$scratch/report.json")
read -r total used < <(jq -r '"\(.total_bytes) \(.used_bytes)"' <<<"$two")
now=$(date +%s)
for days in 10 5 1; do
    sqlite3 "$store" "INSERT INTO volume_surveys(time, mount_point, total_bytes, avail_bytes,
        free_bytes, used_bytes) VALUES($((now - days * 86400)), '$scratch/m2', $total,
        $((total - used + days * 50000)), $((total - used + days * 50000)),
        $((used - days * 50000)))"
done
"$program" --report=json >"$scratch/trend.json"
forecast=$(jq -c --arg p "$scratch/m2" '.volumes[] | select(.mount_point == $p) |
    [.growth_bytes_per_day, .days_until_full, .surveys, .avail_bytes]' "$scratch/trend.json")
jq -e '.[0] > 49000 and .[0] < 51000 and .[2] == 6 and
    (.[1] - .[3] / 50000 | fabs) < 1' <<<"$forecast" >/dev/null || {
    echo "volumes: forecast $forecast"
    exit 1
}
[[ $(jq -c --arg p "$scratch/m10" '.volumes[] | select(.mount_point == $p) |
    [.growth_bytes_per_day, .days_until_full]' "$scratch/trend.json") == "[null,null]" ]]
[[ $(sqlite3 "$store" "SELECT count(*) FROM volume_surveys WHERE mount_point = '$scratch/m2'") -eq 6 ]]

# --trend: the text report and the comma file add Per Day (MB, one decimal) and Full In, the
# same words as the window. The m10 volume is given history that fills it in 17.5 days.
read -r total avail used < <(jq -r '"\(.total_bytes) \(.avail_bytes) \(.used_bytes)"' <<<"$ten")
rate=$((avail * 2 / 35))
((used > 2 * rate)) || { echo "volumes: m10 uses too little for its history"; exit 1; }
now=$(date +%s)
for days in 2 1; do  # and the survey of the report: three over two days
    sqlite3 "$store" "INSERT INTO volume_surveys(time, mount_point, total_bytes, avail_bytes,
        free_bytes, used_bytes) VALUES($((now - days * 86400)), '$scratch/m10', $total,
        $((avail + days * rate)), $((avail + days * rate)), $((used - days * rate)))"
done
"$program" --report=csv --trend >"$scratch/trend.csv"
tr -d '\r' <"$scratch/trend.csv" >"$scratch/trend.lf.csv"
head -1 "$scratch/trend.lf.csv" | grep -q ',Cluster Size,Changed,Per Day,Full In$'
# Per Day and Full In of a volume: the last two fields, as the sizes before them hold commas.
row() { awk -F, -v p="$1" '$1 == p { print $(NF - 1) "|" $NF }' "$scratch/trend.lf.csv"; }
per_day=$(awk -v r="$rate" 'BEGIN { printf "%.1f", r / 1048576 }' | sed 's/^0\././')
[[ $(row "$scratch/m10") == "$per_day|17 days" ]] || { echo "volumes: m10 $(row "$scratch/m10")"; exit 1; }
[[ $(row "$scratch/m2") =~ ^\.0\|[0-9]+\ months$ ]] || { echo "volumes: m2 $(row "$scratch/m2")"; exit 1; }
[[ $(row "$scratch/c") == "|" ]]
"$program" --report=txt --trend >"$scratch/trend.txt"
grep -q '   Changed    Per Day    Full In $' "$scratch/trend.txt"
grep -q "^ *$scratch/m10 .* $per_day    17 days $" "$scratch/trend.txt"
# Without --trend the reports are as they always were; JSON takes it and changes nothing.
"$program" --report=txt >"$scratch/plain.txt"
if grep -q 'Per Day\|Full In\|17 days' "$scratch/plain.txt"; then
    echo "volumes: a report without --trend has its columns"
    exit 1
fi
[[ $(head -3 "$scratch/plain.txt" | tail -1) == "$(head -3 "$scratch/report.txt" | tail -1)" ]]
"$program" --report=json --trend | jq -e --arg p "$scratch/m10" \
    '.volumes[] | select(.mount_point == $p) | .days_until_full > 17 and .days_until_full < 18' \
    >/dev/null
# --trend needs a report, and takes no value.
for wrong in --trend "--report=csv --trend=yes"; do
    status=0
    # shellcheck disable=SC2086 # the words are meant to split
    "$program" $wrong >/dev/null 2>"$scratch/wrong.err" || status=$?
    [[ $status -eq 2 && $(cat "$scratch/wrong.err") == quorvane32:\ *trend* ]]
done
echo "quorvane32 volumes: once per file system, covered ones left out, unreachable ones told;" \
    "forecasts in JSON and with --trend"
