#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the layout, then
# builds examples/hello.c against the installed copy twice, through
# pkg-config and through find_package, and runs both programs.
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
         share/doc/tavf90/tavfmt.md; do
  [ -f "$prefix/$f" ] && ok || fail "$f not installed"
done
# The installed tavfmt finds the installed library by itself.
out=$(cd "$work" && "${emulator[@]}" "$prefix/bin/tavfmt" '(I4)' 42 2>&1)
[ "$out" = "  42" ] && ok || fail "installed tavfmt printed: $out"

# run NAME PROGRAM: the program must end with status 0 and print hello's
# first line.
run() {
  local out
  out=$(cd "$work" && "${emulator[@]}" "$2" 2>&1)
  [ $? = 0 ] && [ "${out%%$'\n'*}" = "Hello, world! (3 items)" ] && ok || fail "$1: hello printed: $out"
}

# pkg-config.
pc_flags=$(PKG_CONFIG_PATH=$lib/pkgconfig pkg-config --cflags --libs tavf90) || fail "pkg-config --cflags --libs tavf90"
case " $pc_flags " in *" -I$prefix/include "*"-L$lib "*) ok ;; *) fail "pkg-config flags: $pc_flags" ;; esac
if "$cc" "$source/examples/hello.c" $pc_flags -o "$work/hello_pc" >"$work/pc.log" 2>&1; then
  # The installed library is the only one it can find.
  LD_LIBRARY_PATH=$lib run "pkg-config build" "$work/hello_pc"
else
  cat "$work/pc.log"
  fail "building hello.c with pkg-config's flags"
fi

# find_package from an i386 (or native) project.
arch_flags=
case $m32 in ON | on | 1 | TRUE | true) arch_flags=-m32 ;; esac
if "$cmake" -S "$source/tests/install/consumer" -B "$work/consumer" -G "$generator" \
     -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_C_COMPILER="$cc" -DCMAKE_C_FLAGS="$arch_flags" \
     -DTAV_EXAMPLE_SOURCE="$source/examples/hello.c" >"$work/fp.log" 2>&1 &&
   "$cmake" --build "$work/consumer" >>"$work/fp.log" 2>&1; then
  run "find_package build" "$work/consumer/hello"
  # It finds the installed library (and not the build's) through its run path.
  runpath=$(readelf -d "$work/consumer/hello" | grep -E 'R(UN)?PATH')
  case $runpath in *"[$lib]"*) ok ;; *) fail "find_package build's run path: $runpath" ;; esac
else
  cat "$work/fp.log"
  fail "building hello.c with find_package(tavf90)"
fi

echo "$passed passed, $failed failed"
[ $failed = 0 ]
