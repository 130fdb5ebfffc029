#!/usr/bin/env bash
# The main job: builds the library and runs every example program, showing
# what each writes and how it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
dir=build/plain
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j "$(nproc 2>/dev/null || echo 2)" --target tavf90 example_hello example_traceback example_table example_listdump example_readdata
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
# name and the way it is expected to end: exit code, or "abort"
for entry in hello:0 table:0 listdump:0 readdata:0 traceback:abort; do
  name=${entry%%:*}
  want=${entry#*:}
  echo "=== examples/$name.c ==="
  set +e
  (cd "$work" && "$OLDPWD/$dir/examples/$name")
  rc=$?
  set -e
  for f in "$work"/*.out; do [ -f "$f" ] && { echo "--- $(basename "$f") ---"; cat "$f"; rm -f "$f"; }; done
  if [ "$want" = abort ]; then
    [ $rc -eq 134 ] && got=abort || got=$rc
  else
    got=$rc
  fi
  if [ "$got" = "$want" ]; then
    echo "--- ended as expected ($want)"
  else
    echo "--- UNEXPECTED: ended with $rc, expected $want"
    status=1
  fi
done
ls -l "$dir"/libtavf90.so*
ldd "$dir/libtavf90.so"
exit $status
