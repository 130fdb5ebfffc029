#!/usr/bin/env bash
# Rebuilds table.tsv and differences.tsv from the peer runtime (gfortran -m32).
# Only needed when the cases change; the tests read the committed files.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/../../../scripts/deps.sh" --peer
command -v python3 >/dev/null || { echo "python3 is needed to regenerate the table" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
gfortran -m32 -O1 "$here/peer.f90" -o "$work/peer"
python3 "$here/gen_cases.py" >"$work/cases.tsv"
"$work/peer" <"$work/cases.tsv" >"$work/peer.tsv"
python3 "$here/build_table.py" "$work/cases.tsv" "$work/peer.tsv" \
  "$here/table.tsv" "$here/differences.tsv"
echo "cases: $(grep -vc '^#' "$here/table.tsv"), expected differences: $(grep -vc '^#' "$here/differences.tsv")"
