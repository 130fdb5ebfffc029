# Sourced by the build scripts.  Sets TAV_EMULATOR to the command that runs
# i386 programs here: empty where the kernel runs them itself, "qemu-i386"
# where it cannot (scripts/deps.sh installs it there), and TAV_RUN_MODE to
# a word for the reports ("native" or "under qemu-i386").
# TAV_EMULATE=1 in the environment takes the emulated path even where the
# kernel runs i386 programs, so that it can be exercised on any machine.
tav_probe_dir=$(mktemp -d)
printf 'int main(){return 0;}\n' >"$tav_probe_dir/t.c"
TAV_EMULATOR=
if [ "${TAV_EMULATE:-0}" != 0 ]; then
  TAV_EMULATOR=qemu-i386
elif gcc -m32 "$tav_probe_dir/t.c" -o "$tav_probe_dir/t" >/dev/null 2>&1 && ! "$tav_probe_dir/t" >/dev/null 2>&1; then
  TAV_EMULATOR=qemu-i386
fi
rm -rf "$tav_probe_dir"
unset tav_probe_dir
if [ -n "$TAV_EMULATOR" ]; then TAV_RUN_MODE="under $TAV_EMULATOR"; else TAV_RUN_MODE=native; fi
# The CMake option that makes every test and example run go through it.
TAV_EMULATOR_FLAGS=(-DCMAKE_CROSSCOMPILING_EMULATOR="$TAV_EMULATOR")
