#!/usr/bin/env bash
# Mutation testing: each mutation of tests/mutations.tsv (a small fault put
# into one source file) is applied to a scratch copy of the tree, the test
# programs are rebuilt (x86-64, -O1) and the tests the entry names are run.
# A mutation is
#   caught      a named test failed (or timed out, or its program could not
#               list its tests)
#   survived    every named test passed: a missing test, or dead code (named
#               tests that could not judge on this build are listed: run
#               the entry on the i386 build by hand)
#   no compile  the mutated source does not build (not a kill: fix the entry)
#   stale       its text is not in the file exactly once (the code moved on:
#               refresh the entry)
#   no test     its regex names no test that passes unmutated on this build
# Tests that fail unmutated on the x86-64 build (layouts and calling
# conventions only i386 has) cannot judge; they are listed and left out.
#
# usage: scripts/mutate.sh [options] [ID-PATTERN | FILE | DIR ...]
#   --check        only check that every entry applies to exactly one place
#                  (no build); exit status 1 if any does not
#   -j N           N mutations at a time, each in its own scratch copy
#   --timeout S    seconds a test may run (default 60)
#   --all          run every named test, not only up to the first that
#                  fails: the result then lists every test that caught the
#                  mutation, and tests.tsv what each test is worth (what a
#                  trim of the suite needs to know)
#   --save         with --all: also copy the kill matrix (results.tsv,
#                  tests.tsv, failing-unmutated and a note of the run) to
#                  tests/mutation-matrix, the one kept in the tree
#   --list FILE    the mutation list (default tests/mutations.tsv)
#   --scratch DIR  where the copies, logs and results go (default build/mutate)
# Arguments select entries: an id or a shell pattern of ids ('unf-*'), a
# source file (src/io/unformatted.cpp) or a directory (src/io).
#
# List format: one mutation a line, five fields separated by tabs:
#   id  file  from  to  tests
# `from` is replaced by `to` (which may be empty); in both, \t, \n and \\
# stand for a tab, a newline and a backslash.  `tests` is a regular
# expression for ctest -R.  Lines starting with # and empty lines are
# comments.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list=$root/tests/mutations.tsv
scratch=$root/build/mutate
jobs=1 check=0 timeout=60 stop=--stop-on-failure save=0
filters=()
while [ $# -gt 0 ]; do
  case $1 in
    --check) check=1 ;;
    --all) stop= ;;
    --save) save=1 ;;
    -j) jobs=$2; shift ;;
    -j*) jobs=${1#-j} ;;
    --timeout) timeout=$2; shift ;;
    --list) list=$(realpath "$2"); shift ;;
    --scratch) scratch=$(realpath -m "$2"); shift ;;
    -h|--help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    -*) echo "mutate: unknown option $1" >&2; exit 2 ;;
    *) filters+=("${1%/}") ;;
  esac
  shift
done
[[ $jobs =~ ^[1-9][0-9]*$ ]] || { echo "mutate: -j wants a positive number" >&2; exit 2; }
[ -f "$list" ] || { echo "mutate: no list $list" >&2; exit 2; }
[ $save -eq 0 ] || [ -z "$stop" ] || { echo "mutate: --save wants --all" >&2; exit 2; }
[ $save -eq 0 ] || [ ${#filters[@]} -eq 0 ] || { echo "mutate: --save wants the whole list" >&2; exit 2; }

# Tests that never judge a mutation: they install, or build programs of
# their own.
never='^(install\.prefix|fuzz_smoke)$'

# ---- The list.

ids=() files=() froms=() tos=() regexes=()
declare -A seen=()
bad=0 lineno=0
while IFS= read -r line || [ -n "$line" ]; do
  lineno=$((lineno + 1))
  [[ -z ${line//[[:space:]]/} || $line == \#* ]] && continue
  # A separator that is not white space, so that an empty field stays a field.
  line=${line//$'\t'/$'\x1f'}
  IFS=$'\x1f' read -r -a f <<<"$line"
  if [ ${#f[@]} -eq 4 ] && [[ $line == *$'\x1f' ]]; then f+=(""); fi
  if [ ${#f[@]} -ne 5 ] || [ -z "${f[0]}" ] || [ -z "${f[2]}" ] || [ -z "${f[4]}" ]; then
    echo "mutate: $list:$lineno: want five tab-separated fields (id file from to tests), to may be empty" >&2
    bad=1; continue
  fi
  if [ -n "${seen[${f[0]}]:-}" ]; then
    echo "mutate: $list:$lineno: id ${f[0]} also on line ${seen[${f[0]}]}" >&2
    bad=1; continue
  fi
  seen[${f[0]}]=$lineno
  selected=$(( ${#filters[@]} == 0 ))
  for p in "${filters[@]}"; do
    # shellcheck disable=SC2053
    if [[ ${f[0]} == $p || ${f[1]} == "$p" || ${f[1]} == "$p"/* ]]; then selected=1; fi
  done
  [ $selected -eq 1 ] || continue
  ids+=("${f[0]}") files+=("${f[1]}") froms+=("${f[2]}") tos+=("${f[3]}") regexes+=("${f[4]}")
done <"$list"
[ $bad -eq 0 ] || exit 2
total=${#ids[@]}
[ "$total" -gt 0 ] || { echo "mutate: no entry of $list selected" >&2; exit 2; }

# Applies (or, with mode "count", only checks) one replacement in a file.
# Prints "ok", or "stale: ..." and fails.
edit() {  # mode file from to
  perl -e '
    my ($mode, $file, $from, $to) = @ARGV;
    for ($from, $to) { s/\\([tn\\])/$1 eq "t" ? "\t" : $1 eq "n" ? "\n" : "\\"/ge }
    open(my $in, "<", $file) or do { print "stale: no such file\n"; exit 1 };
    local $/; my $s = <$in>; close $in;
    if ($from eq $to) { print "stale: from and to are the same\n"; exit 1 }
    my ($n, $i, $at) = (0, -1, -1);
    while (($i = index($s, $from, $i + 1)) >= 0) { $at = $i if $n++ == 0; last if $n > 9 }
    if ($n != 1) { print $n == 0 ? "stale: text not found\n" : "stale: text found " . ($n > 9 ? "10 or more" : $n) . " times\n"; exit 1 }
    if ($mode eq "apply") {
      substr($s, $at, length $from) = $to;
      open(my $out, ">", $file) or die "$file: $!";
      print $out $s; close $out or die "$file: $!";
    }
    print "ok\n";
  ' "$@"
}

if [ $check -eq 1 ]; then
  stale=0
  for i in "${!ids[@]}"; do
    if ! r=$(edit count "$root/${files[$i]}" "${froms[$i]}" "${tos[$i]}"); then
      printf '%-28s %-34s %s\n' "${ids[$i]}" "${files[$i]}" "$r"
      stale=$((stale + 1))
    fi
  done
  echo "$total entries checked, $stale stale"
  [ $stale -eq 0 ]
  exit
fi

command -v cmake >/dev/null && command -v g++ >/dev/null && command -v perl >/dev/null || "$root/scripts/deps.sh"
generator=("Unix Makefiles")
command -v ninja >/dev/null && generator=(Ninja)

# ---- The scratch copies.

mkdir -p "$scratch/logs"
# The working tree as it is (committed or not), without build directories
# and the benchmarks.  Only files that differ are copied, so an unchanged
# file keeps its time stamp and is not compiled again; a file a mutation
# run restored carries a newer one than its object, so it is.
sync_tree() {  # destination
  local dest=$1 listing
  listing=$(mktemp)
  if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$root" ls-files --cached --others --exclude-standard
  else
    (cd "$root" && find . -path ./build -prune -o -type f -print | sed 's|^\./||')
  fi | grep -v -e '^bench/' -e '^build' | sort -u >"$listing"
  while IFS= read -r f; do
    [ -f "$root/$f" ] || continue
    if ! cmp -s "$root/$f" "$dest/$f"; then
      mkdir -p "$(dirname "$dest/$f")"
      cp "$root/$f" "$dest/$f"
    fi
  done <"$listing"
  # Files gone from the tree go from the copy.
  (cd "$dest" && find . -path ./build -prune -o -type f -print | sed 's|^\./||') | sort |
    comm -13 "$listing" - | while IFS= read -r f; do rm -f "$dest/$f"; done
  rm -f "$listing"
}

# The test programs a regex needs: the executables of the build its tests
# run (a test program, or one a script is handed).
targets_for() {  # copy regex exclude
  local build=$1/build
  (cd "$build" && ctest -N -V -R "$2" -E "$3") 2>/dev/null |
    sed -n 's/^[0-9]*: Test command: //p' | tr ' ' '\n' | tr -d '"' |
    while IFS= read -r w; do
      if [[ $w == "$build"/* && -x $w && ! -d $w ]]; then basename "$w"; fi
    done | sort -u
}

tests_for() {  # copy regex exclude
  (cd "$1/build" && ctest -N -R "$2" -E "$3") 2>/dev/null | sed -n 's/^ *Test *#[0-9]*: //p'
}

# ---- The copies and their baseline.

prepare() {  # n
  local copy=$scratch/t$1 log=$scratch/logs/build$1.log
  mkdir -p "$copy"
  sync_tree "$copy"
  cmake -S "$copy" -B "$copy/build" -G "${generator[@]}" -DTAV_M32=OFF -DTAV_EXAMPLES=OFF -DTAV_TESTS=ON \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 -DCMAKE_C_FLAGS_RELEASE=-O1 >"$log" 2>&1 &&
    cmake --build "$copy/build" -j 2 >>"$log" 2>&1 ||
    { echo "mutate: the unmutated tree does not build in $copy; see $log" >&2; return 1; }
}

# One worker: its copy, and every jobs-th entry of the list from the n-th.
worker() {  # n exclude
  local n=$1 exclude=$2 copy=$scratch/t$1 results=$scratch/results.$1 i
  local keep=$copy.orig
  for ((i = n; i < total; i += jobs)); do
    local id=${ids[$i]} file=${files[$i]} re=${regexes[$i]} status detail=""
    local mlog=$scratch/logs/$id.log start=$SECONDS src=$copy/${files[$i]}
    : >"$mlog"
    if ! detail=$(edit count "$src" "${froms[$i]}" "${tos[$i]}"); then
      status=stale detail=${detail#stale: }
    elif [ -z "$(tests_for "$copy" "$re" "$exclude")" ]; then
      status="no test" detail="no test that passes unmutated matches $re"
    else
      detail=""
      mapfile -t targets < <(targets_for "$copy" "$re" "$exclude")
      cp "$src" "$keep"
      # However the run ends, the copy gets its file back.
      trap "cp '$keep' '$src'; touch '$src'" EXIT
      trap 'exit 130' INT TERM
      edit apply "$src" "${froms[$i]}" "${tos[$i]}" >/dev/null
      if ! cmake --build "$copy/build" -j 2 ${targets[@]+--target "${targets[@]}"} >>"$mlog" 2>&1; then
        if grep -q 'Error running test executable' "$mlog"; then
          status=caught detail="a test program failed to list its tests"
        else
          status="no compile" detail=$(grep -m1 -E 'error:' "$mlog" || echo "build failed")
        fi
      elif (cd "$copy/build" && timeout -k 10 $((timeout * 5)) \
            ctest -R "$re" -E "$exclude" --timeout "$timeout" $stop --output-on-failure) >>"$mlog" 2>&1; then
        status=survived
        # Named tests left out here may still catch it on i386.
        detail=$(tests_for "$copy" "$re" "$never" | grep -xFf "$scratch/failing-unmutated" | paste -sd' ' || true)
        [ -z "$detail" ] || detail="not judged here: $detail"
      else
        status=caught
        detail=$(failed_tests <"$mlog" | paste -sd' ')
        [ -n "$detail" ] || detail="ctest did not finish"
      fi
      cp "$keep" "$src"
      touch "$src"
      trap - EXIT INT TERM
    fi
    local secs=$((SECONDS - start))
    printf '%d\t%s\t%s\t%s\t%s\t%s\n' "$i" "$id" "$status" "$secs" "$file" "$detail" >>"$results"
    printf '%-10s %-30s %-32s %4ss  %s\n' "$status" "$id" "$file" "$secs" "$detail"
  done
}

# The names in the list of failed tests ctest prints at the end.
failed_tests() { sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (.*)$/\1/p'; }

started=$SECONDS
rm -f "$scratch"/results.*
njobs=$((jobs < total ? jobs : total))
echo "mutate: $total mutations, $njobs at a time; building the unmutated copies in $scratch"
pids=()
for ((w = 0; w < njobs; ++w)); do
  prepare "$w" &
  pids+=($!)
done
failed=0
for p in "${pids[@]}"; do wait "$p" || failed=1; done
[ $failed -eq 0 ] || exit 2

# Only tests that pass unmutated can judge a mutation.
(cd "$scratch/t0/build" && ctest -E "$never" -j 2 --timeout "$timeout") >"$scratch/logs/baseline.log" 2>&1 || true
failed_tests <"$scratch/logs/baseline.log" >"$scratch/failing-unmutated"
exclude=$never
while IFS= read -r t; do exclude+="|^${t//./\\.}\$"; done <"$scratch/failing-unmutated"
if [ -s "$scratch/failing-unmutated" ]; then
  echo "Tests that fail unmutated on this build (left out):"
  sed 's/^/  /' "$scratch/failing-unmutated"
fi

pids=()
for ((w = 0; w < njobs; ++w)); do
  worker "$w" "$exclude" &
  pids+=($!)
done
for p in "${pids[@]}"; do wait "$p" || failed=1; done
[ $failed -eq 0 ] || exit 2

# ---- Summary.

sort -n "$scratch"/results.* | cut -f2- >"$scratch/results.tsv"
elapsed=$((SECONDS - started))
count() { awk -F'\t' -v s="$1" '$2 == s' "$scratch/results.tsv" | wc -l; }
caught=$(count caught) survived=$(count survived) nocompile=$(count "no compile")
stale=$(count stale) notest=$(count "no test")
echo
for s in survived stale "no test" "no compile"; do
  if [ "$(count "$s")" -gt 0 ]; then
    echo "${s^}:"
    awk -F'\t' -v s="$s" '$2 == s { printf "  %-28s %-34s %s\n", $1, $4, $5 }' "$scratch/results.tsv"
    echo
  fi
done
printf '%-11s %5d\n' caught "$caught" survived "$survived" "no compile" "$nocompile" stale "$stale" "no test" "$notest"
judged=$((caught + survived))
if [ $judged -gt 0 ]; then
  awk -v c="$caught" -v j="$judged" 'BEGIN { printf "kill rate   %5.1f%% (caught / (caught + survived))\n", 100 * c / j }'
fi
# With --all, each test that could judge: the entries it caught and those
# no other test caught.  One that catches none alone is where a trim may
# look, once its code has entries of its own.
if [ -z "$stop" ]; then
  (cd "$scratch/t0/build" && ctest -N -E "$exclude") | sed -n 's/^ *Test *#[0-9]*: //p' |
    awk -F'\t' 'NR == FNR { if ($2 == "caught") { n = split($5, t, " ")
                              for (k = 1; k <= n; ++k) { all[t[k]]++; if (n == 1) alone[t[k]]++ } }
                            next }
                 { printf "%s\t%d\t%d\n", $0, all[$0], alone[$0] }' "$scratch/results.tsv" - >"$scratch/tests.tsv"
  awk -F'\t' '{ t++; none += $2 == 0; shared += $2 > 0 && $3 == 0 }
       END { printf "tests       %5d: %d catch no entry, %d catch none alone\n", t, none, shared }' "$scratch/tests.tsv"
fi
printf 'time        %dm%02ds\n' $((elapsed / 60)) $((elapsed % 60))
if [ $save -eq 1 ]; then
  kept=$root/tests/mutation-matrix
  mkdir -p "$kept"
  cp "$scratch/results.tsv" "$scratch/tests.tsv" "$scratch/failing-unmutated" "$kept/"
  {
    echo "scripts/mutate.sh -j $jobs --all --save"
    echo "tree: $(git -C "$root" rev-parse HEAD)$(git -C "$root" diff --quiet HEAD -- src include tests tools ':!tests/mutation-matrix' || echo ' with uncommitted changes')"
    echo "ended: $(date -u '+%Y-%m-%d %H:%M UTC'), $((elapsed / 60)) min, on $(uname -m) (-O1 build)"
    echo "entries: $total; caught $caught, survived $survived, no compile $nocompile, stale $stale, no test $notest"
  } >"$kept/RUN"
  echo "kill matrix kept in $kept"
fi
echo "results: $scratch/results.tsv$([ -n "$stop" ] || echo ", $scratch/tests.tsv (test, caught, caught alone)"), logs: $scratch/logs"
[ "$survived" -eq 0 ] && [ "$stale" -eq 0 ] && [ "$notest" -eq 0 ] && [ "$nocompile" -eq 0 ]
