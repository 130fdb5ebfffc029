#!/usr/bin/env bash
# Every benchmark family in one table (bench/README.md): per case the time
# per item of the library ("ours"), of the peer runtime (gfortran -O2) and
# of a plain C loop doing the same work where there is one, the ratios
# peer/ours and ours/plain, and whether the sides produced the same values.
# Each family's bench/<family>/run.sh also runs alone and prints its own
# table; all of them share bench/lib.sh (the build, the timing loop).
#
# usage: scripts/bench.sh [FAMILY...]   families: output input internal files
#                                       namelist array character numeric (default all)
# TAV_BENCH_REPS=n         fastest of n runs of every program (default 5)
# TAV_BENCH_RECORDS=n      records per case for output, input, internal (default 10^6)
# TAV_FILES_SCALE=n        record counts of the files family divided by n (default 1)
# TAV_BENCH_M32=1          i386 builds of both sides even where the kernel cannot run
#                          them, every program under qemu-i386: the checks are a native
#                          i386 run's, the times mean nothing (bench/lib.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
all=(output input internal files namelist array character numeric)
families=("$@")
[ ${#families[@]} -gt 0 ] || families=("${all[@]}")
for f in "${families[@]}"; do
  [ -x "$root/bench/$f/run.sh" ] || { echo "scripts/bench.sh: no family $f (${all[*]})" >&2; exit 2; }
done
"$root/scripts/deps.sh" --peer
source "$root/bench/lib.sh"
echo "$bench_words; fastest of $bench_reps runs"
targets=()
for f in "${families[@]}"; do targets+=("bench_$f"); done
bench_build "${targets[@]}"

records=${TAV_BENCH_RECORDS:-1000000}
rows=$(mktemp /tmp/tavbench-rows.XXXXXX)
trap 'rm -f "$rows"' EXIT
status=0
for f in "${families[@]}"; do
  args=()
  case $f in
    output | input | internal) args=("$records") ;;
    files) args=("${TAV_FILES_SCALE:-1}") ;;
  esac
  TAV_BENCH_ROWS=1 "$root/bench/$f/run.sh" "${args[@]}" >>"$rows" || status=1
done
bench_table <"$rows" || status=1
exit $status
