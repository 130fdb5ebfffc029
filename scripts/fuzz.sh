#!/usr/bin/env bash
# Builds the fuzz targets (x86-64, clang, libFuzzer with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each from its seeds:
#   fuzz_format    whole WRITE statements, formatted and list-directed, with
#                  mixed items, back to back on one unit
#   fuzz_edit      the output conversions with w, d, e, m and k anywhere in
#                  the 32-bit range
#   fuzz_input     formatted and list-directed READ items of every kind over
#                  in-memory records (tests/support/record_fixture.h)
#   fuzz_namelist  NAMELIST READ of arbitrary records
#   fuzz_internal_read  internal READ from a CHARACTER scalar or array
# usage: scripts/fuzz.sh [SECONDS | -runs=N]   (default 10 seconds each)
# New inputs the fuzzer finds go to build/fuzz/corpus-*, never to the seeds.
set -euo pipefail
# Every target: tests/fuzz/fuzz_NAME.cpp with its seeds in tests/fuzz/seeds/NAME.
targets=(format edit input namelist internal_read)
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAV_FUZZ_BUILD:-$root/build/fuzz}
limit=${1:-10}
case $limit in -runs=*) run_limit=$limit ;; *) run_limit=-max_total_time=$limit ;; esac
command -v clang++ >/dev/null || { echo "fuzz: clang++ is not installed" >&2; exit 77; }
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined
       -fno-sanitize-recover=undefined -D_FILE_OFFSET_BITS=64 -I"$root/include" -I"$root/src" -I"$root/tests")
mkdir -p "$build/obj"
# The library's sources, each compiled again only when it or a header changed.
newest_header=$(find "$root/src" "$root/include" -name '*.h' -printf '%T@\n' | sort -n | tail -1)
objs=()
for src in $(find "$root/src" -name '*.cpp' | sort); do
  obj=$build/obj/$(echo "${src#"$root"/src/}" | tr / _).o
  objs+=("$obj")
  if [ ! -e "$obj" ] || [ "$src" -nt "$obj" ] ||
     awk -v h="$newest_header" -v o="$(stat -c %Y "$obj")" 'BEGIN{exit !(h > o)}'; then
    # Two compilations at a time.
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n; done
    clang++ "${flags[@]}" -c "$src" -o "$obj" &
  fi
done
while [ "$(jobs -rp | wc -l)" -gt 0 ]; do wait -n || exit 1; done
# The in-memory records of fuzz_input.
clang++ "${flags[@]}" -c "$root/tests/support/record_fixture.cpp" -o "$build/obj/record_fixture.o"
for t in "${targets[@]}"; do
  clang++ "${flags[@]}" -fsanitize=fuzzer "$root/tests/fuzz/fuzz_$t.cpp" "${objs[@]}" "$build/obj/record_fixture.o" \
    -lm -o "$build/fuzz_$t"
done
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
status=0
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus-$t"
  echo "fuzz_$t ($run_limit)"
  log=$build/fuzz_$t.log
  if ! "$build/fuzz_$t" "$run_limit" -rss_limit_mb=1024 -artifact_prefix="$build/crash-$t-" \
      "$build/corpus-$t" "$root/tests/fuzz/seeds/$t" >"$log" 2>&1; then
    status=1
    tail -40 "$log"
  fi
  grep -E '^Done' "$log" || true
done
exit $status
