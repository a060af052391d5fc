#!/usr/bin/env bash
# Installs what is needed, builds, and starts Tallmere32 on DIR (the current directory when
# none is named). Without a display it prints the text report instead.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/setup.sh" >&2
dir=${1:-$PWD}
shift || true
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
  exec "$top/build/apps/tallmere32" "$dir" "$@"
fi
exec "$top/build/apps/tallmere32" --report=txt "$dir" "$@"
