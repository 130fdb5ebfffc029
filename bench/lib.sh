# Sourced by scripts/bench.sh and every bench/<family>/run.sh: the build of
# the benchmark programs, the one timing loop (fastest of n runs) and the
# table every family's rows go into.
#
# Each family compares the library ("ours") with the peer runtime
# (gfortran -O2) and, where there is one, a plain C loop doing the same
# work on the same storage.  Both sides are built for i386 where the kernel
# runs i386 programs; where it cannot, emulated timings would compare
# nothing, and the x86-64 builds of both sides are measured natively.
# TAV_BENCH_M32=1 takes the i386 builds there all the same and runs every
# program under the emulator: its values are a native run's (it emulates
# the x87's extended arithmetic too), so the checks hold or fail as they
# would natively; its timings mean nothing.
#
# TAV_BENCH_REPS=n: fastest of n runs of every program (default 5).

bench_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bench_reps=${TAV_BENCH_REPS:-5}
source "$bench_root/scripts/i386.sh"
# The command word that runs a benchmark program: empty natively.
bench_run=()
if [ -n "$TAV_EMULATOR" ] && [ "${TAV_BENCH_M32:-0}" != 0 ]; then
  bench_dir=${TAV_BENCH_BUILD:-$bench_root/build/bench}
  bench_m32=ON
  bench_run=("$TAV_EMULATOR")
  bench_words="i386 builds of both sides, $TAV_RUN_MODE (TAV_BENCH_M32=1: the checks hold, the times mean nothing)"
elif [ -n "$TAV_EMULATOR" ]; then
  bench_dir=${TAV_BENCH_BUILD:-$bench_root/build/bench64}
  bench_m32=OFF
  bench_words="x86-64 builds of both sides, natively (i386 programs only run $TAV_RUN_MODE here)"
else
  bench_dir=${TAV_BENCH_BUILD:-$bench_root/build/bench}
  bench_m32=ON
  bench_words="i386 builds of both sides, natively"
fi

# bench_build TARGET...: the Release build of the library and the targets.
bench_build() {
  cmake -S "$bench_root" -B "$bench_dir" -DCMAKE_BUILD_TYPE=Release -DTAV_M32=$bench_m32 -DTAV_TESTS=OFF \
    -DTAV_EXAMPLES=OFF >/dev/null
  cmake --build "$bench_dir" -j2 --target "$@" >/dev/null
}

# bench_fastest CMD...: runs CMD $bench_reps times.  CMD prints lines
# "KEY SECONDS REST..."; for each KEY this prints the line of the run with
# the smallest SECONDS, in the order the keys first came.  A failing run
# fails it.
bench_fastest() {
  local r out=
  for ((r = 0; r < bench_reps; r++)); do
    out+=$("$@") || return 1
    out+=$'\n'
  done
  awk 'NF >= 2 {
         if (!($1 in best)) order[n++] = $1
         if (!($1 in best) || $2 + 0 < best[$1] + 0) { best[$1] = $2; line[$1] = $0 }
       }
       END { for (i = 0; i < n; i++) print line[order[i]] }' <<<"$out"
}

# bench_per SECONDS COUNT SCALE: SECONDS * SCALE / COUNT (time per item in
# the row's unit); "-" for SECONDS "-" (no such side), FAILED for none (the
# side failed).
bench_per() {
  if [ -z "$1" ]; then echo FAILED; return; fi
  if [ "$1" = - ]; then echo -; return; fi
  awk -v s="$1" -v n="$2" -v k="$3" 'BEGIN { printf "%.4g", s * k / n }'
}

# bench_rate SECONDS COUNT SCALE: COUNT / SECONDS / SCALE (a rate: MB/s for
# bytes and 1e6), with "-" and FAILED as for bench_per.
bench_rate() {
  if [ -z "$1" ]; then echo FAILED; return; fi
  if [ "$1" = - ]; then echo -; return; fi
  awk -v s="$1" -v n="$2" -v k="$3" 'BEGIN { printf "%.4g", n / s / k }'
}

# bench_same A B: "same" when the two values (numbers or words) agree.
bench_same() {
  if [ -z "$2" ] || [ "$2" = - ]; then echo -; return; fi
  if [ "${1,,}" = "${2,,}" ] || awk -v a="$1" -v b="$2" 'BEGIN { exit !(a ~ /^[-+0-9.eE]+$/ && a + 0 == b + 0) }'; then
    echo same
  else
    echo "DIFFER ($1 vs $2)"
  fi
}

# bench_near A B K: "same" when the numbers A and B differ by at most K
# times double's epsilon (2^-52) relative to the larger of them (K 0: the
# same number, as bench_same), "DIFFER (A vs B)" otherwise, "-" without B.
# For results that may differ by the peer's rounding (bench/array/run.sh).
bench_near() {
  if [ -z "$2" ] || [ "$2" = - ]; then echo -; return; fi
  if awk -v a="$1" -v b="$2" -v k="$3" 'BEGIN {
       if (a !~ /^[-+0-9.eE]+$/ || b !~ /^[-+0-9.eE]+$/) exit 1
       a += 0; b += 0; d = a > b ? a - b : b - a; m = a < 0 ? -a : a; if (b > m || -b > m) m = b < 0 ? -b : b
       exit !(d <= k * 2 ^ -52 * m) }'; then
    echo same
  else
    echo "DIFFER ($1 vs $2)"
  fi
}

# bench_row FAMILY CASE UNIT OURS PEER PLAIN CHECK: one row of the table.
# Values are per item in UNIT ("-" where a side has none); a UNIT ending
# in "/s" is a rate (larger is faster).  CHECK says whether both sides
# produced the same values ("same", "DIFFER (...)", or why they cannot be
# compared).
bench_row() {
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$@"
}

# bench_table: the rows read from standard input as one table, with
# peer/ours and ours/plain as time ratios (peer/ours above 1: ours is
# faster; ours/plain at most 1.25 is the goal for the intrinsics).  Fails
# when a check says DIFFER or a side FAILED.
bench_table() {
  awk -F '\t' '
    function shown(v) {
      if (v !~ /^[-+]?[0-9.]+([eE][-+]?[0-9]+)?$/) return v
      return sprintf(v + 0 >= 10000 ? "%.0f" : "%.4g", v)
    }
    function ratio(num, den, rate) {
      if (num == "-" || den == "-" || num == "" || den == "" || num + 0 == 0 || den + 0 == 0) return "-"
      return sprintf("%.2fx", rate ? den / num : num / den)
    }
    BEGIN { printf "%-9s %-10s %-9s %10s %10s %10s %9s %10s  %s\n", "family", "case", "unit", "ours", "peer", "plain",
            "peer/ours", "ours/plain", "check" }
    {
      rate = $3 ~ /\/s$/
      printf "%-9s %-10s %-9s %10s %10s %10s %9s %10s  %s\n", $1, $2, $3, shown($4), shown($5), shown($6), ratio($5, $4, rate),
             ratio($4, $6, rate), $7
      if ($7 ~ /^DIFFER/ || $4 == "FAILED" || $5 == "FAILED") bad = 1
    }
    END { exit bad }'
}

# bench_family FUNCTION: runs the family's FUNCTION; its rows become a table
# of their own unless scripts/bench.sh collects them (TAV_BENCH_ROWS set).
bench_family() {
  if [ -n "${TAV_BENCH_ROWS:-}" ]; then
    "$@"
  else
    echo "$bench_words; fastest of $bench_reps runs" >&2
    "$@" | bench_table
  fi
}
