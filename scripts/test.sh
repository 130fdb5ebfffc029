#!/usr/bin/env bash
# The whole test suite: a plain build and an AddressSanitizer +
# UndefinedBehaviorSanitizer build, each built and run with CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
status=0
for cfg in plain sanitize; do
  dir=build/$cfg
  flags=()
  [ "$cfg" = sanitize ] && flags=(-DTAV_SANITIZE=ON)
  echo "=== $cfg build ==="
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${flags[@]}" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "=== $cfg tests ==="
  if [ "$cfg" = sanitize ]; then
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  fi
  (cd "$dir" && ctest --output-on-failure --timeout 300 -j "$jobs") || status=1
  unset ASAN_OPTIONS UBSAN_OPTIONS
done
if [ -x ../shared/abi/check-exports ] && [ -f build/plain/libtavf90.so ]; then
  echo "=== exports ==="
  ../shared/abi/check-exports build/plain/libtavf90.so --quiet || true
fi
exit $status
