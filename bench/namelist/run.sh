#!/usr/bin/env bash
# Namelist benchmarks, the library against the peer runtime (gfortran -O2):
# WRITE(10, NML=BENCH) of ten scalars of mixed types and a 100-element
# DOUBLE PRECISION array, 10^4 times to a file in /tmp; per case the CPU
# time per group of each (the loop and the CLOSE) and the ratio peer/ours.
# Both sides are built for the word size of this machine: where i386
# programs only run emulated, the library's x86-64 build (-DTAV_M32=OFF)
# is measured against gfortran's 64-bit code, both native.
# The read case reads back, 10^4 times, the file its own side's write case
# wrote; a side that does not have it yet (exit status 3) shows "-".
# usage: bench/namelist/run.sh [GROUPS]   (default 10000)
# TAV_BENCH_REPS=n runs each side n times and keeps the fastest (default 3).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${TAV_BENCH_NAMELIST_BUILD:-$root/build/bench-namelist}
groups=${1:-10000}
reps=${TAV_BENCH_REPS:-3}
m32=OFF
[ "$(uname -m)" = i686 ] && m32=ON
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAV_M32=$m32 -DTAV_TESTS=OFF -DTAV_EXAMPLES=OFF >/dev/null
cmake --build "$build" -j2 --target bench_namelist >/dev/null
ours=$build/bench/namelist/bench_namelist_ours
peer=$build/bench/namelist/bench_namelist_peer
tmp=$(mktemp -d /tmp/tavbench-namelist.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
echo "namelist: $(getconf LONG_BIT)-bit library and peer, native"
printf '%-7s %8s %14s %14s %8s\n' case groups "ours us/group" "peer us/group" ratio
# run PROGRAM SIDE CASE: "cpu-seconds" of the fastest of $reps runs; nothing
# when the side does not have the case; the files are $tmp/SIDE.write
run() {
  local best= r secs st
  for ((r = 0; r < reps; r++)); do
    st=0
    "$1" "$3" "$groups" "$tmp/$2.write" >/dev/null 2>"$tmp/err" || st=$?
    [ $st -eq 3 ] && return 0
    if [ $st -ne 0 ]; then echo "$1 $3 failed: $(tail -2 "$tmp/err")" >&2; return 0; fi
    read -r _ secs _ <"$tmp/err"
    if [ -z "$best" ] || awk -v a="$secs" -v b="$best" 'BEGIN{exit !(a < b)}'; then best=$secs; fi
  done
  echo "$best"
}
us() { [ -n "$1" ] && awk -v s="$1" -v n="$groups" 'BEGIN{printf "%.2f", s*1e6/n}' || echo -; }
status=0
for c in write read; do
  osecs=$(run "$ours" ours "$c")
  psecs=
  [ -x "$peer" ] && psecs=$(run "$peer" peer "$c")
  ratio=-
  [ -n "$osecs" ] && [ -n "$psecs" ] && ratio=$(awk -v p="$psecs" -v o="$osecs" 'BEGIN{printf "%.2fx", p/o}')
  [ "$c" = write ] && [ -z "$osecs" ] && status=1
  printf '%-7s %8s %14s %14s %8s\n' "$c" "$groups" "$(us "$osecs")" "$(us "$psecs")" "$ratio"
done
exit $status
