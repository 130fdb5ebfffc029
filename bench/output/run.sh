#!/usr/bin/env bash
# Formatted and list-directed output (bench/README.md): per case the CPU
# time per item of the WRITE loop and the CLOSE, ours and the peer's, and
# whether the files the Fortran standard fixes came out identical.
# usage: bench/output/run.sh [RECORDS]   (default 1000000)
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
records=${1:-1000000}
bench_build bench_output
ours=$bench_dir/bench/output/bench_output_ours
peer=$bench_dir/bench/output/bench_output_peer
tmp=$(mktemp -d /tmp/tavbench-output.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

# one PROGRAM CASE FILE: "CASE cpu-seconds items" of one run
one() {
  local err
  err=$("${bench_run[@]}" "$1" "$2" "$records" "$3" 2>&1 >/dev/null) || { echo "$1 $2 failed: $err" >&2; return 1; }
  read -r _ secs _ items <<<"$(tail -1 <<<"$err")"
  echo "$2 $secs $items"
}

cases() {
  local c osecs psecs items check
  for c in es24.16 f12.4 g15.7 list-d i12 list-10i; do
    read -r _ osecs items <<<"$(bench_fastest one "$ours" "$c" "$tmp/ours.txt" || true)"
    psecs=- check=-
    if [ -x "$peer" ]; then
      read -r _ psecs _ <<<"$(bench_fastest one "$peer" "$c" "$tmp/peer.txt" || true)"
      case $c in
        list-*) check="(list-directed layouts differ by design)" ;;
        *) if cmp -s "$tmp/ours.txt" "$tmp/peer.txt"; then check="same files"; else check="DIFFER (files)"; fi ;;
      esac
    fi
    bench_row output "$c" ns/item "$(bench_per "$osecs" "$items" 1e9)" "$(bench_per "$psecs" "$items" 1e9)" - "$check"
    rm -f "$tmp/ours.txt" "$tmp/peer.txt"
  done
}
bench_family cases
