#!/usr/bin/env bash
# Character intrinsics and RANDOM_NUMBER (bench/character/README.md): CPU
# nanoseconds per operation, ours, the peer's and a plain C loop's, and
# whether all agree (checksums; the peer's RANDOM_NUMBER is another
# generator).
# usage: bench/character/run.sh
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
bench_build bench_character
ours=$bench_dir/bench/character/bench_character_ours
peer=$bench_dir/bench/character/bench_character_peer

# one PROGRAM CASE [plain]: "CASE ns-per-op checksum" of one run
one() {
  local line
  line=$("${bench_run[@]}" "$@") || { echo "$* failed" >&2; return 1; }
  read -r name _ ns check <<<"$line"
  echo "$name $ns $check"
}

cases() {
  local c ons ocheck pns pcheck lns lcheck check
  for c in compare index scan verify len_trim concat random; do
    read -r _ ons ocheck <<<"$(bench_fastest one "$ours" "$c" || true)"
    pns=- pcheck=- lns=- lcheck=
    [ -x "$peer" ] && read -r _ pns pcheck <<<"$(bench_fastest one "$peer" "$c" || true)"
    [ "$c" != random ] && read -r _ lns lcheck <<<"$(bench_fastest one "$ours" "$c" plain || true)"
    if [ "$c" = random ]; then
      check="(different generators)"
    else
      check=$(bench_same "$ocheck" "$pcheck")
      [ "$check" = same ] && [ "$ocheck" != "$lcheck" ] && check="DIFFER (plain loop: $lcheck)"
    fi
    bench_row character "$c" ns/op "${ons:-FAILED}" "${pns:-FAILED}" "${lns:-FAILED}" "$check"
  done
}
bench_family cases
