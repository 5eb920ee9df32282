#!/bin/sh
# Starts the monitor under Wine and stays until it ends. Its prefix lives in the build
# folder, so a second start finds the first monitor running.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/wine-env.sh"
vd_wine_setup "$top/build/run/wineprefix"
echo "Starting the monitor on display $DISPLAY (Wine prefix $WINEPREFIX)."
echo "It runs until \"Exit\" in its tray menu; a second start while it runs ends at once."
exec wine "$top/build/win32/bin/VDMon.exe"
