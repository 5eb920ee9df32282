#!/bin/sh
# Starts the monitor of a Windows build folder (build/win32 or build/win64) under Wine and
# stays until it ends. Its prefix lives in the build folder, so a second start finds the
# first monitor running.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/${1:-build/win32}"
arch=win32
[ "$(basename "$build")" = win64 ] && arch=win64
. "$top/scripts/wine-env.sh"
vd_wine_setup "$top/build/run/$arch/wineprefix" "$arch"
echo "Starting the monitor on display $DISPLAY (Wine prefix $WINEPREFIX)."
echo "It runs until \"Exit\" in its tray menu; a second start while it runs ends at once."
exec wine "$build/bin/VDMon.exe"
