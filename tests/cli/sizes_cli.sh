#!/usr/bin/env bash
# tallmere32's ways of counting sizes, checked against sums made here over the same files:
# space on disk, hard links counted once, one file system, whatever the threads; and the
# JSON report's shape and names that are not UTF-8; figures past 2^64 exact in every report.
# Usage: sizes_cli.sh PROGRAM
set -euo pipefail
program=$1
scratch=$(mktemp -d)
tree=$scratch/tree
wide=$(mktemp -d /dev/shm/tallmere-sizes-XXXXXX)  # tmpfs takes files of 2^62 bytes; ext4 not
cleanup() {
  mountpoint -q "$tree/b/mnt" 2>/dev/null && umount "$tree/b/mnt"
  rm -rf "$scratch" "$wide"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$scratch/config
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

mkdir -p "$tree/a" "$tree/b/mnt" "$tree/c" "$tree/"$'\xff\xfe'
truncate -s 10M "$tree/a/sparse"                  # 10 MiB long, nothing on disk
head -c 5000 /dev/urandom >"$tree/a/full"
head -c 3000 /dev/urandom >"$tree/own"
ln "$tree/own" "$tree/c/own-again"                # the start row holds the first link
head -c 7000 /dev/urandom >"$tree/c/linked"
ln "$tree/c/linked" "$tree/a/linked-2"            # three links in three rows
ln "$tree/c/linked" "$tree/b/linked-3"
head -c 100 /dev/zero >"$tree/"$'\xff\xfe'"/odd"
# A file system mounted inside the tree, where this may mount one.
[[ $(id -u) -eq 0 ]] && mount -t tmpfs -o size=1m tmpfs "$tree/b/mnt" 2>/dev/null &&
  head -c 2000 /dev/zero >"$tree/b/mnt/inside"

check() {  # check FLAGS...: the JSON of tallmere32 with FLAGS against the sums made here
  for threads in 1 8; do
    "$program" --report=json --threads=$threads "$@" "$tree" >"$scratch/out.json"
    python3 - "$tree" "$scratch/out.json" "$@" <<'PYTHON' || { echo "sizes: $* with $threads threads" >&2; exit 1; }
import base64, json, os, stat, sys
top, out, flags = os.fsencode(sys.argv[1]), sys.argv[2], sys.argv[3:]
report = json.load(open(out))
on_disk, once, xdev = "--disk-usage" in flags, "--count-links-once" in flags, "-x" in flags
assert report["size"] == ("disk" if on_disk else "length") and report["links_once"] == once
names = [n for n in os.listdir(top)          # the walk's listing order, folders only
         if stat.S_ISDIR(os.lstat(os.path.join(top, n)).st_mode)]
rank = {name: i + 1 for i, name in enumerate(names)}
rows, met = {}, {}
def add(row, info):
    files, size = rows.get(row, (0, 0))
    rows[row] = (files + 1, size + (info.st_blocks * 512 if on_disk else info.st_size))
for here, dirs, files in os.walk(top):
    dirs[:] = [d for d in dirs if not xdev or os.lstat(os.path.join(here, d)).st_dev == os.lstat(top).st_dev]
    relative = os.path.relpath(here, top)
    row = b"" if relative == b"." else relative.split(b"/")[0]
    for name in files:
        info = os.lstat(os.path.join(here, name))
        if once and info.st_nlink > 1:
            key = (info.st_dev, info.st_ino)
            if key not in met or rank.get(row, 0) < rank.get(met[key][0], 0):
                met[key] = (row, info)
        else:
            add(row, info)
for row, info in met.values():
    add(row, info)
def name_of(entry):
    return base64.b64decode(entry["path_bytes"]) if "path_bytes" in entry else os.fsencode(entry["path"])
got = {}
for entry in report["rows"]:
    path = name_of(entry)
    assert all(isinstance(entry[k], int) for k in entry if k not in ("path", "path_bytes"))
    got[b"" if path == top else os.path.basename(path)] = (entry["files"], entry["bytes"])
want = {row: rows.get(row, (0, 0)) for row in [b""] + names}
assert got == want, (got, want)
total = report["total"]
assert (total["files"], total["bytes"]) == tuple(map(sum, zip(*want.values())))
assert [name_of(s) for s in report["start"]] == [top]
PYTHON
  done
}
check
check --disk-usage
check --count-links-once
check --disk-usage --count-links-once -x
"$program" --report=json --output="$scratch/out.json" "$tree"
python3 -c 'import json, sys; json.load(open(sys.argv[1]))' "$scratch/out.json"

# Four files of 2^62 bytes in one row (2^64, where a 64-bit sum wraps to 0) and one of 2^53 + 1
# bytes (a double rounds it to 2^53) beside them.
mkdir "$wide/big"
for name in 1 2 3 4; do truncate -s $((1 << 62)) "$wide/big/$name"; done
truncate -s $(((1 << 53) + 1)) "$wide/odd"
"$program" --report=json "$wide" >"$scratch/wide.json"
python3 - "$scratch/wide.json" <<'PYTHON' || { echo "sizes: figures past 2^64 in JSON" >&2; exit 1; }
import json, sys
report = json.load(open(sys.argv[1]))
assert [row["bytes"] for row in report["rows"]] == [2**53 + 1, 2**64], report["rows"]
assert report["total"]["bytes"] == 2**64 + 2**53 + 1 and report["total"]["files"] == 5, report
PYTHON
"$program" --report=csv "$wide" >"$scratch/wide.csv"
grep -q '^Grand Total,5,"18,455,751,272,964,292,609",1,' "$scratch/wide.csv" ||
  { echo "sizes: figures past 2^64 in the comma file" >&2; cat "$scratch/wide.csv" >&2; exit 1; }
"$program" --report=txt "$wide" >"$scratch/wide.txt"
grep -q '^Grand Total  *5  *18,455,751,272,964,292,609  *1 ' "$scratch/wide.txt" &&
  grep -q ' 9,007,199,254,740,993 ' "$scratch/wide.txt" ||
  { echo "sizes: figures past 2^64 in the text report" >&2; cat "$scratch/wide.txt" >&2; exit 1; }
echo "sizes: lengths, space on disk, links once and one file system agree with the files"
