#!/usr/bin/env bash
# Elementary functions: the library against the C library (same process)
# and gfortran's intrinsics.  i386 programs only run emulated on the
# development machines, so this compares the library's x86-64 build
# (-DTAV_M32=OFF, Release) with the 64-bit C library and gfortran -O2,
# natively.
# usage: bench/numeric/run.sh [CALLS]   (default 10^7 per function)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${TAV_BENCH_NUMERIC_BUILD:-$root/build/bench-numeric}
calls=${1:-10000000}
cmake -S "$root" -B "$build" -DTAV_M32=OFF -DCMAKE_BUILD_TYPE=Release -DTAV_TESTS=OFF -DTAV_EXAMPLES=OFF >/dev/null
cmake --build "$build" -j2 --target bench_numeric >/dev/null
tmp=$(mktemp -d /tmp/tavnum.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
"$build/bench/numeric/bench_numeric" "$calls" >"$tmp/ours"
if command -v gfortran >/dev/null && gfortran -O2 "$root/bench/numeric/peer.f90" -o "$tmp/peer" 2>/dev/null; then
  "$tmp/peer" "$calls" >"$tmp/peer.out"
else
  echo "(no peer: gfortran is not available)"
  : >"$tmp/peer.out"
fi
printf '%-7s %12s %12s %12s %10s\n' entry "ours ns" "libm ns" "gfortran ns" ours/libm
while read -r name ours libm; do
  base=${name%_d}
  peer=$(awk -v n="$base" '$1 == n {print $2}' "$tmp/peer.out")
  ratio=$(awk -v a="$ours" -v b="$libm" 'BEGIN{printf "%.2fx", a/b}')
  printf '%-7s %12s %12s %12s %10s\n' "$name" "$ours" "$libm" "${peer:--}" "$ratio"
done <"$tmp/ours"
