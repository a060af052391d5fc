#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for SECONDS (default
# 60), starting from the seed inputs in tests/fuzz/corpus/ (new inputs go to a scratch folder,
# not into the repository). Fails when a target finds an input that breaks it; the input is
# then kept in build-fuzz/crashes/.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
build=$top/build-fuzz
"$top/scripts/setup.sh" --version >/dev/null  # the project's packages
packages=(clang libclang-rt-14-dev)
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' && continue
  sudo=""; [[ $(id -u) -eq 0 ]] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${packages[@]}"
  break
done
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTALLMERE_FUZZ=ON -DTALLMERE_TESTS=OFF -DTALLMERE_BENCH=OFF >/dev/null
targets=(mount_table samba_value command_line reports ncdu_import)
cmake --build "$build" --target "${targets[@]/#/fuzz_}"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/crashes"
for target in "${targets[@]}"; do
  mkdir -p "$scratch/$target"
  echo "fuzz: $target for ${seconds}s" >&2
  "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/crashes/$target-" "$scratch/$target" \
    "$top/tests/fuzz/corpus/$target" 2>"$scratch/$target.log" ||
    { tail -n 40 "$scratch/$target.log" >&2; echo "fuzz: $target failed" >&2; exit 1; }
  grep -E '^stat::number_of_executed_units|^Done' "$scratch/$target.log" | sed "s/^/fuzz: $target: /" >&2 || true
done
echo "fuzz: ${#targets[@]} targets ran ${seconds}s each without a failure"
