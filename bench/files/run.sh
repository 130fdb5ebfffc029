#!/usr/bin/env bash
# File bandwidth: unformatted sequential WRITE/READ of large and small
# records and direct-access READ in random order, the library against the
# peer (gfortran -O2) and against fwrite/fread/memcpy of the same bytes.
# i386 programs only run emulated on the machines we measure on, so both
# sides are native x86-64 builds here: the library with -DTAV_M32=OFF.
# Wall time, best of TAV_BENCH_REPS runs (default 3); files in a temporary
# directory under ${TMPDIR:-/tmp}.
# usage: bench/files/run.sh [SCALE]   (record counts divided by SCALE)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${TAV_BENCH64_BUILD:-$root/build/bench64}
scale=${1:-1}
reps=${TAV_BENCH_REPS:-3}
cmake -S "$root" -B "$build" -DTAV_M32=OFF -DCMAKE_BUILD_TYPE=Release -DTAV_TESTS=OFF -DTAV_EXAMPLES=OFF >/dev/null
cmake --build "$build" -j2 --target bench_files >/dev/null
ours=$build/bench/files/bench_files
peer=$build/bench/files/bench_files_peer
gfortran -O2 -o "$peer" "$root/bench/files/bench_files_peer.f90"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/tavfiles.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
# best PROGRAM CASE FILE: the fastest "seconds bytes checksum"
best() {
  local r out b= line=
  for ((r = 0; r < reps; r++)); do
    [[ $2 == *-w ]] && rm -f "$3"
    out=$("$1" "$2" "$3" "$scale" 2>&1 >/dev/null | tail -1)
    read -r _ s _ <<<"$out"
    if [ -z "$b" ] || awk -v a="$s" -v b="$b" 'BEGIN{exit !(a < b)}'; then b=$s; line=$out; fi
  done
  echo "${line#* }"
}
mbs() { awk -v s="$1" -v n="$2" 'BEGIN{printf "%.0f", n / s / 1e6}'; }
printf '%-9s %12s %12s %12s %10s %s\n' case "ours MB/s" "peer MB/s" "C lib MB/s" "peer/ours" "ours/C lib"
for c in big-w big-r small-w small-r direct-r; do
  read -r os ob osum <<<"$(best "$ours" "$c" "$tmp/ours.$c")"
  read -r ps pb psum <<<"$(best "$peer" "$c" "$tmp/peer.${c%-*}")"
  raw=-; vsraw=-
  case $c in
    big-w) read -r rs rb _ <<<"$(best "$ours" raw-w "$tmp/raw")" ;;
    big-r) read -r rs rb _ <<<"$(best "$ours" raw-r "$tmp/raw")" ;;
    *) rs= ;;
  esac
  if [ -n "$rs" ]; then raw=$(mbs "$rs" "$rb"); vsraw=$(awk -v r="$rs" -v o="$os" 'BEGIN{printf "%.2f", r/o}'); fi
  [[ $c == *-r && "$osum" != "$psum" ]] && echo "($c: checksums differ: $osum $psum)"
  printf '%-9s %12s %12s %12s %10s %s\n' "$c" "$(mbs "$os" "$ob")" "$(mbs "$ps" "$pb")" "$raw" \
    "$(awk -v p="$ps" -v o="$os" 'BEGIN{printf "%.2fx", p/o}')" "$vsraw"
  # the reading cases read what the writing case of the same side wrote
  [[ $c == big-w ]] && cp "$tmp/ours.big-w" "$tmp/ours.big-r"
  [[ $c == small-w ]] && cp "$tmp/ours.small-w" "$tmp/ours.small-r"
done
read -r ms mb _ <<<"$(best "$ours" raw-copy "")"
echo "memcpy of the big records' bytes: $(mbs "$ms" "$mb") MB/s"
