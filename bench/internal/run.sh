#!/usr/bin/env bash
# Internal files (bench/README.md): per case the CPU time per statement,
# ours and the peer's, and whether both wrote the same texts / read the
# same values (checksums).
# usage: bench/internal/run.sh [RECORDS]   (default 1000000)
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
records=${1:-1000000}
bench_build bench_internal
ours=$bench_dir/bench/internal/bench_internal_ours
peer=$bench_dir/bench/internal/bench_internal_peer
tmp=$(mktemp -d /tmp/tavbench-internal.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

# one PROGRAM CASE: "CASE cpu-seconds statements checksum" of one run
one() {
  local sum
  sum=$("${bench_run[@]}" "$1" "$2" "$records" 2>"$tmp/err") || { echo "$1 $2 failed: $(tail -2 "$tmp/err")" >&2; return 1; }
  read -r _ secs _ items <"$tmp/err"
  echo "$2 $secs $items $sum"
}

cases() {
  local c osecs psecs items osum psum
  for c in write read; do
    read -r _ osecs items osum <<<"$(bench_fastest one "$ours" "$c" || true)"
    psecs=- psum=-
    [ -x "$peer" ] && read -r _ psecs _ psum <<<"$(bench_fastest one "$peer" "$c" || true)"
    bench_row internal "$c" ns/stmt "$(bench_per "$osecs" "$items" 1e9)" "$(bench_per "$psecs" "$items" 1e9)" - \
      "$(bench_same "$osum" "$psum")"
  done
}
bench_family cases
