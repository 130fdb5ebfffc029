#!/usr/bin/env bash
# Runs tavfmt as a user does, for every case of a case file and for every
# example its --help shows, and compares standard output, standard error
# and exit status.
#   run_cases.sh TAVFMT CASES [EMULATOR ARGS...]
# Case file: "$ tavfmt ARGS" (shell words) starts a case; "> text$" is a
# line of standard output ($ stands for the newline, so trailing blanks
# show); "! text" a line of standard error; "? N" the exit status (0 when
# absent).  Output or error lines not listed must not appear.
set -u
tavfmt=$1 cases=$2
shift 2
run=("$@" "$tavfmt")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0

# check NAME: runs the case whose arguments are in args and whose expected
# results are in $work/want.out, $work/want.err and want_status.
check() {
  "${run[@]}" "${args[@]}" >"$work/out" 2>"$work/err"
  local status=$?
  if [ "$status" = "$want_status" ] && cmp -s "$work/out" "$work/want.out" && cmp -s "$work/err" "$work/want.err"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $1 (exit status $status, expected $want_status)"
    diff -u --label expected --label got "$work/want.out" "$work/out" | sed 's/^/  out /'
    diff -u --label expected --label got "$work/want.err" "$work/err" | sed 's/^/  err /'
  fi
}

start() { # the command line of a new case
  name=$1
  eval "args=(${1#\$ tavfmt})"
  : >"$work/want.out"
  : >"$work/want.err"
  want_status=0
}

name=
while IFS= read -r line || [ -n "$line" ]; do
  case $line in
    '$ tavfmt'*) [ -n "$name" ] && check "$name"; start "$line" ;;
    '> '*) line=${line#> }; printf '%s\n' "${line%\$}" >>"$work/want.out" ;;
    '! '*) printf '%s\n' "${line#! }" >>"$work/want.err" ;;
    '? '*) want_status=${line#? } ;;
  esac
done <"$cases"
[ -n "$name" ] && check "$name"

# The examples of --help, each run as shown: "  $ tavfmt ARGS" and the
# output lines after it, indented by two blanks.
"${run[@]}" --help >"$work/help" 2>&1
name=
examples=0
while IFS= read -r line; do
  case $line in
    'Examples:') examples=1 ;;
    '  $ tavfmt'*) [ $examples = 1 ] || continue; [ -n "$name" ] && check "--help: $name"; start "${line#  }"; name=${line#  } ;;
    '  '*) [ -n "$name" ] && printf '%s\n' "${line#  }" >>"$work/want.out" ;;
  esac
done <"$work/help"
[ -n "$name" ] && check "--help: $name"
[ $examples = 1 ] || { echo "FAILED: --help shows no examples"; failed=$((failed + 1)); }

echo "$passed passed, $failed failed"
[ $failed = 0 ]
