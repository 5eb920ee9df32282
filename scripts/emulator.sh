# Shell functions that set up an i386 emulator where the kernel cannot run 32-bit programs, so
# that 32-bit Wine, and the shipped program with it, runs there too. Sourced by
# scripts/install-prerequisites.sh after machine.sh.
#
# The emulator is qemu-i386 8 or newer (7.2 ignores MAP_FIXED_NOREPLACE, and every Wine
# process then spends about a minute reserving its address space 64 KiB at a time): the
# static one of the qemu-user package of the release's backports, fetched with an apt state
# of its own and unpacked into build/emulator, so that nothing is installed and no other
# handler comes with it. It is registered with binfmt_misc under the project's name, which is
# machine-wide: only where i386 programs do not start at all, so that nothing that ran
# natively runs emulated; an older registration of that name is replaced, any other left
# alone. Flag F: the kernel opens the emulator once, at registration; P: programs keep their
# argv[0].

VD_BINFMT_NAME=vdmon-i386
vd_i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
vd_i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# Whether the file is a qemu-i386 of version 8 or newer.
vd_emulator_recent() {
  major=$("$1" --version 2>/dev/null | sed -n '1s/^qemu-i386 version \([0-9]*\)\..*$/\1/p')
  [ -n "$major" ] && [ "$major" -ge 8 ]
}

# Fetches qemu-i386 into build/emulator unless it is there. Failing, says why.
vd_emulator_fetch() {
  dir="$VD_TOP/build/emulator"
  vd_emulator_recent "$dir/qemu-i386" && return 0
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  # The mirror the machine's own sources name for its release.
  mirror=$(apt-cache policy | sed -n "s|^ *[0-9]* \([^ ]*\) $codename/main $(dpkg --print-architecture) Packages\$|\1|p" |
             head -n 1)
  if [ -z "$codename" ] || [ -z "$mirror" ]; then
    echo "no Debian mirror of release '$codename' in the machine's package lists"
    return 1
  fi
  apt="$dir/apt"
  rm -rf "$apt"
  mkdir -p "$apt/lists/partial" "$apt/archives/partial" "$apt/sources.list.d"
  echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $codename-backports main" > "$apt/sources.list"
  set -- -qq -o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/sources.list.d" \
    -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt" -o Dir::State::Status=/dev/null \
    -o APT::Sandbox::User=root
  if ! log=$(apt-get "$@" update 2>&1 && cd "$apt" && apt-get "$@" download "qemu-user/$codename-backports" 2>&1); then
    echo "qemu-user could not be fetched from $codename-backports"
    echo "$log" | grep -E '^(E|W):' || echo "$log"
    return 1
  fi
  dpkg-deb --fsys-tarfile "$apt"/qemu-user_*.deb | tar -x -O ./usr/bin/qemu-i386 > "$dir/qemu-i386.new" &&
    chmod +x "$dir/qemu-i386.new" && mv "$dir/qemu-i386.new" "$dir/qemu-i386"
  rm -rf "$apt" "$dir/qemu-i386.new"
  if ! vd_emulator_recent "$dir/qemu-i386"; then
    echo "$codename-backports has no qemu-i386 of version 8 or newer"
    return 1
  fi
}

# Whether this shell runs in the machine's own user namespace, whose binfmt_misc is everyone's.
vd_machine_user_namespace() {
  grep -Eq '^ *0 +0 +4294967295$' /proc/self/uid_map
}

# Runs a step as root: on failure prints the reason given, then what the step said.
vd_root_step() {
  reason=$1
  shift
  if ! said=$($sudo "$@" 2>&1); then
    echo "$reason"
    [ -z "$said" ] || echo "$said"
    return 1
  fi
}

# Registers the emulator under the project's name. Failing, says why.
vd_emulator_register() {
  if [ -n "${VD_SIMULATE_BINFMT_REFUSED:-}" ]; then
    echo "the registration was refused (simulated with VD_SIMULATE_BINFMT_REFUSED)"
    return 1
  fi
  if [ -n "${VD_SIMULATE_NO_32BIT:-}" ] && vd_machine_user_namespace; then
    echo "with VD_SIMULATE_NO_32BIT the emulator is registered only in a user namespace of its own" \
         "(make test-emulated), never for the whole machine"
    return 1
  fi
  if [ ! -e "$VD_BINFMT/register" ]; then
    vd_root_step "binfmt_misc could not be mounted at $VD_BINFMT" mount -t binfmt_misc binfmt_misc "$VD_BINFMT" ||
      return 1
  fi
  if [ -e "$VD_BINFMT/$VD_BINFMT_NAME" ]; then
    vd_root_step "the older registration $VD_BINFMT_NAME could not be removed" \
      sh -c 'echo -1 > "$1"' sh "$VD_BINFMT/$VD_BINFMT_NAME" || return 1
  fi
  rule=$(printf ':%s:M::%s:%s:%s:FP' "$VD_BINFMT_NAME" "$vd_i386_magic" "$vd_i386_mask" "$1")
  vd_root_step "the registration was refused" sh -c 'printf "%s\n" "$1" > "$2"' sh "$rule" "$VD_BINFMT/register"
}

# Fetches and registers the emulator, and checks that an i386 program starts through it.
# Failing, says why, the reason on the first line.
vd_emulator_setup() {
  vd_emulator_fetch && vd_emulator_register "$VD_TOP/build/emulator/qemu-i386" || return 1
  vd_probe_32bit
  if [ "$VD_32BIT" != emulated ]; then
    echo "an i386 program does not start through the registered emulator"
    return 1
  fi
}
