#!/bin/sh
# Installs what building and testing need, from Debian's packages. Idempotent and quiet
# when everything is already there.
#
# 32-bit Wine (wine32:i386, with the i386 architecture) is installed only where 32-bit
# programs run and the Windows tests may use it. Where the kernel cannot run them, an i386
# emulator is set up first (scripts/emulator.sh), and 32-bit Wine is installed the ordinary
# way, as where they run natively. Where 32-bit Wine runs neither way, the tests take the
# 64-bit path (scripts/machine.sh), whose cross compiler is installed; with "timings" (the
# benchmarks, the soak) also where 32-bit Wine runs only emulated. A failed Wine install is
# remembered in build/, so that later runs do not repeat it; why the emulator could not be
# set up is kept there for the scripts that choose the build, and it is tried again each run.
# VD_WIN64_TOOLCHAIN=1 installs that cross compiler in any case (make dist builds both).
set -eu
VD_TOP=$(cd "$(dirname "$0")/.." && pwd)
. "$VD_TOP/scripts/machine.sh"
wine32_failed="$VD_TOP/build/.wine32-unavailable"
emulator_error="$VD_TOP/build/.i386-emulator-error"

common="cmake ninja-build g++ make file python3 googletest libgtest-dev libgmock-dev
        g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
        wine wine64 xvfb xauth fonts-wine fonts-wqy-microhei clang libclang-rt-14-dev
        pkg-config libcairo2-dev libpango1.0-dev nsis"
win64="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

missing_of() {
  missing=""
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed" || missing="$missing $pkg"
  done
  echo "$missing"
}

updated=""
apt_update() {
  [ -n "$updated" ] && return 0
  updated=yes
  # A mirror in the middle of a sync fails an index now and then: retry once, then go on
  # with the lists there are; the install below says whether they were enough.
  $sudo apt-get update -qq >/dev/null 2>&1 || { sleep 5; $sudo apt-get update -qq >/dev/null 2>&1; } ||
    echo "apt-get update failed twice; going on with the package lists there are" >&2
}

# apt_install WHAT PACKAGE...: installs, or names the packages and apt's error and fails.
apt_install() {
  what=$1
  shift
  echo "Installing ($what): $*"
  apt_update
  if ! log=$(DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@" 2>&1); then
    echo "Could not install $*:" >&2
    echo "$log" | grep -E '^E:' >&2 || echo "$log" >&2
    return 1
  fi
}

missing=$(missing_of $common)
[ -z "$missing" ] || apt_install "build and test tools" $missing

# An i386 emulator, where 32-bit Wine may be used and the kernel cannot run it.
vd_probe_32bit
if [ "${VD_WINDOWS_TESTS:-}" != win64 ] && [ -z "$VD_32BIT" ]; then
  . "$VD_TOP/scripts/emulator.sh"
  echo "$(vd_kernel_why | sed 's/^t/T/'): setting up the i386 emulator."
  mkdir -p "$VD_TOP/build"
  if vd_emulator_setup > "$emulator_error" 2>&1; then
    rm -f "$emulator_error"
  else
    echo "The i386 emulator could not be set up; the Windows tests take the 64-bit path:" >&2
    sed 's/^/  /' "$emulator_error" | head -n 5 >&2
    [ "${VD_WINDOWS_TESTS:-}" != win32 ] || exit 1
  fi
fi

# 32-bit Wine, where it may be used and can run.
if [ "${VD_WINDOWS_TESTS:-}" != win64 ] && [ -n "$VD_32BIT" ] && ! vd_wine32_runs && [ ! -f "$wine32_failed" ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
    updated=""
  fi
  if ! apt_install "32-bit Wine" wine32:i386 2>"$VD_TOP/build/.wine32-error"; then
    if [ "${VD_WINDOWS_TESTS:-}" = win32 ]; then
      cat "$VD_TOP/build/.wine32-error" >&2
      exit 1
    fi
    echo "32-bit Wine cannot be installed here; the Windows tests take the 64-bit path." >&2
    sed 's/^/  /' "$VD_TOP/build/.wine32-error" | head -n 5 >&2
    touch "$wine32_failed"
  fi
fi

vd_choose_windows_build "$@"
if [ "$VD_WINDOWS_BUILD" = win64 ] || [ -n "${VD_WIN64_TOOLCHAIN:-}" ]; then
  missing=$(missing_of $win64)
  [ -z "$missing" ] || apt_install "the 64-bit Windows test build" $missing
fi
exit 0
