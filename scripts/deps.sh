#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 when it is missing:
# a 32-bit C++ toolchain, CMake and the GoogleTest sources.
set -euo pipefail
need=()
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf 'int main(){}\n' >"$probe/t.cc"
command -v cmake >/dev/null 2>&1 || need+=(cmake)
command -v g++ >/dev/null 2>&1 || need+=(g++)
command -v pkg-config >/dev/null 2>&1 || need+=(pkg-config)
if ! g++ -m32 "$probe/t.cc" -o "$probe/t" >/dev/null 2>&1; then need+=(g++-multilib); fi
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
if [ "${1:-}" = --peer ]; then
  # The peer runtime used to regenerate golden tables and run benchmarks.
  printf 'end\n' >"$probe/t.f90"
  if ! gfortran -m32 "$probe/t.f90" -o "$probe/f" >/dev/null 2>&1; then need+=(gfortran-multilib); fi
fi
if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  SUDO=; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get install -y --no-install-recommends "${need[@]}" >/dev/null 2>&1 ||
    { $SUDO apt-get update >/dev/null && $SUDO apt-get install -y --no-install-recommends "${need[@]}"; }
fi
