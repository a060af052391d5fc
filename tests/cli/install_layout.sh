#!/usr/bin/env bash
# Installs a build into a scratch DESTDIR and checks what a desktop finds there: the programs,
# the manual in the data folder (and that the installed tallmere32 finds it), desktop entries,
# icons, AppStream metadata, man pages and documents, each valid.
# Usage: install_layout.sh BUILD_DIR
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=/opt/tm
DESTDIR=$scratch cmake --install "$1" --prefix "$prefix" >/dev/null
root=$scratch$prefix
fail() { echo "install: $*" >&2; exit 1; }

ids=(io.github.tallmere.Tallmere32 io.github.tallmere.Quorvane32)
expected=(bin/tallmere32 bin/quorvane32 share/tallmere32/Tallmere32.HLP
  share/man/man1/tallmere32.1.gz share/man/man1/quorvane32.1.gz
  share/doc/tallmere32/README.md share/doc/tallmere32/LICENSE)
for id in "${ids[@]}"; do
  expected+=("share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$id.svg")
  for size in 16 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
  done
done
for file in "${expected[@]}"; do [[ -f $root/$file ]] || fail "missing $file"; done
[[ $(ls "$root/bin") == $'quorvane32\ntallmere32' ]] || fail "bin holds more than the programs"

# The installed program, moved with its prefix, finds its manual and reports without a display.
mv "$root" "$scratch/moved"
root=$scratch/moved
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data \
  "$root/bin/tallmere32" --help-file >"$scratch/help-file" || fail "--help-file"
[[ $(cat "$scratch/help-file") == "$root/share/tallmere32/Tallmere32.HLP" ]] ||
  fail "help file at $(cat "$scratch/help-file")"
mkdir -p "$scratch/tree/sub" && head -c 10 /dev/zero >"$scratch/tree/sub/f"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data \
  "$root/bin/tallmere32" --report=csv "$scratch/tree" | grep -q "^$scratch/tree/sub,1,10," ||
  fail "installed report"

for id in "${ids[@]}"; do
  desktop-file-validate "$root/share/applications/$id.desktop" || fail "$id.desktop"
  appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "$id.metainfo.xml"
done
for page in tallmere32 quorvane32; do
  zcat "$root/share/man/man1/$page.1.gz" >"$scratch/$page.1"
  [[ -z $(LC_ALL=C.UTF-8 groff -ww -z -man "$scratch/$page.1" 2>&1) ]] || fail "$page.1 warns"
done
for option in $("$root/bin/tallmere32" --help | grep -oE '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u); do
  grep -qF -- "${option//-/\\-}" "$scratch/tallmere32.1" || fail "man page lacks $option"
done
echo "install: programs, manual, desktop entries, icons, metadata and man pages in place"
