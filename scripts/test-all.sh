#!/usr/bin/env bash
# Checks that includes go only downward, installs what the build needs, builds with warnings
# as errors, checks the formatting and runs every test. Window tests run on Qt's offscreen platform.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/check-layers.sh"
"$top/scripts/setup.sh" -DTALLMERE_WERROR=ON
"$top/scripts/check-format.sh"
cd "$top/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j2
