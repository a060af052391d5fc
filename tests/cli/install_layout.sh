#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks that tallmere32 finds its manual beside it.
# Usage: install_layout.sh BUILD_DIR
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$1" --prefix "$scratch" >/dev/null
for file in tallmere32 quorvane32 Tallmere32.HLP; do
    [[ -f $scratch/bin/$file ]] || { echo "missing bin/$file" >&2; exit 1; }
done
[[ -x $scratch/bin/tallmere32 && -x $scratch/bin/quorvane32 ]]
echo "install: programs and manual side by side in bin/"
