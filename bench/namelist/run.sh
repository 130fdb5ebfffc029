#!/usr/bin/env bash
# Namelist (bench/README.md): WRITE(10, NML=BENCH) of ten scalars of mixed
# types and a 100-element DOUBLE PRECISION array, and READ of the file the
# same side wrote; per case the CPU time per group, ours and the peer's.
# The layouts differ by design (the peer writes one object per record), so
# the files are not compared.  A side without the case (exit status 3)
# shows "-".
# usage: bench/namelist/run.sh [GROUPS]   (default 10000)
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
groups=${1:-10000}
bench_build bench_namelist
ours=$bench_dir/bench/namelist/bench_namelist_ours
peer=$bench_dir/bench/namelist/bench_namelist_peer
tmp=$(mktemp -d /tmp/tavbench-namelist.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

# one PROGRAM SIDE CASE: "CASE cpu-seconds" of one run, "CASE -" when the
# side does not have the case; the files are $tmp/SIDE.write
one() {
  local st=0
  "${bench_run[@]}" "$1" "$3" "$groups" "$tmp/$2.write" >/dev/null 2>"$tmp/err" || st=$?
  if [ $st -eq 3 ]; then echo "$3 -"; return 0; fi
  if [ $st -ne 0 ]; then echo "$1 $3 failed: $(tail -2 "$tmp/err")" >&2; return 1; fi
  read -r _ secs _ <"$tmp/err"
  echo "$3 $secs"
}

cases() {
  local c osecs psecs
  for c in write read; do
    read -r _ osecs <<<"$(bench_fastest one "$ours" ours "$c" || true)"
    psecs=-
    [ -x "$peer" ] && read -r _ psecs <<<"$(bench_fastest one "$peer" peer "$c" || true)"
    bench_row namelist "$c" us/group "$(bench_per "$osecs" "$groups" 1e6)" "$(bench_per "$psecs" "$groups" 1e6)" - \
      "(layouts differ by design)"
  done
}
bench_family cases
