#!/bin/sh
# Starts the monitor of a Windows build folder (build/win32 or build/win64) under Wine and
# stays until it ends. Its prefix is build/run/ARCH, so a second start finds the first monitor
# running. The display it made ends with it; so do the prefix's processes, unless they were
# running before (another start's).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/${1:-build/win32}"
arch=win32
[ "$(basename "$build")" = win64 ] && arch=win64
. "$top/scripts/wine-env.sh"
trap 'vd_wine_end $ours' EXIT
trap 'exit 130' INT TERM HUP
ours=
vd_wine_setup "$top/build/run/$arch/wineprefix" "$arch"
wineserver -k0 2>/dev/null || ours=prefix
echo "Starting the monitor on display $DISPLAY (Wine prefix $WINEPREFIX)."
echo "It runs until \"Exit\" in its tray menu; a second start while it runs ends at once."
wine "$build/bin/VDMon.exe"
