#!/usr/bin/env bash
# The whole test suite: a plain build and an AddressSanitizer +
# UndefinedBehaviorSanitizer build, each built and run with CTest.  Where
# the kernel cannot execute i386 programs, every test program runs under
# qemu-i386; LeakSanitizer is off there (its exit-time scan does not finish
# under the emulator), and the tests of x87 traps, which that emulator does
# not raise, run on an i386 kernel booted in qemu-system-i386 instead
# (scripts/i386-kernel.sh), or are skipped when it cannot be set up.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
source scripts/i386.sh
if [ -n "$TAV_EMULATOR" ]; then
  scripts/i386-kernel.sh fetch build/i386-kernel ||
    echo "(no i386 kernel to boot: the x87 trap tests will be skipped)"
fi
jobs=$(nproc 2>/dev/null || echo 2)
echo "=== running $TAV_RUN_MODE ==="
status=0
for cfg in plain sanitize; do
  dir=build/$cfg
  flags=("${TAV_EMULATOR_FLAGS[@]}")
  [ "$cfg" = sanitize ] && flags+=(-DTAV_SANITIZE=ON)
  if [ "$cfg" = sanitize ]; then
    # Set before the build too: test discovery runs the test programs.
    asan=detect_leaks=1
    if [ -n "$TAV_EMULATOR" ]; then
      # The emulator's guest address space holds less than a native i386
      # process: a smaller quarantine keeps long tests from running out.
      asan=detect_leaks=0:quarantine_size_mb=64
      echo "(leak checking off: LeakSanitizer does not finish under $TAV_EMULATOR)"
    fi
    export ASAN_OPTIONS=$asan:abort_on_error=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  fi
  echo "=== $cfg build ==="
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${flags[@]}" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "=== $cfg tests ($TAV_RUN_MODE) ==="
  traps=$dir/tests/i386-kernel/result
  rm -f "$traps"
  (cd "$dir" && ctest --output-on-failure --timeout 300 -j "$jobs") || status=1
  [ ! -f "$traps" ] || cat "$traps"
  unset ASAN_OPTIONS UBSAN_OPTIONS
done
if [ -x ../shared/abi/check-exports ] && [ -f build/plain/libtavf90.so ]; then
  echo "=== exports ==="
  ../shared/abi/check-exports build/plain/libtavf90.so --quiet || true
fi
echo "=== suite ran $TAV_RUN_MODE ==="
exit $status
