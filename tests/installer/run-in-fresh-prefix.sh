#!/bin/sh
# run-in-fresh-prefix.sh PREFIX ARCH PROGRAM [ARGUMENT...]: runs a Windows program under Wine
# in a prefix made anew (what an earlier run left is removed first), and ends every process of
# the prefix with it, also when the program fails or the run is interrupted. The prefix (some
# hundred megabytes) is removed after a run that passed, and kept for a look after one that
# failed.
set -eu
prefix=$1
arch=$2
shift 2
. "$(dirname "$0")/../../scripts/wine-env.sh"
rm -rf "$prefix" "$prefix.lock"
trap 'vd_wine_end prefix' EXIT
trap 'exit 130' INT TERM HUP
vd_wine_setup "$prefix" "$arch"
status=0
wine "$@" || status=$?
if [ $status -eq 0 ]; then
  vd_wine_end prefix
  rm -rf "$prefix" "$prefix.lock"
fi
exit $status
