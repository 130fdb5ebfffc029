#!/usr/bin/env bash
# Builds the input fuzz targets (clang, x86-64, ASan + UBSan + libFuzzer) and
# runs each on a copy of its seeds.
# usage: scripts/fuzz-input.sh [RUNS]   (default 10000000 executions each)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10000000}
build=${TAV_FUZZ_BUILD:-$root/build/fuzz}
command -v clang++ >/dev/null || sudo apt-get install -y clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DTAV_M32=OFF -DTAV_FUZZ=ON -DTAV_SANITIZE=ON \
  -DTAV_TESTS=OFF -DTAV_EXAMPLES=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target fuzz_format_input fuzz_list_input >/dev/null
for t in format list; do
  corpus=$(mktemp -d /tmp/tavfuzz.$t.XXXXXX)
  cp "$root/fuzz/input/seeds/$t"/* "$corpus"/
  echo "=== fuzz_${t}_input: $runs executions"
  # Anything found is kept in /tmp/tavfuzz-artifacts.
  mkdir -p /tmp/tavfuzz-artifacts
  ASAN_OPTIONS=detect_leaks=1 "$build/fuzz/input/fuzz_${t}_input" -runs="$runs" -timeout=5 \
    -rss_limit_mb=1024 -max_len=512 -print_final_stats=1 -artifact_prefix=/tmp/tavfuzz-artifacts/ "$corpus" 2>&1 |
    grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Done|artifact' || true
  rm -rf "$corpus"
done
