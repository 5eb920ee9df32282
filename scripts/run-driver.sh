#!/bin/sh
# Runs a driver program of a Windows build folder (the demo's tour, the benchmarks) under
# Wine: run-driver.sh NAME BUILD PROGRAM [ARGUMENTS]. It gets a prefix of its own
# (build/NAME/ARCH/wineprefix) on a private virtual display, so that the tray icons are
# windows of their own as the drivers expect, whatever desktop DISPLAY offers. What it
# prints is also kept in out/NAME.txt. The display and the prefix's processes end with it,
# also when it fails or is interrupted.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
name=$1
build="$top/$2"
program=$3
shift 3
arch=win32
[ "$(basename "$build")" = win64 ] && arch=win64
. "$top/scripts/wine-env.sh"
unset DISPLAY
trap 'vd_wine_end prefix' EXIT
trap 'exit 130' INT TERM HUP
vd_wine_setup "$top/build/$name/$arch/wineprefix" "$arch"
mkdir -p "$top/out"
status="$top/build/$name/$arch/status"
{
  wine "$build/bin/$program" "$@" && echo 0 > "$status" || echo $? > "$status"
} 2>&1 | tee "$top/out/$name.txt"
exit "$(cat "$status")"
