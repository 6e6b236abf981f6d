#!/usr/bin/env bash
# Takes the pictures of the user manual under a virtual X server.
#   tools/manual-screenshots.sh [BUILD_DIR] [OUTPUT_DIR]
# Each picture is a fresh start of the program; ZORVA_OPEN names the menu items it runs once
# its window shows (see src/app/main.cpp).
set -euo pipefail
build=${1:-build}
out=${2:-docs/manual/images}
source "$(dirname "$0")/screen-tools.sh"
[ -x "$build/zorva-cps" ] || { echo "build first: $build/zorva-cps is missing" >&2; exit 2; }
[ -f "$build/manual/en.md" ] || { echo "build first: $build/manual is missing" >&2; exit 2; }
mkdir -p "$out"
out=$(cd "$out" && pwd)

# shot NAME MENU_ITEMS [WINDOW_TITLE]: the whole screen, or only the window of that title.
shot() {
  local name=$1 open=$2 title=${3:-}
  # A folder of its own, so that the pictures do not touch the build's settings.
  local run
  run=$(mktemp -d)
  cp "$build/zorva-cps" "$run/"
  cp "$build"/*.Ini "$run/" 2>/dev/null || true
  cp -r "$build/manual" "$run/"
  # A palette of 256 colours keeps the pictures small.
  local target="-window root"
  [ -z "$title" ] || target="-window '$title'"
  # A window manager, so that the program's window opens maximised as on a desktop.
  ZORVA_OPEN="$open" xvfb-run -a -s "-screen 0 1000x620x24" bash -c "
    openbox & wm=\$!
    sleep 1
    '$run/zorva-cps' & pid=\$!
    sleep 4
    import $target 'PNG8:$out/$name.png'
    kill \$pid \$wm"
  rm -rf "$run"
  echo "wrote $out/$name.png"
}

shot main-window ""
shot channel-edit nChEdit
shot optional-functions nOpt
shot help-window nHelpTopics "Help Topics"
