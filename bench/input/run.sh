#!/usr/bin/env bash
# Formatted and list-directed input (bench/README.md): per case the CPU
# time per item of the READ loop and the CLOSE, ours and the peer's, over
# the same data file, and whether both read the same values (checksums).
# usage: bench/input/run.sh [RECORDS]   (default 1000000)
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
records=${1:-1000000}
bench_build bench_input
ours=$bench_dir/bench/input/bench_input_ours
peer=$bench_dir/bench/input/bench_input_peer
tmp=$(mktemp -d /tmp/tavbench-input.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

# one PROGRAM CASE: "CASE cpu-seconds items checksum" of one run
one() {
  local sum
  sum=$("${bench_run[@]}" "$1" "$2" "$records" "$tmp/data" 2>"$tmp/err") || { echo "$1 $2 failed: $(tail -2 "$tmp/err")" >&2; return 1; }
  read -r _ secs _ items <"$tmp/err"
  echo "$2 $secs $items $sum"
}

cases() {
  local c osecs psecs items osum psum
  for c in es24.16 f12.4 list-d i12 list-10i; do
    "${bench_run[@]}" "$ours" gen "$c" "$records" "$tmp/data"
    read -r _ osecs items osum <<<"$(bench_fastest one "$ours" "$c" || true)"
    psecs=- psum=-
    [ -x "$peer" ] && read -r _ psecs _ psum <<<"$(bench_fastest one "$peer" "$c" || true)"
    bench_row input "$c" ns/item "$(bench_per "$osecs" "$items" 1e9)" "$(bench_per "$psecs" "$items" 1e9)" - \
      "$(bench_same "$osum" "$psum")"
  done
}
bench_family cases
