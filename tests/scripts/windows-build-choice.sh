#!/bin/sh
# Which Windows build the scripts choose, and why they say so: from whether an i386 program
# starts, the machine's binfmt_misc registrations, whether 32-bit Wine's loader starts and
# what the set-up of the emulator left; and how the emulator is registered, against a stand-in
# binfmt_misc folder. Argument: the source folder.
set -u
top=$1
unset VD_WINDOWS_TESTS VD_SIMULATE_NO_32BIT VD_SIMULATE_BINFMT_REFUSED
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VD_TOP="$work" VD_BINFMT="$work/binfmt"
. "$top/scripts/machine.sh"
. "$top/scripts/emulator.sh"
sudo=""
mkdir -p "$work/build"
printf '#!/bin/sh\necho "qemu-i386 version 10.0.2 (Debian 1:10.0.2+ds-2)"\n' > "$work/qemu-i386"
chmod +x "$work/qemu-i386"

# binfmt_misc as the kernel shows it: none, or its status and one registration.
binfmt() {
  rm -rf "$VD_BINFMT"
  [ "$1" = none ] && return 0
  mkdir -p "$VD_BINFMT"
  echo "$2" > "$VD_BINFMT/status"
  case "$1" in
    i386) magic=7f454c4601010100000000000000000002000300 ;;
    x86-64) magic=7f454c4602010100000000000000000002003e00 ;;
  esac
  printf '%s\ninterpreter %s\nflags: PF\noffset 0\nmagic %s\n' "$3" "$work/qemu-i386" "$magic" > "$VD_BINFMT/other"
}

status=0
# probe: whether an i386 program starts; binfmt: registration, its status and binfmt_misc's;
# wine: whether the loader starts; error: what the emulator's set-up left; env: variables.
check() {
  probe=$1 reg=$2 wine=$3 error=$4 env=$5 argument=$6 build=$7 why=$8
  binfmt $reg
  vd_i386_probe_runs() { [ "$probe" = runs ]; }
  vd_wine32_loader_runs() { [ "$wine" = runs ]; }
  if [ "$error" = - ]; then rm -f "$work/build/.i386-emulator-error"; else echo "$error" > "$work/build/.i386-emulator-error"; fi
  unset VD_WINDOWS_TESTS VD_SIMULATE_NO_32BIT
  [ "$env" = - ] || export "$env"
  vd_choose_windows_build $argument
  if [ "$VD_WINDOWS_BUILD" != "$build" ] || [ "$VD_WINDOWS_WHY" != "$why" ]; then
    echo "probe $probe, binfmt_misc '$reg', loader $wine, error '$error', $env, '$argument':"
    echo "  chose $VD_WINDOWS_BUILD ($VD_WINDOWS_WHY)"
    echo "  not   $build ($why)"
    status=1
  fi
}

emulated="emulated: 32-bit programs run through qemu-i386 10.0.2, registered with binfmt_misc"
nokernel="this kernel cannot run 32-bit programs"
#     probe binfmt_misc                  loader error env argument build why
check runs  none                         runs   - - "" win32 "32-bit Wine runs here"
check runs  none                         fails  - - "" win64 "the 32-bit Wine packages could not be installed here"
check runs  none                         runs   - - timings win32 "32-bit Wine runs here"
check fails none                         fails  - - "" win64 "$nokernel"
check fails none                         fails  "the registration was refused" - "" win64 \
  "$nokernel, and the i386 emulator could not be set up: the registration was refused"
check runs  "i386 enabled enabled"       runs   - - "" win32 "$emulated"
check runs  "i386 enabled enabled"       runs   - - timings win64 \
  "the 32-bit build would run emulated here, and an emulator's timings mean nothing"
check runs  "i386 enabled enabled"       fails  - - "" win64 \
  "32-bit programs run here only emulated, and the 32-bit Wine packages could not be installed"
check runs  "i386 enabled disabled"      runs   - - "" win32 "32-bit Wine runs here"
check runs  "i386 disabled enabled"      runs   - - "" win32 "32-bit Wine runs here"
check runs  "x86-64 enabled enabled"     runs   - - "" win32 "32-bit Wine runs here"
check runs  none                         runs   - VD_SIMULATE_NO_32BIT=1 "" win64 \
  "$nokernel (simulated with VD_SIMULATE_NO_32BIT)"
check runs  "i386 enabled enabled"       runs   - VD_SIMULATE_NO_32BIT=1 "" win32 \
  "$emulated; the kernel's own 32-bit support ignored with VD_SIMULATE_NO_32BIT"
check runs  "i386 enabled enabled"       runs   - VD_WINDOWS_TESTS=win64 "" win64 "chosen with VD_WINDOWS_TESTS=win64"
check fails none                         fails  - VD_WINDOWS_TESTS=win32 "" win32 "chosen with VD_WINDOWS_TESTS=win32"
unset VD_WINDOWS_TESTS VD_SIMULATE_NO_32BIT

# The registration: an older one of the project's name is removed first, any other is left
# alone; with the kernel's 32-bit support ignored, only in a user namespace of its own.
register() {
  binfmt i386 enabled enabled
  echo enabled > "$VD_BINFMT/$VD_BINFMT_NAME"
  : > "$VD_BINFMT/register"
  namespace=$1
  vd_machine_user_namespace() { [ "$namespace" = machine ]; }
  vd_emulator_register /opt/qemu-i386 >/dev/null
}
rule=':vdmon-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/opt/qemu-i386:FP'
# namespace, what is simulated, what register and the older registration of the project's
# name then hold.
check_register() {
  unset VD_SIMULATE_NO_32BIT VD_SIMULATE_BINFMT_REFUSED
  [ "$2" = real ] || export "$2"
  register "$1"
  if [ "$(cat "$VD_BINFMT/register")" != "$3" ] || [ "$(cat "$VD_BINFMT/$VD_BINFMT_NAME")" != "$4" ] ||
     [ "$(head -n 1 "$VD_BINFMT/other")" != enabled ]; then
    echo "registering in the $1 namespace, $2: register holds '$(cat "$VD_BINFMT/register")'," \
         "the older one '$(cat "$VD_BINFMT/$VD_BINFMT_NAME")', another '$(head -n 1 "$VD_BINFMT/other")'"
    status=1
  fi
}
check_register machine real "$rule" -1
check_register private VD_SIMULATE_NO_32BIT=1 "$rule" -1
check_register machine VD_SIMULATE_NO_32BIT=1 "" enabled
check_register machine VD_SIMULATE_BINFMT_REFUSED=1 "" enabled
exit $status
