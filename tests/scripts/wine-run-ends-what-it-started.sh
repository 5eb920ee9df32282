#!/bin/sh
# A Windows program run through a build's Wine runner without a display leaves nothing behind,
# whether it succeeds or fails: no X server and no process of the build's Wine prefix; and the
# runner answers the program's exit code. Arguments: the runner (wine-run.sh of a Windows build
# folder) and the prefix it uses.
#
# The runner runs in a session of its own, so that an X server it leaves behind is told apart
# from those of other programs on the machine.
set -u
runner=$1
prefix=$2
session=$(mktemp)
trap 'rm -f "$session"' EXIT
status=0
for code in 0 3; do
  env -u DISPLAY setsid --wait sh -c 'echo $$ > "$0"; exec "$@"' "$session" "$runner" cmd /c exit "$code" \
    >/dev/null 2>&1
  answered=$?
  if [ "$answered" -ne "$code" ]; then
    echo "a program that ended with $code: the runner answered $answered"
    status=1
  fi
  if pgrep -s "$(cat "$session")" -x Xvfb >/dev/null; then
    echo "a program that ended with $code left an X server running"
    status=1
  fi
  if WINEPREFIX=$prefix wineserver -k0 2>/dev/null; then
    echo "a program that ended with $code left the prefix's processes running"
    status=1
  fi
done
exit $status
