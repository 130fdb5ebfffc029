#!/usr/bin/env bash
# Unformatted sequential WRITE and READ of large and small records and
# direct-access READ in random order (bench/README.md): MB/s of data bytes,
# wall time, ours, the peer's, and for the large records the C library's
# fwrite / fread of the same bytes on a stream with the same buffer.  The
# reading cases read what the same side's writing case wrote; both must
# read the same values (checksums).  Files in a temporary directory under
# ${TMPDIR:-/tmp}.
# usage: bench/files/run.sh [SCALE]   (record counts divided by SCALE)
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
scale=${1:-1}
bench_build bench_files
ours=$bench_dir/bench/files/bench_files_ours
peer=$bench_dir/bench/files/bench_files_peer
tmp=$(mktemp -d "${TMPDIR:-/tmp}/tavfiles.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

# one PROGRAM CASE FILE: "CASE seconds bytes checksum" of one run
one() {
  local out
  [[ $2 == *-w ]] && rm -f "$3"
  out=$("${bench_run[@]}" "$1" "$2" "$3" "$scale" 2>&1 >/dev/null) || { echo "$1 $2 failed: $out" >&2; return 1; }
  tail -1 <<<"$out"
}

cases() {
  local c os ob osum ps psum rs rb check
  for c in big-w big-r small-w small-r direct-r; do
    read -r _ os ob osum <<<"$(bench_fastest one "$ours" "$c" "$tmp/ours.$c" || true)"
    ps=- psum=-
    [ -x "$peer" ] && read -r _ ps _ psum <<<"$(bench_fastest one "$peer" "$c" "$tmp/peer.${c%-*}" || true)"
    rs=-
    case $c in
      big-w) read -r _ rs rb _ <<<"$(bench_fastest one "$ours" raw-w "$tmp/raw" || true)" ;;
      big-r) read -r _ rs rb _ <<<"$(bench_fastest one "$ours" raw-r "$tmp/raw" || true)" ;;
    esac
    check=-
    [[ $c == *-r ]] && check=$(bench_same "$osum" "$psum")
    bench_row files "$c" MB/s "$(bench_rate "$os" "$ob" 1e6)" "$(bench_rate "$ps" "$ob" 1e6)" \
      "$(bench_rate "$rs" "${rb:-1}" 1e6)" "$check"
    # the reading cases read what the writing case of the same side wrote
    [[ $c == big-w ]] && cp "$tmp/ours.big-w" "$tmp/ours.big-r"
    [[ $c == small-w ]] && cp "$tmp/ours.small-w" "$tmp/ours.small-r"
  done
  read -r _ ms mb _ <<<"$(bench_fastest one "$ours" raw-copy "" || true)"
  echo "files: memcpy of the big records' bytes: $(bench_rate "$ms" "$mb" 1e6) MB/s" >&2
}
bench_family cases
