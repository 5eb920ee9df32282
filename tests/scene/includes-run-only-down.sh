#!/bin/sh
# The scene toolkit's includes run only down its layers (the order is scene/CMakeLists.txt's).
# A file of a layer includes its own layer, the layers below it and the seams at the top of
# scene/; the seams include nothing but each other and paint/; the scene itself (the other
# files at the top) includes no back-end; and nothing in scene/ includes a folder of the
# program above core/. Names every include that breaks this, and fails.
#
# Usage: includes-run-only-down.sh SCENE_FOLDER

scene=${1:?the scene folder}

# Bottom to top; style/ and animation/ stand side by side.
rank() {
  case $1 in
    paint) echo 1 ;;
    tree) echo 2 ;;
    layout) echo 3 ;;
    style | animation) echo 4 ;;
    controls) echo 5 ;;
    '') echo 6 ;;  # the top of scene/
    *) echo 7 ;;   # the back-ends, win32/ and cairo/
  esac
}

is_seam() {
  case $1 in
    Canvas.h | SceneHost.h | MouseInput.h | Clock.h | Clock.cpp | ManualClock.h | Translator.h | Translator.cpp | \
      SceneClasses.h) return 0 ;;
  esac
  return 1
}

# "from: includes target" for each include of a file that breaks the rules.
check() {
  from=$1
  case $from in */*) folder=${from%%/*} ;; *) folder= ;; esac
  sed -n 's/^#include "\([^"]*\)".*/\1/p' "$scene/$from" | while read -r target; do
    case $target in
      base/* | streams/* | platform/* | core/*) continue ;;
      scene/*/*) sub=${target#scene/}; sub=${sub%%/*} ;;
      scene/*) sub= ;;
      *) echo "$from: includes $target, above what the toolkit stands on"; continue ;;
    esac
    if [ -z "$folder" ] && is_seam "$from"; then
      [ "$sub" = paint ] || { [ -z "$sub" ] && is_seam "${target#scene/}"; } ||
        echo "$from: includes $target, which is no seam and not below every layer"
    elif [ "$(rank "$folder")" -le 5 ] && [ -z "$sub" ]; then
      is_seam "${target#scene/}" || echo "$from: includes $target, the scene above every layer"
    elif [ "$(rank "$folder")" -le 6 ] && [ "$sub" != "$folder" ] &&
      [ "$(rank "$sub")" -ge "$(rank "$folder")" ]; then
      echo "$from: includes $target, which is not below it"
    fi
  done
}

files=$(cd "$scene" && find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)
[ -n "$files" ] || { echo "no sources in $scene" >&2; exit 1; }
failures=$(for file in $files; do check "$file"; done)
[ -z "$failures" ] || { echo "$failures" >&2; exit 1; }
