#!/usr/bin/env bash
# Array intrinsics at memory speed: each case as the library's entry point,
# as a plain C loop over the same memory, and as gfortran -O2 code using the
# intrinsic (the peer).  i386 programs only run emulated on the development
# machine, so this builds the library for x86-64 (-DTAV_M32=OFF, Release)
# and the peer with the native gfortran, and runs both natively.
# usage: bench/array/run.sh [REPS]   (default 20; fastest of 3 runs per side)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${TAV_BENCH64_BUILD:-$root/build/bench64}
reps=${1:-20}
cmake -S "$root" -B "$build" -DTAV_M32=OFF -DCMAKE_BUILD_TYPE=Release -DTAV_TESTS=OFF -DTAV_EXAMPLES=OFF >/dev/null
cmake --build "$build" -j2 --target bench_array >/dev/null
ours=$build/bench/array/bench_array
peer=$build/bench/array/bench_array_peer
have_peer=0
if command -v gfortran >/dev/null; then
  gfortran -O2 "$root/bench/array/bench_array.f90" -J "$build/bench/array" -o "$peer" && have_peer=1
else
  echo "(no peer: gfortran is not installed)"
fi
# best CMD... : the run whose first timing field (field 2) is smallest of 3
best() {
  local line out=
  for _ in 1 2 3; do
    line=$("$@")
    if [ -z "$out" ] || awk -v a="$(echo "$line" | cut -d' ' -f2)" -v b="$(echo "$out" | cut -d' ' -f2)" 'BEGIN{exit !(a < b)}'; then out=$line; fi
  done
  echo "$out"
}
printf '%-8s %9s %9s %9s %9s %8s %9s  %s\n' case "ours ms" "C ms" "C new ms" "peer ms" "ours/C" "peer/ours" "checks"
status=0
for c in sum1 sum2 maxloc1 cshift1 cshift2 pack reshape; do
  read -r _ o p _ co cp pf <<<"$(best "$ours" "$c" "$reps")"
  ps=-; ratio_peer=-; pc=
  if [ $have_peer = 1 ]; then
    read -r _ ps _ pc <<<"$(best "$peer" "$c" "$reps")"
    ratio_peer=$(awk -v p="$ps" -v o="$o" 'BEGIN{printf "%.2fx", p/o}')
    ps=$(awk -v s="$ps" 'BEGIN{printf "%.2f", s*1e3}')
  fi
  same=$(awk -v a="$co" -v b="$cp" -v c="${pc:-$co}" 'BEGIN{print (a == b && a == c) ? "equal" : "DIFFER"}')
  [ "$same" = equal ] || status=1
  printf '%-8s %9.2f %9.2f %9s %9s %8s %9s  %s\n' "$c" "$(awk -v s="$o" 'BEGIN{print s*1e3}')" \
    "$(awk -v s="$p" 'BEGIN{print s*1e3}')" "$(awk -v s="$pf" 'BEGIN{print (s > 0 ? sprintf("%.2f", s*1e3) : "-")}')" "$ps" "$(awk -v a="$o" -v b="$p" 'BEGIN{printf "%.2fx", a/b}')" \
    "$ratio_peer" "$same ($co $cp ${pc:-})"
done
exit $status
