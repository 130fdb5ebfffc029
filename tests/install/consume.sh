#!/usr/bin/env bash
# Builds examples/hello.c against an installed tavf90 twice, as a user
# would, through pkg-config and through find_package, and runs both
# programs.
#   consume.sh PREFIX LIBDIR SOURCE CMAKE CC GENERATOR M32 [EMULATOR ARGS...]
# PREFIX is where the files are (include/, LIBDIR/).  With TAV_SYSROOT set,
# they were installed for PREFIX less that leading directory (a package
# unpacked into a scratch root): pkg-config is told the root, and the
# programs find the library in it.  M32 (ON or OFF): the consumer is an
# i386 project (-m32), as on an x86-64 host.
set -u
prefix=$1 libdir=$2 source=$3 cmake=$4 cc=$5 generator=$6 m32=$7
shift 7
emulator=("$@")
lib=$prefix/$libdir
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0 passed=0
ok() { passed=$((passed + 1)); }
fail() { echo "FAILED: $*"; failed=$((failed + 1)); }

# run NAME PROGRAM: the program must end with status 0 and print hello's
# first line.
run() {
  local out
  out=$(cd "$work" && "${emulator[@]}" "$2" 2>&1)
  [ $? = 0 ] && [ "${out%%$'\n'*}" = "Hello, world! (3 items)" ] && ok || fail "$1: hello printed: $out"
}

# pkg-config.  Under a scratch root, its system directories are kept: they
# are the root's, not this machine's.
pc_env=(PKG_CONFIG_PATH="$lib/pkgconfig")
[ -n "${TAV_SYSROOT:-}" ] &&
  pc_env=(PKG_CONFIG_LIBDIR="$lib/pkgconfig" PKG_CONFIG_SYSROOT_DIR="$TAV_SYSROOT"
          PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 PKG_CONFIG_ALLOW_SYSTEM_LIBS=1)
pc_flags=$(env "${pc_env[@]}" pkg-config --cflags --libs tavf90) || fail "pkg-config --cflags --libs tavf90"
case " $pc_flags " in *" -I$prefix/include "*"-L$lib "*) ok ;; *) fail "pkg-config flags: $pc_flags" ;; esac
# The i386 build's flags say -m32, once.
m32_flags=$(printf '%s\n' $pc_flags | grep -cx -- -m32)
case $m32 in ON | on | 1 | TRUE | true) want_m32=1 ;; *) want_m32=0 ;; esac
[ "$m32_flags" = $want_m32 ] && ok || fail "pkg-config flags say -m32 $m32_flags times: $pc_flags"
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

# A 64-bit project on an x86-64 host is refused the i386 build, and told
# why: the version file's message is in find_package's report.
if [ $want_m32 = 1 ] && [ "$(uname -m)" = x86_64 ]; then
  if "$cmake" -S "$source/tests/install/consumer" -B "$work/consumer64" -G "$generator" \
       -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_C_COMPILER="$cc" \
       -DTAV_EXAMPLE_SOURCE="$source/examples/hello.c" >"$work/fp64.log" 2>&1; then
    fail "find_package(tavf90) accepted the i386 build in a 64-bit project"
  elif grep -q "the i386 build of tavf90, for 32-bit projects: configure this one with -m32" "$work/fp64.log"; then
    ok
  else
    cat "$work/fp64.log"
    fail "find_package(tavf90) in a 64-bit project does not say why it refused"
  fi
fi

echo "consumers: $passed passed, $failed failed"
[ $failed = 0 ]
