#!/usr/bin/env bash
# Internal-file benchmarks, the library against the peer runtime, side by
# side: per case the CPU time per statement of each, the ratio peer/ours,
# and whether both wrote the same texts / read the same values (checksums).
# Both sides are built for the word size of this machine (-DTAV_M32=OFF
# here: a machine that cannot run i386 programs compares the library's
# x86-64 build with 64-bit gfortran code).
# usage: bench/internal/run.sh [RECORDS]   (default 1000000)
# TAV_BENCH_REPS=n runs each side n times and keeps the fastest (default 3).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${TAV_BENCH_INTERNAL_BUILD:-$root/build/bench-input}
records=${1:-1000000}
reps=${TAV_BENCH_REPS:-3}
m32=OFF
[ "$(uname -m)" = i686 ] && m32=ON
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAV_M32=$m32 -DTAV_TESTS=OFF -DTAV_EXAMPLES=OFF >/dev/null
cmake --build "$build" -j2 --target bench_internal >/dev/null
ours=$build/bench/internal/bench_internal_ours
peer=$build/bench/internal/bench_internal_peer
tmp=$(mktemp -d /tmp/tavbench-internal.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
echo "internal files, word size: $(getconf LONG_BIT)-bit library and peer"
printf '%-10s %10s %14s %14s %8s  %s\n' case items "ours ns/item" "peer ns/item" ratio result
# run PROGRAM CASE: "cpu-seconds items checksum" of the fastest of $reps runs
run() {
  local best= items= sum= r secs out
  for ((r = 0; r < reps; r++)); do
    out=$("$1" "$2" "$records" 2>"$tmp/err") || { echo "$1 $2 failed: $(tail -2 "$tmp/err")" >&2; return 0; }
    sum=$out
    read -r _ secs _ items <"$tmp/err"
    if [ -z "$best" ] || awk -v a="$secs" -v b="$best" 'BEGIN{exit !(a < b)}'; then best=$secs; fi
  done
  echo "$best $items $sum"
}
status=0
for c in write read; do
  read -r osecs items osum <<<"$(run "$ours" "$c")" || true
  if [ -z "${osecs:-}" ]; then printf '%-10s %s\n' "$c" "library side failed"; status=1; continue; fi
  ons=$(awk -v s="$osecs" -v n="$items" 'BEGIN{printf "%.1f", s*1e9/n}')
  pns=-; ratio=-; same=-
  if [ -x "$peer" ]; then
    read -r psecs _ psum <<<"$(run "$peer" "$c")" || true
    if [ -n "${psecs:-}" ]; then
      pns=$(awk -v s="$psecs" -v n="$items" 'BEGIN{printf "%.1f", s*1e9/n}')
      ratio=$(awk -v p="$psecs" -v o="$osecs" 'BEGIN{printf "%.2fx", p/o}')
      if [ "${osum,,}" = "${psum,,}" ]; then same=identical; else same="DIFFERENT ($osum vs $psum)"; status=1; fi
    fi
  fi
  printf '%-10s %10s %14s %14s %8s  %s\n' "$c" "$items" "$ons" "$pns" "$ratio" "$same"
  osecs=; psecs=
done
exit $status
