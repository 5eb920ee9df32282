# Shell functions that tell what this machine can run; sourced by the scripts that install
# prerequisites, run the tests and start the monitor.
#
# The shipped program is 32-bit and runs under 32-bit Wine. Some machines cannot start
# 32-bit Linux programs at all (their kernel lacks 32-bit support); there an i386 emulator
# registered with binfmt_misc (scripts/emulator.sh) runs them, and 32-bit Wine with them. On
# others the 32-bit Wine packages cannot be installed (an i386 package index out of step
# with the mirror). Where 32-bit Wine runs neither way, the Windows suites run on a 64-bit
# build of the same sources under 64-bit Wine.
#
# VD_SIMULATE_NO_32BIT=1 makes these functions take the kernel for one that cannot run 32-bit
# programs, to try the emulated path where it can ("make test-emulated").

VD_BINFMT=${VD_BINFMT:-/proc/sys/fs/binfmt_misc}

# Whether an i386 program starts: a 93-byte static i386 executable that only exits with
# status 0. Written under build/, since /tmp may forbid execution.
vd_i386_probe_runs() {
  probe="${VD_TOP:-.}/build/.i386-probe"
  mkdir -p "$(dirname "$probe")"
  printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\061\333\315\200' > "$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
}

# Prints the interpreter of an enabled binfmt_misc registration that takes i386 programs
# (ELF class 32, machine 3), if there is one. Such a handler is asked before the kernel's
# own loader, so while it is there every 32-bit program runs through it.
vd_i386_emulator() {
  grep -qsx enabled "$VD_BINFMT/status" || return 0
  for entry in "$VD_BINFMT"/*; do
    case "${entry##*/}" in register | status) continue ;; esac
    if [ "$(head -n 1 "$entry" 2>/dev/null)" = enabled ] && grep -q '^offset 0$' "$entry" &&
       grep -Eq '^magic 7f454c4601[0-9a-f]{26}0300$' "$entry"; then
      sed -n 's/^interpreter //p' "$entry"
      return 0
    fi
  done
}

# How 32-bit programs run here: sets VD_32BIT to native, emulated or nothing (they do not),
# and VD_32BIT_EMULATOR to the emulator's interpreter when there is one.
vd_probe_32bit() {
  VD_32BIT=""
  VD_32BIT_EMULATOR=$(vd_i386_emulator)
  vd_i386_probe_runs || return 0
  if [ -n "$VD_32BIT_EMULATOR" ]; then
    VD_32BIT=emulated
  elif [ -z "${VD_SIMULATE_NO_32BIT:-}" ]; then
    VD_32BIT=native
  fi
}

# The emulator as a person names it ("qemu-i386 10.0.2"); its file may be gone, since the
# kernel keeps the one it opened at registration.
vd_emulator_name() {
  version=$("$VD_32BIT_EMULATOR" --version 2>/dev/null | sed -n '1s/^.* version \([^ ]*\).*$/\1/p')
  echo "${VD_32BIT_EMULATOR##*/}${version:+ $version}"
}

vd_wine32_loader_runs() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Whether 32-bit Wine runs; vd_probe_32bit first.
vd_wine32_runs() {
  [ -n "$VD_32BIT" ] && vd_wine32_loader_runs
}

vd_kernel_why() {
  echo "this kernel cannot run 32-bit programs${VD_SIMULATE_NO_32BIT:+ (simulated with VD_SIMULATE_NO_32BIT)}"
}

# The Windows build that runs here, for the tests and for "make run": sets VD_WINDOWS_BUILD
# to win32 or win64 and VD_WINDOWS_WHY to why. VD_WINDOWS_TESTS=win32 or win64 forces one;
# otherwise whether 32-bit Wine runs decides. With "timings" (benchmarks, the soak) an
# emulated 32-bit Wine does not count: an emulator's timings mean nothing.
vd_choose_windows_build() {
  case "${VD_WINDOWS_TESTS:-}" in
    win32 | win64)
      VD_WINDOWS_BUILD=$VD_WINDOWS_TESTS
      VD_WINDOWS_WHY="chosen with VD_WINDOWS_TESTS=$VD_WINDOWS_TESTS"
      return 0
      ;;
    "") ;;
    *)
      echo "VD_WINDOWS_TESTS must be win32 or win64, not '$VD_WINDOWS_TESTS'" >&2
      return 1
      ;;
  esac
  vd_probe_32bit
  VD_WINDOWS_BUILD=win64
  if vd_wine32_runs; then
    if [ "$VD_32BIT" = native ]; then
      VD_WINDOWS_BUILD=win32
      VD_WINDOWS_WHY="32-bit Wine runs here"
    elif [ "${1:-}" = timings ]; then
      VD_WINDOWS_WHY="the 32-bit build would run emulated here, and an emulator's timings mean nothing"
    else
      VD_WINDOWS_BUILD=win32
      VD_WINDOWS_WHY="emulated: 32-bit programs run through $(vd_emulator_name), registered with binfmt_misc"
      VD_WINDOWS_WHY="$VD_WINDOWS_WHY${VD_SIMULATE_NO_32BIT:+; the kernel's own 32-bit support ignored with VD_SIMULATE_NO_32BIT}"
    fi
  elif [ -z "$VD_32BIT" ]; then
    VD_WINDOWS_WHY=$(vd_kernel_why)
    emulator_error="${VD_TOP:-.}/build/.i386-emulator-error"
    if [ -s "$emulator_error" ]; then
      VD_WINDOWS_WHY="$VD_WINDOWS_WHY, and the i386 emulator could not be set up: $(head -n 1 "$emulator_error")"
    fi
  elif [ "$VD_32BIT" = emulated ]; then
    VD_WINDOWS_WHY="32-bit programs run here only emulated, and the 32-bit Wine packages could not be installed"
  else
    VD_WINDOWS_WHY="the 32-bit Wine packages could not be installed here"
  fi
}
