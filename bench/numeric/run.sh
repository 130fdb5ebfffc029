#!/usr/bin/env bash
# Elementary functions (bench/README.md): nanoseconds per call, ours, the
# peer's (gfortran's intrinsics, a separate process) and the C library's
# function on the same arguments in the same process (the plain column).
# usage: bench/numeric/run.sh [CALLS]   (default 10^7 per function)
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
calls=${1:-10000000}
bench_build bench_numeric
ours=$bench_dir/bench/numeric/bench_numeric
peer=$bench_dir/bench/numeric/bench_numeric_peer
flags=()
[ "$bench_m32" = ON ] && flags=(-m32)
command -v gfortran >/dev/null && gfortran "${flags[@]}" -O2 "$bench_root/bench/numeric/peer.f90" -o "$peer" 2>/dev/null ||
  rm -f "$peer"

cases() {
  local name o libm p peers= mine
  mine=$(bench_fastest "${bench_run[@]}" "$ours" "$calls") || { bench_row numeric all ns/call FAILED - - -; return; }
  [ -x "$peer" ] && peers=$(bench_fastest "${bench_run[@]}" "$peer" "$calls" || true)
  while read -r name o libm; do
    p=-
    [ -x "$peer" ] && p=$(awk -v n="${name%_d}" '$1 == n {print $2}' <<<"$peers")
    bench_row numeric "$name" ns/call "$o" "${p:-FAILED}" "$libm" "(timing only)"
  done <<<"$mine"
}
bench_family cases
