#!/usr/bin/env bash
# Installs the Debian packages the project needs and builds it into build/.
# Usage: scripts/setup.sh [cmake options...]
#        scripts/setup.sh --packages-only   (installs the packages and builds nothing)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(
  cmake ninja-build g++ pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libgl-dev
  libgtest-dev libgmock-dev
  fonts-liberation xvfb xauth poppler-utils attr python3
  desktop-file-utils appstream groff-base dpkg-dev file
  curl ncdu gdu libsqlite3-dev sqlite3 prometheus-node-exporter
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq "${missing[@]}"
fi

[[ ${1:-} == --packages-only ]] && exit 0
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$top/build"
