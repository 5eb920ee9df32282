# Shell functions shared by the scripts that run Windows programs under Wine.
# Source it, then call vd_wine_setup PREFIX_DIR [win32|win64]: it exports WINEPREFIX,
# WINEARCH, WINEDEBUG and WINEDLLOVERRIDES, makes sure there is an X display (a private
# Xvfb when DISPLAY is not set) and creates the prefix on first use. A win64 prefix runs
# the 64-bit loader directly: Wine's launcher scripts pick the 32-bit one whenever it is
# installed, so "wine" and "wine-stable" (which wineboot calls) are replaced in PATH. Processes started while the
# set-up lock (descriptor 9) is held get it closed, or they would hold the lock as long as
# they live.

vd_wine_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  state="$1/.xvfb-display"
  if [ -f "$state" ]; then
    n=$(cat "$state")
    if [ -f "/tmp/.X$n-lock" ] && kill -0 "$(tr -d ' ' < "/tmp/.X$n-lock")" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
  fi
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -nolisten tcp -screen 0 1280x1024x24 >/dev/null 2>&1 9>&- &
  i=0
  while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
  echo "$n" > "$state"
  export DISPLAY=":$n"
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
  (
    flock 9
    vd_wine_display "$(dirname "$1")"
    vd_wine_prefix
    vd_wine_fonts
  ) 9> "$1.lock"
  vd_wine_display "$(dirname "$1")"
}
