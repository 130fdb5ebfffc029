#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 when it is missing:
# a 32-bit C++ toolchain, CMake and the GoogleTest sources, and, on a
# machine whose kernel cannot execute i386 programs, the user-mode emulator
# that runs them (qemu-i386).
#   deps.sh [--peer | --package]
# --peer adds the peer runtime (gfortran's 32-bit support); --package what
# scripts/package.sh needs (below).
set -euo pipefail
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
source "$(dirname "$0")/apt.sh"
printf 'int main(){}\n' >"$probe/t.cc"
sudo=
[ "$(id -u)" -ne 0 ] && sudo=sudo

need=()
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
if [ "${1:-}" = --package ]; then
  # The Debian packages: dpkg-dev and lintian; and the i386 C and C++
  # libraries as packages of the i386 architecture, whose dependency
  # information dpkg-shlibdeps reads to write the packages' Depends (on an
  # x86-64 host the architecture is added first).
  command -v dpkg-shlibdeps >/dev/null 2>&1 || need+=(dpkg-dev)
  command -v lintian >/dev/null 2>&1 || need+=(lintian)
  if [ "$(dpkg --print-architecture)" != i386 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "adding the i386 architecture"
    $sudo dpkg --add-architecture i386
    $sudo apt-get update >/dev/null
  fi
  dpkg -s libc6:i386 libstdc++6:i386 >/dev/null 2>&1 || need+=(libc6:i386 libstdc++6:i386)
fi
tav_apt_install "${need[@]}"

# Some kernels have no 32-bit user space: the toolchain links i386
# programs, but they fail with "Exec format error".  TAV_EMULATE=1 asks for
# the emulator where they do not.
g++ -m32 "$probe/t.cc" -o "$probe/t"
if { [ "${TAV_EMULATE:-0}" != 0 ] || ! "$probe/t" >/dev/null 2>&1; } && ! command -v qemu-i386 >/dev/null 2>&1; then
  tav_apt_install qemu-user
fi
