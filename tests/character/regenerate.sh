#!/usr/bin/env bash
# Recomputes the results in data/oracle.tsv from its cases (the first two
# columns) with oracle.f90 and gfortran; the suite only reads the table.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
gfortran -o "$tmp/oracle" oracle.f90
grep -av '^#' data/oracle.tsv | cut -f1,2 >"$tmp/cases"
{
  echo "# s, t (the cases), then results computed by regenerate.sh: do not edit them."
  "$tmp/oracle" <"$tmp/cases"
} >data/oracle.tsv
