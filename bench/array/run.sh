#!/usr/bin/env bash
# Array intrinsics on a 2000 x 2000 DOUBLE PRECISION array (bench/README.md):
# CPU milliseconds per call, ours, the peer's and a plain C loop's doing the
# same work on the same storage, and whether all three produced the same
# result (checksums of every element).
# usage: bench/array/run.sh [CALLS]   (calls per run, default 10)
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
  local c os osum ps psum ls lsum check
  for c in sum1 sum2 maxloc1 maxloc2 cshift1 cshift2 pack pack_true pack_false reshape reshape_t; do
    read -r _ os osum <<<"$(bench_fastest one "$ours" "$c" ours || true)"
    read -r _ ls lsum <<<"$(bench_fastest one "$ours" "$c" plain || true)"
    ps=- psum=-
    [ -x "$peer" ] && read -r _ ps psum <<<"$(bench_fastest one "$peer" "$c" || true)"
    check=$(bench_same "$osum" "$psum")
    [ "$check" = - ] || [[ $check == DIFFER* ]] || check=$(bench_same "$osum" "$lsum" | sed 's/^DIFFER/DIFFER plain/')
    bench_row array "$c" ms/call "$(bench_per "$os" 1 1e3)" "$(bench_per "$ps" 1 1e3)" "$(bench_per "$ls" 1 1e3)" \
      "$check"
  done
}
bench_family cases
