#!/bin/sh
# Starts the monitor under Wine and stays until it ends. Its prefix lives in the build
# folder, so a second start finds the first monitor running.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/wine-env.sh"
vd_wine_setup "$top/build/run/wineprefix"
echo "Monitor running on display $DISPLAY (prefix $WINEPREFIX); choose Exit in its tray menu to end."
exec wine "$top/build/win32/bin/VDMon.exe"
