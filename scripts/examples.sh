#!/usr/bin/env bash
# The main job: builds the library and runs every example program, showing
# what each writes and how it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
source scripts/i386.sh
echo "=== examples run $TAV_RUN_MODE ==="
dir=build/plain
# Each example and the way it is expected to end: exit code, or "abort".
entries=(hello:0 table:0 listdump:0 strings:0 numeric:0 arrays:0 readdata:0 files:0 settings:0 traceback:abort)
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${TAV_EMULATOR_FLAGS[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc 2>/dev/null || echo 2)" --target tavf90 $(printf 'example_%s ' "${entries[@]%%:*}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for entry in "${entries[@]}"; do
  name=${entry%%:*}
  want=${entry#*:}
  echo "=== examples/$name.c ==="
  set +e
  (cd "$work" && $TAV_EMULATOR "$OLDPWD/$dir/examples/$name")
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
echo "needed at run time:"; objdump -p "$dir/libtavf90.so" | awk '/NEEDED/ {print "  " $2}'
exit $status
