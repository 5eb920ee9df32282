# Shell functions that tell what this machine can run; sourced by the scripts that install
# prerequisites, run the tests and start the monitor.
#
# The shipped program is 32-bit and runs under 32-bit Wine. Some machines cannot start
# 32-bit Linux programs at all (their kernel lacks 32-bit support), and on others the 32-bit
# Wine packages cannot be installed (an i386 package index out of step with the mirror).
# There the Windows suites run on a 64-bit build of the same sources under 64-bit Wine.

# Whether the kernel starts a 32-bit Linux program: a 93-byte static i386 executable that
# only exits with status 0. Written under build/, since /tmp may forbid execution.
vd_kernel_runs_32bit() {
  probe="${VD_TOP:-.}/build/.i386-probe"
  mkdir -p "$(dirname "$probe")"
  printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\061\333\315\200' > "$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
}

vd_wine32_runs() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The Windows build that runs here, for the tests and for "make run": sets VD_WINDOWS_BUILD
# to win32 or win64 and VD_WINDOWS_WHY to why. VD_WINDOWS_TESTS=win32 or win64 forces one;
# otherwise whether 32-bit Wine runs decides.
vd_choose_windows_build() {
  case "${VD_WINDOWS_TESTS:-}" in
    win32 | win64)
      VD_WINDOWS_BUILD=$VD_WINDOWS_TESTS
      VD_WINDOWS_WHY="chosen with VD_WINDOWS_TESTS=$VD_WINDOWS_TESTS"
      ;;
    "")
      if vd_wine32_runs; then
        VD_WINDOWS_BUILD=win32
        VD_WINDOWS_WHY="32-bit Wine runs here"
      elif ! vd_kernel_runs_32bit; then
        VD_WINDOWS_BUILD=win64
        VD_WINDOWS_WHY="this kernel cannot run 32-bit programs"
      else
        VD_WINDOWS_BUILD=win64
        VD_WINDOWS_WHY="the 32-bit Wine packages could not be installed here"
      fi
      ;;
    *)
      echo "VD_WINDOWS_TESTS must be win32 or win64, not '$VD_WINDOWS_TESTS'" >&2
      return 1
      ;;
  esac
}
