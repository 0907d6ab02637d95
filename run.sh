#!/usr/bin/env bash
# Builds Corvela and starts the designer under Wine on a working copy of the demo CD folder.
# Uses the current X display; without one it starts a virtual display and says so.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
scripts/install-deps.sh
scripts/build.sh native windows

run="$root/build/run"
mkdir -p "$run"
cp build/windows/Corvela.exe build/windows/Default.ico "$run/"
[ -f build/windows/Corvela.html ] && cp build/windows/Corvela.html "$run/"
# The designer publishes into its CD folder, so it works on a copy, never on the sources.
if [ ! -d "$run/demo" ] && [ -d build/windows/examples/demo ]; then
  cp -r build/windows/examples/demo "$run/demo"
fi
mkdir -p "$run/demo"
export WINEPREFIX="$root/build/wine-run" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine maps the Unix root to drive Z:. (winepath would start a Wine server bound to no display.)
windows_path="Z:${run//\//\\}\\demo"
printf 'DefaultPath=%s\r\n' "$windows_path" > "$run/Corvela.ini"

if [ -z "${DISPLAY:-}" ]; then
  echo "No X display: starting the designer on a virtual display (Xvfb); set DISPLAY to see it." >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$run/Corvela.exe"
fi
exec wine "$run/Corvela.exe"
