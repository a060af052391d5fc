#!/usr/bin/env bash
# Checks the package scripts/make-deb.sh made: every installed path of the layout, nothing in
# bin/ but the two programs, stripped, and dependencies that name the Qt libraries.
# Usage: deb_contents.sh PACKAGE
set -euo pipefail
deb=$1
fail() { echo "deb: $*" >&2; exit 1; }
contents=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for path in /usr/bin/tallmere32 /usr/bin/quorvane32 /usr/share/tallmere32/Tallmere32.HLP \
  /usr/share/applications/io.github.tallmere.Tallmere32.desktop \
  /usr/share/applications/io.github.tallmere.Quorvane32.desktop \
  /usr/share/metainfo/io.github.tallmere.Tallmere32.metainfo.xml \
  /usr/share/metainfo/io.github.tallmere.Quorvane32.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/io.github.tallmere.Tallmere32.svg \
  /usr/share/icons/hicolor/48x48/apps/io.github.tallmere.Quorvane32.png \
  /usr/share/man/man1/tallmere32.1.gz /usr/share/man/man1/quorvane32.1.gz \
  /usr/share/doc/tallmere32/LICENSE; do
  grep -qx -- "$path" <<<"$contents" || fail "missing $path"
done
[[ $(grep '^/usr/bin/.' <<<"$contents" | sort | tr '\n' ' ') == "/usr/bin/quorvane32 /usr/bin/tallmere32 " ]] ||
  fail "bin holds more than the programs"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6charts6; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
[[ $(dpkg-deb -f "$deb" Section) == utils ]] || fail "section"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
file "$scratch/usr/bin/tallmere32" | grep -q 'stripped' && ! file "$scratch/usr/bin/tallmere32" | grep -q 'not stripped' ||
  fail "tallmere32 is not stripped"
echo "deb: $(basename "$deb") holds the installed layout and depends on Qt"
