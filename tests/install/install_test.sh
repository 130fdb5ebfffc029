#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the layout, then
# builds examples/hello.c against the installed copy twice, through
# pkg-config and through find_package, and runs both programs
# (consume.sh).
#   install_test.sh BUILD SOURCE CMAKE CC LIBDIR GENERATOR M32 [EMULATOR ARGS...]
# M32 (ON or OFF): the library is the i386 build, and the consumer project
# is configured as an i386 project (-m32), as on an x86-64 host.
set -u
build=$1 source=$2 cmake=$3 cc=$4 libdir=$5 generator=$6 m32=$7
shift 7
emulator=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
lib=$prefix/$libdir
failed=0 passed=0
ok() { passed=$((passed + 1)); }
fail() { echo "FAILED: $*"; failed=$((failed + 1)); }
# An instrumented library under test is not the first in the programs'
# library list; the address sanitizer is told not to mind.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; }

# Layout: the library and its two links, header, program, package files, docs.
[ -f "$lib/libtavf90.so.1.0.0" ] && [ ! -L "$lib/libtavf90.so.1.0.0" ] && ok || fail "$libdir/libtavf90.so.1.0.0"
[ "$(readlink "$lib/libtavf90.so.1")" = libtavf90.so.1.0.0 ] && ok || fail "$libdir/libtavf90.so.1 -> libtavf90.so.1.0.0"
[ "$(readlink "$lib/libtavf90.so")" = libtavf90.so.1 ] && ok || fail "$libdir/libtavf90.so -> libtavf90.so.1"
cmake_dir=$libdir/cmake/tavf90
[ "$libdir" = lib32 ] && cmake_dir=share/cmake/tavf90
for f in include/tavf90.h "$libdir/pkgconfig/tavf90.pc" "$cmake_dir/tavf90Config.cmake" \
         "$cmake_dir/tavf90ConfigVersion.cmake" share/doc/tavf90/README.md share/doc/tavf90/abi.md \
         share/doc/tavf90/tavfmt.md share/man/man1/tavfmt.1.gz share/man/man7/tavf90.7.gz; do
  [ -f "$prefix/$f" ] && ok || fail "$f not installed"
done
# The installed tavfmt finds the installed library by itself.
out=$(cd "$work" && "${emulator[@]}" "$prefix/bin/tavfmt" '(I4)' 42 2>&1)
[ "$out" = "  42" ] && ok || fail "installed tavfmt printed: $out"

# hello.c built against the installed copy, through pkg-config and
# find_package.
bash "$(dirname "$0")/consume.sh" "$prefix" "$libdir" "$source" "$cmake" "$cc" "$generator" "$m32" "${emulator[@]}" &&
  ok || fail "consumers of the installed copy"

echo "$passed passed, $failed failed"
[ $failed = 0 ]
