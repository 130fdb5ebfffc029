#!/usr/bin/env bash
# Test programs on an i386 Linux kernel booted in qemu-system-i386, for
# machines whose own kernel cannot execute i386 programs.  The user-mode
# emulator that runs the other tests there raises no x87 exception traps;
# the emulated processor of a whole system does (at FWAIT, where the
# hardware also delivers a pending one).
#
#   scripts/i386-kernel.sh fetch DIR
#     installs qemu-system-i386 if missing and puts Debian's i386 kernel
#     (DIR/vmlinuz) and a static busybox (DIR/busybox) in DIR, once.
#   scripts/i386-kernel.sh run DIR WORK PROGRAM FILTER [PROGRAM FILTER]...
#     boots that kernel with an initramfs built in WORK (the programs at
#     their own paths, the shared libraries they load, busybox) and runs
#     each program in its directory with --gtest_filter=FILTER.  Prints
#     their output; ends with 0 when every program passed, 77 (skipped)
#     when the emulator or the kernel is missing, 1 otherwise.  Under a
#     user-mode emulator, TAV_EMULATOR names it (it lists the libraries).
#     ASAN_OPTIONS and UBSAN_OPTIONS are passed on.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# The kernel's own checks that take seconds under emulation (crypto self
# tests, ISA plug and play probing) are left out.
kernel_args="console=ttyS0 panic=-1 quiet cryptomgr.notests noisapnp"
timeout_s=240

fetch() {
  local dir=$1
  if ! command -v qemu-system-i386 >/dev/null 2>&1; then
    source "$here/apt.sh"
    tav_apt_install qemu-system-x86
  fi
  [ -f "$dir/vmlinuz" ] && [ -f "$dir/busybox" ] && return 0
  echo "fetching Debian's i386 kernel and busybox-static into $dir"
  # A package index of the i386 architecture of its own, under DIR: the
  # system's architectures and package lists stay as they are.
  local apt=$dir/apt
  rm -rf "$apt"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/debs"
  : >"$apt/status"
  local opts=(-q -o APT::Architecture=i386 -o APT::Architectures::=i386 -o Dir::State::Lists="$apt/lists"
              -o Dir::State::status="$apt/status" -o Dir::Cache="$apt/cache" -o APT::Sandbox::User="$(id -un)")
  apt-get "${opts[@]}" update >"$apt/update.log" 2>&1 || { cat "$apt/update.log"; return 1; }
  local kernel
  kernel=$(apt-cache "${opts[@]}" depends linux-image-686 | sed -n 's/^ *Depends: //p' | head -n 1)
  [ -n "$kernel" ] || { echo "no i386 kernel package in the package index"; return 1; }
  (cd "$apt/debs" && apt-get "${opts[@]}" download "$kernel" busybox-static >/dev/null)
  dpkg-deb --fsys-tarfile "$apt/debs/${kernel}_"*.deb | tar -xO --wildcards './boot/vmlinuz-*' >"$dir/vmlinuz.part"
  dpkg-deb --fsys-tarfile "$apt/debs/busybox-static_"*.deb | tar -xO ./bin/busybox >"$dir/busybox.part"
  [ -s "$dir/vmlinuz.part" ] && [ -s "$dir/busybox.part" ] || { echo "the packages lack the kernel or busybox"; return 1; }
  chmod +x "$dir/busybox.part"
  mv "$dir/vmlinuz.part" "$dir/vmlinuz"
  mv "$dir/busybox.part" "$dir/busybox"
  echo "$kernel" >"$dir/kernel-package"
  rm -rf "$apt"
}

# Copies an i386 file to the same path under the initramfs root, without
# its debugging sections.
add_file() {
  mkdir -p "$root$(dirname "$1")"
  objcopy --strip-debug "$1" "$root$1"
}

# The shared libraries PROGRAM loads (the dynamic loader included), as the
# loader itself resolves them.
libraries() {
  local interp listing
  interp=$(readelf -l "$1" | sed -n 's/.*interpreter: \(.*\)]$/\1/p')
  listing=$(${TAV_EMULATOR:-} "$interp" --list "$1")
  if grep -q 'not found' <<<"$listing"; then
    echo "$listing" >&2
    return 1
  fi
  sed -n 's/.* => \(\/[^ ]*\) (.*/\1/p; s/^[[:space:]]*\(\/[^ ]*\) (.*/\1/p' <<<"$listing"
}

# Ends a run: MESSAGE goes to the output and, as one line, to WORK/result
# (which scripts/test.sh shows).
finish() {
  echo "$2"
  echo "x87 trap tests on the i386 kernel: $2" >"$work/result"
  exit "$1"
}

run() {
  dir=$(realpath -m "$1") work=$(realpath -m "$2")
  shift 2
  root=$work/root  # where add_file puts files
  rm -rf "$work"
  mkdir -p "$root/bin" "$root/dev" "$root/proc" "$root/tmp"
  command -v qemu-system-i386 >/dev/null 2>&1 ||
    finish 77 "skipped: qemu-system-i386 is not installed (scripts/i386-kernel.sh fetch installs it)"
  [ -f "$dir/vmlinuz" ] && [ -f "$dir/busybox" ] ||
    finish 77 "skipped: no i386 kernel in $dir (scripts/i386-kernel.sh fetch puts it there)"
  cp "$dir/busybox" "$root/bin/busybox"
  local commands=() libs=() listed program lib path=""
  while [ $# -ge 2 ]; do
    program=$1
    add_file "$program"
    listed=$(libraries "$program")
    libs+=($listed)
    commands+=("$(printf 'cd %q && %q --gtest_filter=%q; echo "i386-kernel: status $? %s"' \
      "$(dirname "$program")" "$program" "$2" "$(basename "$program")")")
    shift 2
  done
  for lib in $(printf '%s\n' "${libs[@]}" | sort -u); do
    add_file "$lib"
    case ":$path:" in *":$(dirname "$lib"):"*) ;; *) path=$path${path:+:}$(dirname "$lib") ;; esac
  done
  # The programs' output goes to the second serial port, away from the
  # kernel's messages on the console; each program ends with a status line.
  {
    echo '#!/bin/busybox sh'
    echo '/bin/busybox --install -s /bin'
    echo 'mount -t proc proc /proc'
    echo 'mount -t devtmpfs dev /dev'
    echo 'exec >/dev/ttyS1 2>&1'
    echo 'read started rest </proc/uptime'
    printf 'export LD_LIBRARY_PATH=%q GTEST_COLOR=no\n' "$path"
    local var
    for var in ASAN_OPTIONS UBSAN_OPTIONS; do
      [ -z "${!var:-}" ] || printf 'export %s=%q\n' "$var" "${!var}"
    done
    printf '%s\n' "${commands[@]}"
    echo 'read ended rest </proc/uptime'
    echo 'echo "i386-kernel: done $started $ended"'
    echo 'poweroff -f'
  } >"$root/init"
  chmod +x "$root/init"
  (cd "$root" && find . | ${TAV_EMULATOR:-} "$dir/busybox" cpio -o -H newc 2>"$work/cpio.log") >"$work/initramfs.cpio"

  local start=$SECONDS status=0
  timeout "$timeout_s" qemu-system-i386 -nodefaults -no-user-config -display none -no-reboot -accel tcg -m 512M \
    -kernel "$dir/vmlinuz" -initrd "$work/initramfs.cpio" -append "$kernel_args" \
    -serial "file:$work/console.log" -serial "file:$work/output.log" </dev/null || status=$?
  local elapsed=$((SECONDS - start)) output
  output=$(tr -d '\r' <"$work/output.log")
  grep -v '^i386-kernel: ' <<<"$output" || true
  if ! grep -q '^i386-kernel: done ' <<<"$output"; then
    [ $status -ne 124 ] || echo "the i386 kernel did not finish within $timeout_s s"
    echo "--- the i386 kernel's console ($work/console.log) ---"
    tr -d '\r' <"$work/console.log" | tail -n 40
    finish 1 "FAILED: the run did not finish"
  fi
  local ran failed started ended
  ran=$(sed -n 's/^\[       OK \] \([^ ]*\).*/\1/p' <<<"$output" | tr '\n' ' ')
  failed=$(sed -n 's/^i386-kernel: status \([1-9][0-9]*\) \(.*\)/\2 (status \1)/p' <<<"$output" | tr '\n' ' ')
  [ -z "$failed" ] || finish 1 "FAILED: $failed(passed: ${ran:-none})"
  # A filter that selects nothing must not pass unnoticed.
  ! grep -q '^\[==========\] Running 0 tests' <<<"$output" || finish 1 "FAILED: a filter selected no test"
  read -r _ _ started ended < <(grep '^i386-kernel: done ' <<<"$output")
  finish 0 "passed ${ran}on $(cat "$dir/kernel-package" 2>/dev/null || echo "it") in qemu-system-i386 ($elapsed s; /init began at $started s of uptime, the tests took $(awk "BEGIN { print $ended - $started }") s)"
}

case "${1:-}" in
  fetch) fetch "$2" ;;
  run) shift; run "$@" ;;
  *) echo "usage: $0 fetch DIR | run DIR WORK PROGRAM FILTER..." >&2; exit 2 ;;
esac
