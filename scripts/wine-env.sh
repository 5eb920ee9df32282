# Shell functions shared by the scripts that run Windows programs under Wine.
# Source it, then call vd_wine_setup PREFIX_DIR [win32|win64]: it exports WINEPREFIX,
# WINEARCH, WINEDEBUG and WINEDLLOVERRIDES, makes sure there is an X display (a private
# Xvfb when DISPLAY is not set, which vd_wine_end ends) and creates the prefix on first use. A win64 prefix runs
# the 64-bit loader directly: Wine's launcher scripts pick the 32-bit one whenever it is
# installed, so "wine" and "wine-stable" (which wineboot calls) are replaced in PATH. Processes started while the
# set-up lock (descriptor 9) is held get it closed, or they would hold the lock as long as
# they live.

# When DISPLAY is not set, starts a private Xvfb on a display number the server picks itself
# and exports DISPLAY. The X server belongs to the shell that started it: vd_wine_end ends it.
vd_wine_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  number=$(mktemp)
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$number" >/dev/null 2>&1 9>&- &
  VD_XVFB_PID=$!
  i=0
  while [ ! -s "$number" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done
  n=$(cat "$number")
  rm -f "$number"
  if [ -z "$n" ]; then
    echo "The virtual X server (Xvfb) did not start." >&2
    return 1
  fi
  export DISPLAY=":$n"
}

# Ends, whatever way the shell ends (call it from an EXIT trap), what the shell started for
# Wine: with "prefix", every process of its Wine prefix; then its X server.
vd_wine_end() {
  if [ "${1:-}" = prefix ] && [ -n "${WINEPREFIX:-}" ]; then wineserver -k 9>&- 2>/dev/null || true; fi
  if [ -n "${VD_XVFB_PID:-}" ]; then
    kill "$VD_XVFB_PID" 2>/dev/null || true
    wait "$VD_XVFB_PID" 2>/dev/null || true
    VD_XVFB_PID=
  fi
}

# Whether the machine has a sound card or a sound server for Wine's sound drivers.
vd_sound_present() {
  grep -qs '^ *[0-9]' /proc/asound/cards || [ -S "${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/pulse/native" ]
}

vd_wine_prefix() {
  [ -f "$WINEPREFIX/.vd-ready" ] && return 0
  wineboot -i >/dev/null 2>&1 9>&-
  wineserver -w 9>&-
  # A new prefix links Documents, Desktop and the like to the Unix home; tests write there,
  # so give the prefix real folders of its own.
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
  done
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 9>&-
  wineserver -w 9>&-
  touch "$WINEPREFIX/.vd-ready"
}

# Wine's own fonts (fonts-wine: Tahoma, the dialog font) are not found where Wine looks when
# its loader runs from /usr/lib/wine; linked into the prefix's Fonts folder they are. Linked
# on every set-up, so that a prefix made before the package came gets them too.
vd_wine_fonts() {
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -d "$fonts" ] || return 0
  for font in /usr/share/wine/fonts/*.ttf; do
    [ -e "$font" ] && [ ! -e "$fonts/$(basename "$font")" ] && ln -s "$font" "$fonts/"
  done
  return 0
}

vd_wine64_launchers() {
  bin="$1/.wine64-bin"
  if [ ! -x "$bin/wine-stable" ]; then
    mkdir -p "$bin"
    printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' > "$bin/wine"
    chmod +x "$bin/wine"
    ln -sf wine "$bin/wine-stable"
  fi
  export PATH="$bin:$PATH"
  export WINELOADER=/usr/lib/wine/wine64
}

vd_wine_setup() {
  mkdir -p "$1"
  export WINEPREFIX="$1"
  export WINEARCH="${2:-win32}"
  if [ "$WINEARCH" = win64 ]; then vd_wine64_launchers "$(dirname "$1")"; fi
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # Without sound hardware, Wine's sound drivers only fill the terminal with the sound
  # library's complaints; no microphone is found either way.
  if ! vd_sound_present; then WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winealsa.drv,winepulse.drv,wineoss.drv=d"; fi
  vd_wine_display
  (
    flock 9
    vd_wine_prefix
    vd_wine_fonts
  ) 9> "$1.lock"
}
