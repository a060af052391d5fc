#!/usr/bin/env bash
# Builds a Release of both programs into build-release/ and packs it as a Debian package,
# build-release/tallmere32_VERSION_ARCH.deb, its dependencies computed by dpkg-shlibdeps.
# Install it with: sudo apt-get install ./build-release/tallmere32_*.deb
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$top/build-release
"$top/scripts/setup.sh" --packages-only
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLMERE_TESTS=OFF \
  -DTALLMERE_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build"
(cd "$build" && rm -f tallmere32_*.deb && cpack -G DEB >/dev/null)
ls "$build"/tallmere32_*.deb
