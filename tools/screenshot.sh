#!/usr/bin/env bash
# Takes a screenshot of the desktop program's main window under a virtual X server, for the
# README.   tools/screenshot.sh [BUILD_DIR] [OUTPUT.png]
set -euo pipefail
build=${1:-build}
out=${2:-docs/main-window.png}
source "$(dirname "$0")/screen-tools.sh"
[ -x "$build/zorva-cps" ] || { echo "build first: $build/zorva-cps is missing" >&2; exit 2; }
mkdir -p "$(dirname "$out")"
# A folder of its own, so the screenshot does not touch the build's settings.
run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
cp "$build/zorva-cps" "$run/"
cp "$build"/*.Ini "$run/" 2>/dev/null || true
# A window manager, so that the program's window opens maximised as on a desktop.
xvfb-run -a -s "-screen 0 1100x680x24" bash -c "
  openbox & wm=\$!
  sleep 1
  '$run/zorva-cps' & pid=\$!
  sleep 4
  import -window root '$out'
  kill \$pid \$wm"
echo "wrote $out"
