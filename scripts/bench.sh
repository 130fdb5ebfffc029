#!/usr/bin/env bash
# Output benchmarks, the library against the peer runtime (gfortran -O2),
# side by side, both built for i386 (-m32).  Where the kernel cannot execute
# i386 programs, emulated timings would compare nothing: the library's
# x86-64 build is measured against gfortran's 64-bit code instead, both
# native, and the report says so.  Per case: per case, the CPU time per item of each (process CPU time of
# the loop and the CLOSE: wall time is unreliable on a shared machine) and
# the ratio peer/ours.
# usage: scripts/bench.sh [RECORDS]   (default 1000000)
# TAV_BENCH_REPS=n runs each side n times and keeps the fastest (default 3).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
records=${1:-1000000}
reps=${TAV_BENCH_REPS:-3}
"$root/scripts/deps.sh" --peer
source "$root/scripts/i386.sh"
if [ -n "$TAV_EMULATOR" ]; then
  build=${TAV_BENCH_BUILD:-$root/build/bench64}
  wordsize=(-DTAV_M32=OFF)
  echo "i386 programs only run $TAV_RUN_MODE here: comparing the x86-64 builds of both, natively"
else
  build=${TAV_BENCH_BUILD:-$root/build/bench}
  wordsize=(-DTAV_M32=ON)
  echo "comparing the i386 builds of both, natively"
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAV_TESTS=OFF -DTAV_EXAMPLES=OFF "${wordsize[@]}" >/dev/null
cmake --build "$build" -j2 --target bench >/dev/null
ours=$build/bench/bench_ours
peer=$build/bench/bench_peer
[ -x "$peer" ] || echo "(no peer: gfortran is not available for this word size; scripts/deps.sh --peer installs it)"
tmp=$(mktemp -d /tmp/tavbench.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

# Cases whose records the Fortran standard fixes: both files must be equal.
standard=" es24.16 f12.4 g15.7 i12 "
printf '%-10s %10s %14s %14s %8s  %s\n' case items "ours ns/item" "peer ns/item" ratio output
# run SIDE CASE FILE: prints "cpu-seconds items" of the fastest of $reps
# runs, or nothing if the program failed
run() {
  local out best= items= r secs
  for ((r = 0; r < reps; r++)); do
    out=$("$1" "$2" "$records" "$3" 2>&1 >/dev/null) || { echo "$1 $2 failed: $(echo "$out" | tail -2)" >&2; return 0; }
    read -r _ secs _ items <<<"$(echo "$out" | tail -1)"
    if [ -z "$best" ] || awk -v a="$secs" -v b="$best" 'BEGIN{exit !(a < b)}'; then best=$secs; fi
  done
  echo "$best $items"
}
status=0
for c in es24.16 f12.4 g15.7 list-d i12 list-10i; do
  read -r osecs items <<<"$(run "$ours" "$c" "$tmp/ours.txt")" || true
  if [ -z "${osecs:-}" ]; then printf '%-10s %s\n' "$c" "library side failed"; status=1; continue; fi
  ons=$(awk -v s="$osecs" -v n="$items" 'BEGIN{printf "%.1f", s*1e9/n}')
  pns=-; ratio=-; same=-
  if [ -x "$peer" ]; then
    read -r psecs _ <<<"$(run "$peer" "$c" "$tmp/peer.txt")" || true
    if [ -n "${psecs:-}" ]; then
      pns=$(awk -v s="$psecs" -v n="$items" 'BEGIN{printf "%.1f", s*1e9/n}')
      ratio=$(awk -v p="$psecs" -v o="$osecs" 'BEGIN{printf "%.2fx", p/o}')
      if [[ $standard == *" $c "* ]]; then
        if cmp -s "$tmp/ours.txt" "$tmp/peer.txt"; then same="identical"; else
          same="DIFFERENT ($(diff "$tmp/ours.txt" "$tmp/peer.txt" | grep -c '^<') records)"; status=1
        fi
      else
        same="(list-directed layout differs by design)"
      fi
    fi
  fi
  printf '%-10s %10s %14s %14s %8s  %s\n' "$c" "$items" "$ons" "$pns" "$ratio" "$same"
  rm -f "$tmp/ours.txt" "$tmp/peer.txt"
  osecs=; psecs=
done
"$root/bench/character/run.sh" || status=1
"$root/bench/numeric/run.sh" || status=1
"$root/bench/array/run.sh" || status=1
"$root/bench/input/run.sh" "$records" || status=1
"$root/bench/internal/run.sh" "$records" || status=1
"$root/bench/files/run.sh" "${TAV_FILES_SCALE:-1}" || status=1
"$root/bench/namelist/run.sh" || status=1
exit $status
