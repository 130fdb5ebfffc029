#!/usr/bin/env bash
# Output benchmarks, the library against the peer runtime (gfortran -m32 -O2),
# side by side: per case, the time per item of each and the ratio peer/ours.
# usage: scripts/bench.sh [RECORDS]   (default 1000000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAV_BENCH_BUILD:-$root/build/bench}
records=${1:-1000000}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAV_TESTS=OFF -DTAV_EXAMPLES=OFF >/dev/null
cmake --build "$build" -j2 --target bench >/dev/null
ours=$build/bench/bench_ours
peer=$build/bench/bench_peer
[ -x "$peer" ] || echo "(no peer: gfortran -m32 is not available; scripts/deps.sh --peer installs it)"
tmp=$(mktemp -d /tmp/tavbench.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

# Cases whose records the Fortran standard fixes: both files must be equal.
standard=" es24.16 f12.4 g15.7 i12 "
printf '%-10s %10s %14s %14s %8s  %s\n' case items "ours ns/item" "peer ns/item" ratio output
for c in es24.16 f12.4 g15.7 list-d i12 list-10i; do
  read -r _ osecs items < <("$ours" "$c" "$records" "$tmp/ours.txt" 2>&1 >/dev/null | tail -1)
  ons=$(awk -v s="$osecs" -v n="$items" 'BEGIN{printf "%.1f", s*1e9/n}')
  if [ -x "$peer" ]; then
    read -r _ psecs _ < <("$peer" "$c" "$records" "$tmp/peer.txt" 2>&1 >/dev/null | tail -1)
    pns=$(awk -v s="$psecs" -v n="$items" 'BEGIN{printf "%.1f", s*1e9/n}')
    ratio=$(awk -v p="$psecs" -v o="$osecs" 'BEGIN{printf "%.2fx", p/o}')
    if [[ $standard == *" $c "* ]]; then
      if cmp -s "$tmp/ours.txt" "$tmp/peer.txt"; then same="identical"; else
        same="DIFFERENT ($(diff "$tmp/ours.txt" "$tmp/peer.txt" | grep -c '^<') records)"
      fi
    else
      same="(list-directed layout differs by design)"
    fi
  else
    pns=-; ratio=-; same=-
  fi
  printf '%-10s %10s %14s %14s %8s  %s\n' "$c" "$items" "$ons" "$pns" "$ratio" "$same"
  rm -f "$tmp/ours.txt" "$tmp/peer.txt"
done
