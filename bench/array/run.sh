#!/usr/bin/env bash
# Array intrinsics on a 2000 x 2000 DOUBLE PRECISION array (bench/README.md):
# CPU milliseconds per call, ours, the peer's and a plain C loop's doing the
# same work on the same storage, and whether all three produced the same
# result (checksums of every element, bench_array.cpp).
# usage: bench/array/run.sh [CALLS]   (calls per run, default 10)
#
# The checksums are computed the same way in the same precision on every
# side, so the same result gives the same checksum.  MAXLOC, CSHIFT, PACK
# and RESHAPE must give the same results exactly (they move or compare
# values, no arithmetic), and so must SUM where every side adds in double
# in the same order (ours, the plain loop, and the peer's x86-64 code).
# The peer's i386 code adds in the x87's extended format: with n = 2000
# addends per sum, ours is within (n-1)/2 eps of the exact sum, the
# peer's within about eps (its extended sum and the rounding to double),
# and the checksums' own roundings add about 2 eps, relative to the
# checksum (all elements are positive); so there the peer's SUM checksum
# may differ from ours by n eps (eps = 2^-52) relative, and no more.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
calls=${1:-10}
bench_build bench_array
ours=$bench_dir/bench/array/bench_array_ours
peer=$bench_dir/bench/array/bench_array_peer

# one PROGRAM CASE [SIDE]: "CASE seconds-per-call checksum" of one run
one() {
  local line
  if [ $# -eq 3 ]; then line=$("${bench_run[@]}" "$1" "$2" "$3" "$calls"); else line=$("${bench_run[@]}" "$1" "$2" "$calls"); fi ||
    { echo "$* failed" >&2; return 1; }
  read -r name secs sum _ <<<"$line"
  echo "$name $secs $sum"
}

cases() {
  local c os osum ps psum ls lsum check slack
  for c in sum1 sum2 maxloc1 maxloc2 cshift1 cshift2 pack pack_true pack_false reshape reshape_t; do
    read -r _ os osum <<<"$(bench_fastest one "$ours" "$c" ours || true)"
    read -r _ ls lsum <<<"$(bench_fastest one "$ours" "$c" plain || true)"
    ps=- psum=-
    [ -x "$peer" ] && read -r _ ps psum <<<"$(bench_fastest one "$peer" "$c" || true)"
    slack=0
    [[ $c == sum* && $bench_m32 == ON ]] && slack=2000
    check=$(bench_near "$osum" "$psum" "$slack")
    [ "$check" = - ] || [[ $check == DIFFER* ]] || check=$(bench_same "$osum" "$lsum" | sed 's/^DIFFER/DIFFER plain/')
    bench_row array "$c" ms/call "$(bench_per "$os" 1 1e3)" "$(bench_per "$ps" 1 1e3)" "$(bench_per "$ls" 1 1e3)" \
      "$check"
  done
}
bench_family cases
