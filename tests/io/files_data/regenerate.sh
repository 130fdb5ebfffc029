#!/usr/bin/env bash
# Interchange with the peer runtime, both ways (needs gfortran -m32 and,
# on a machine that cannot run i386 programs, qemu-i386):
#  1. rewrites the sample files peer_seq.unf, peer_direct.unf,
#     peer_nml.txt and peer_long.txt with peer_write.f90 (the suite reads
#     the committed copies);
#  2. runs examples/files.c, which writes table.unf and table.dir with the
#     library, and has peer_read.f90 read them: both must print the same
#     values (the peer's sum is over the whole record, the example's after
#     it read half of it back into every second element).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
run=""
command -v qemu-i386 >/dev/null && run=qemu-i386
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
gfortran -m32 -o peer_write "$here/peer_write.f90"
gfortran -m32 -o peer_read "$here/peer_read.f90"
$run ./peer_write
cp peer_seq.unf peer_direct.unf peer_nml.txt peer_long.txt "$here/"
cmake -S "$root" -B "$root/build/plain" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/plain" -j2 --target example_files >/dev/null
$run "$root/build/plain/examples/files" > library.txt
$run ./peer_read > peer.txt
paste -d'|' library.txt peer.txt
if diff <(sed -n '1,2p;4,6p' library.txt) <(sed -n '1,2p;4,6p' peer.txt) >/dev/null &&
   [ "$(sed -n 3p peer.txt)" = 5050 ]; then
  echo "peer reads the library's files: same values"
else
  echo "MISMATCH"; exit 1
fi
