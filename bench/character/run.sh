#!/usr/bin/env bash
# Character and RANDOM_NUMBER benchmark, the library against gfortran -O2,
# side by side: CPU nanoseconds per operation of each (fastest of
# TAV_BENCH_REPS runs, default 3) and the ratio peer/ours.
#
# Both sides are built for i386 where the kernel runs i386 programs; where
# it cannot, emulated timings would compare nothing, and both sides are
# native x86-64 instead: the library's 64-bit build (-DTAV_M32=OFF) and
# gfortran's 64-bit code.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
reps=${TAV_BENCH_REPS:-3}
source "$root/scripts/i386.sh"
if [ -n "$TAV_EMULATOR" ]; then
  build=${TAV_BENCH_BUILD:-$root/build/bench64}
  wordsize=-DTAV_M32=OFF
  echo "character cases: the x86-64 builds of both, natively (i386 programs only run $TAV_RUN_MODE here)"
else
  build=${TAV_BENCH_BUILD:-$root/build/bench}
  wordsize=-DTAV_M32=ON
  echo "character cases: the i386 builds of both, natively"
fi
cmake -S "$root" -B "$build" $wordsize -DCMAKE_BUILD_TYPE=Release -DTAV_TESTS=OFF -DTAV_EXAMPLES=OFF >/dev/null
cmake --build "$build" -j2 --target bench_character >/dev/null
ours=$build/bench/character/bench_chars
peer=$build/bench/character/bench_chars_peer
[ -x "$peer" ] || echo "(no peer: gfortran is not available)"

# fastest SIDE CASE: "ns-per-op checksum" of the fastest of $reps runs
fastest() {
  local best= sum= r line
  for ((r = 0; r < reps; r++)); do
    line=$("$1" "$2") || { echo "$1 $2 failed" >&2; return 0; }
    read -r _ _ ns check <<<"$line"
    if [ -z "$best" ] || awk -v a="$ns" -v b="$best" 'BEGIN{exit !(a < b)}'; then best=$ns; sum=$check; fi
  done
  echo "$best $sum"
}
status=0
printf '%-9s %12s %12s %8s  %s\n' case "ours ns/op" "peer ns/op" ratio checksums
for c in compare index scan verify len_trim concat random; do
  read -r ons ocheck <<<"$(fastest "$ours" "$c")" || true
  pns=-; ratio=-; same=-
  if [ -x "$peer" ]; then
    read -r pns pcheck <<<"$(fastest "$peer" "$c")" || true
    ratio=$(awk -v p="$pns" -v o="$ons" 'BEGIN{printf "%.2fx", p/o}')
    if [ "$c" = random ]; then same="(different generators)";
    elif [ "$ocheck" = "$pcheck" ]; then same=agree; else same="DIFFER ($ocheck, $pcheck)"; status=1; fi
  fi
  printf '%-9s %12s %12s %8s  %s\n' "$c" "$ons" "$pns" "$ratio" "$same"
done
exit $status
