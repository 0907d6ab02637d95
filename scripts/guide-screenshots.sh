#!/usr/bin/env bash
# Takes the user guide's screenshots of the real designer and player under Wine and writes them
# to docs/guide/images/. Run after a Windows build:
#   scripts/wine-session.sh scripts/guide-screenshots.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/windows"
out="$root/docs/guide/images"
mkdir -p "$out"
work=$(mktemp -d /tmp/corvela-guide.XXXXXX)
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

cp "$build/Corvela.exe" "$build/Default.ico" "$work/"
cp -r "$build/examples/demo" "$work/cd"
printf 'DefaultPath=%s\r\n' "$(winepath -w "$work/cd")" > "$work/Corvela.ini"

# Geometry of the first visible window whose title matches, as WxH+X+Y.
geometry() {
  local id
  id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
  [ -n "$id" ] || { echo "no window '$1'" >&2; return 1; }
  xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2}
                           END{printf "%dx%d+%d+%d", w, h, x, y}'
}
# Keys go to the window with the title: a virtual display has no window manager to give focus.
keys() {  # title keys...
  local id
  id=$(xdotool search --onlyvisible --name "$1" | head -n 1)
  shift
  xdotool windowfocus "$id" key "$@"
}
shot() {  # name geometry
  import -window root -crop "$2" +repage "$out/$1.png"
  echo "wrote $out/$1.png ($2)"
}
wait_for() {
  for _ in $(seq 100); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "timed out waiting for '$1'" >&2; return 1
}

# A desktop colour instead of the bare black of a virtual display.
xsetroot -solid '#3a6d8c' 2>/dev/null || true
wine "$work/Corvela.exe" >/dev/null 2>&1 &
wait_for '\[Design\]'
sleep 1.5

# The whole designer: the strip and the design surface below it.
edit=$(geometry '\[Design\]')
IFS='x+' read -r ew eh ex ey <<<"$edit"
shot designer "1280x$((ey + eh + 8))+0+0"

# Select two buttons: click one, Ctrl+click the next.
xdotool mousemove $((ex + 60)) $((ey + 150)) click 1
sleep 0.3
xdotool keydown ctrl mousemove $((ex + 60)) $((ey + 198)) click 1 keyup ctrl
sleep 0.5
shot surface "$edit"

# A nudge to the right, then the Edit menu naming it and its Align submenu over the two buttons.
keys '\[Design\]' Right
sleep 0.3
xdotool mousemove 54 32 click 1
sleep 0.8
xdotool key g
sleep 0.8
shot align "960x600+0+0"
xdotool key Escape Escape Escape
sleep 0.3
keys '\[Design\]' ctrl+z
sleep 0.5

# Form Properties from the Edit menu's shortcut-less item: use the toolbar button instead.
xdotool mousemove 186 62 click 1
wait_for 'Form Properties'
sleep 0.5
shot form-properties "$(geometry 'Form Properties')"
keys 'Form Properties' Escape
sleep 0.5

# The link editor on the first button alone: a click on the background clears the selection.
xdotool mousemove $((ex + 300)) $((ey + 415)) click 1
sleep 0.3
xdotool mousemove $((ex + 60)) $((ey + 150)) click 1
sleep 0.3
keys '\[Design\]' ctrl+l
wait_for 'Edit Link'
sleep 0.5
shot link-editor "$(geometry 'Edit Link')"
keys 'Edit Link' Escape
sleep 0.5

# Save and Test: the published player.
keys '\[Design\]' ctrl+t
sleep 0.5
# The player's window carries the menu's caption; the design surface's ends in [Design].
wait_for '^Aurora Photo Suite 3$'
sleep 2
shot player "$(geometry '^Aurora Photo Suite 3$')"

# Close the player and make the designer active again: a click on the surface's background.
keys '^Aurora Photo Suite 3$' alt+F4
sleep 1
xdotool mousemove $((ex + 300)) $((ey + 415)) click 1
sleep 0.3

# Check Disc on a folder with faults planted after the save: a lost glyph, a leftover of an
# interrupted save and a crowd of files nothing uses, which share one line.
rm "$work/cd/Glyphs/readme_hot.bmp"
printf 'half a save' > "$work/cd/AutoRun.mnx.saving"
for n in $(seq -w 1 24); do printf 'spare' > "$work/cd/Media/spare$n.txt"; done
keys '\[Design\]' F7
wait_for '^Check Disc$'
sleep 0.8
shot check-disc "$(geometry '^Check Disc$')"
keys '^Check Disc$' Escape
sleep 0.5

# Make ISO Image: the real dialog as the Windows tests drive it, writing the demo disc's image.
# (The designer's own Save As box shows no folder view on this virtual display.)
CORVELA_ISO_SOURCE="$(winepath -w "$build/examples/demo")" CORVELA_ISO_IMAGE="$(winepath -w "$work")\\demo.iso" \
  CORVELA_HOLD_MS=4000 wine "$build/win_tests.exe" --gtest_filter=MakeIsoDialog.WritesTheImageAndEndsWithItsSizeAndMedium \
  >/dev/null 2>&1 &
tests=$!
wait_for '^Make ISO Image$'
sleep 1.5
shot make-iso "$(geometry '^Make ISO Image$')"
wait "$tests" || true

# A menu in Greek, Chinese and Arabic, played as a disc would start it: each caption in its own
# script, the Arabic one right to left.
mkdir -p "$work/scripts"
cp "$build/Corvela.exe" "$work/scripts/AutoRun.exe"
wine "$build/tools/mnx.exe" build "$(winepath -w "$root/examples/scripts/project.json")" \
  "$(winepath -w "$work/scripts")\\AutoRun.mnx" >/dev/null 2>&1
wine "$work/scripts/AutoRun.exe" >/dev/null 2>&1 &
wait_for '^Καλώς ήρθατε'
sleep 2
shot scripts "$(geometry '^Καλώς ήρθατε')"
keys '^Καλώς ήρθατε' alt+F4
sleep 0.5
# The start page beside the player's menu: the e2e test takes both pictures of the demo disc.
ctest --test-dir "$build" -R DemoStartPage --output-on-failure >/dev/null
convert "$build/artifacts/page-player.png" "$build/artifacts/page-browser.png" +append \
  -define png:compression-level=9 "$out/start-page.png"
