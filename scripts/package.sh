#!/usr/bin/env bash
# Builds the Debian packages of the i386 library with CPack: libtavf90-1,
# libtavf90-dev and tavfmt, in build/deb, compiled and linked with Debian's
# hardening flags (dpkg-buildflags).  Then checks them: lintian (no error,
# and none of the tags of missing hardening or symbols file), and as a user
# would: apt resolves their dependencies, they are unpacked into a scratch
# root, hello.c is built against them through pkg-config and find_package
# and run, the packaged tavfmt runs every case of tests/tavfmt/cases.txt
# (the hardened library gives the same results, bit for bit), and man shows
# the packaged manual pages without a warning.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --package
source scripts/i386.sh
start=$SECONDS
dir=build/deb
# The packages' dates (manual pages, file times) are the Debian changelog's,
# so that the same sources give the same packages.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l cmake/debian/changelog -STimestamp)
export SOURCE_DATE_EPOCH

# Debian's hardening, as dpkg-buildflags gives it for i386 with every
# feature: stack protector, fortified C library calls (_FORTIFY_SOURCE),
# format checks, read-only relocations bound at start (relro, now).  They
# come before the build type's own flags (-O3 stays the optimisation), and
# change checks and linking only: the floating point stays SSE2 code.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { DEB_HOST_ARCH=i386 dpkg-buildflags --get "$1"; }
echo "=== build"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTAV_TESTS=OFF -DTAV_EXAMPLES=OFF -DTAV_DEB=ON \
  -DCMAKE_C_FLAGS="$(flags CPPFLAGS) $(flags CFLAGS)" -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_SHARED_LINKER_FLAGS="$(flags LDFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" \
  "${TAV_EMULATOR_FLAGS[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc 2>/dev/null || echo 2)"
rm -f "$dir"/*.deb
(cd "$dir" && cpack >/dev/null)
debs=("$dir"/*.deb)
for deb in "${debs[@]}"; do
  echo "=== $(basename "$deb") ($(stat -c %s "$deb") bytes)"
  dpkg-deb --field "$deb" Package Version Architecture Multi-Arch Installed-Size Depends
done

echo "=== lintian"
status=0
lintian --display-info --fail-on error "${debs[@]}" >"$dir/lintian.log" 2>&1 || status=$?
grep -v '^running with root privileges' "$dir/lintian.log" || true
[ $status = 0 ] || { echo "lintian reports errors"; exit 1; }
# Neither overridden nor left: the hardening flags and the symbols file are
# there.
for tag in hardening-no-bindnow hardening-no-fortify-functions hardening-no-relro no-symbols-control-file; do
  ! grep -q ": $tag" "$dir/lintian.log" || { echo "lintian reports $tag"; exit 1; }
done

echo "=== install check (${TAV_RUN_MODE})"
failed=0
fail() { echo "FAILED: $*"; failed=1; }
# apt can install them here, with what they depend on.
apt-get install --simulate "${debs[@]/#/./}" >"$dir/apt.log" 2>&1 || { cat "$dir/apt.log"; fail "apt-get install --simulate"; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
for deb in "${debs[@]}"; do dpkg --extract "$deb" "$root"; done
lib=$root/usr/lib/i386-linux-gnu
TAV_SYSROOT=$root bash tests/install/consume.sh "$root/usr" lib/i386-linux-gnu "$PWD" cmake gcc "Unix Makefiles" ON \
  $TAV_EMULATOR || fail "hello.c built against the packages"
# The packaged tavfmt and library, hardened, give every result of the
# tavfmt cases, byte for byte and bit for bit.
LD_LIBRARY_PATH=$lib bash tests/tavfmt/run_cases.sh "$root/usr/bin/tavfmt" tests/tavfmt/cases.txt $TAV_EMULATOR ||
  fail "the packaged tavfmt's cases"
for page in "$root"/usr/share/man/man*/*.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man -l ${page#$root}: $warnings"
done
echo "=== packages in $dir, made and checked in $((SECONDS - start)) s"
exit $failed
