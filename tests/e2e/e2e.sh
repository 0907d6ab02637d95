#!/usr/bin/env bash
# Whole-program tests under Wine: run inside scripts/wine-session.sh (ctest -L e2e does it through
# test.sh). Every player started here is closed again or killed on the way out.
# Usage: e2e.sh demo    DRIVER CORVELA_EXE DEMO_DIR ARTIFACTS_DIR
#        e2e.sh missing DRIVER CORVELA_EXE
set -uo pipefail
case_name=$1 driver=$2 corvela=$3
work=$(mktemp -d /tmp/corvela-e2e.XXXXXX)
pid=""
cleanup() {
  [ -n "$pid" ] && wine "$driver" close "$pid" >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
winpath() { winepath -w "$1" 2>/dev/null; }

# Players are started by the driver with their output on NUL; the driver's own output goes to
# files, so no Wine process holds the pipe ctest reads.
driver() {  # args... ; stdout to $work/out, stderr shown on failure
  wine "$driver" "$@" >"$work/out" 2>"$work/err"
  local rc=$?
  [ $rc -eq 0 ] || { cat "$work/out" "$work/err" >&2; return $rc; }
}

# "r g b" of one pixel of a picture.
pixel() { convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)] %[fx:int(255*p{'"$2,$3"'}.g)] %[fx:int(255*p{'"$2,$3"'}.b)]' info:; }

# Fails unless the pixel at x, y is within tolerance of r g b.
expect_pixel() {  # file x y r g b tolerance what
  local got gr gg gb v
  got=$(pixel "$1" "$2" "$3")
  read -r gr gg gb <<<"$got"
  for v in $((gr - $4)) $((gg - $5)) $((gb - $6)); do
    [ "${v#-}" -le "$7" ] || fail "$8 at $2,$3 is $got, expected about $4 $5 $6"
  done
  echo "ok: $8 ($got)"
}

case "$case_name" in
  demo)
    demo=$4 artifacts=$5
    [ -f "$demo/AutoRun.mnx" ] || fail "no demo disc in $demo"
    mkdir -p "$work/designer" "$work/cd" "$artifacts"
    cp "$corvela" "$work/designer/Corvela.exe"
    cp "$(dirname "$corvela")/Default.ico" "$work/designer/"
    cp -r "$demo/." "$work/cd/"
    driver publish "$(winpath "$work/designer/Corvela.exe")" "$(winpath "$work/cd")" || fail "publishing"
    cat "$work/out"
    driver play "$(winpath "$work/cd/AutoRun.exe")" 640 480 30000 || fail "playing"
    read -r pid left top width height <"$work/out"
    echo "menu window of process $pid at $left,$top, $width x $height"

    shot="$artifacts/demo-menu.png"
    import -window root "$shot" || fail "no screenshot"
    convert "$shot" -crop "${width}x${height}+${left}+${top}" +repage "$artifacts/demo-menu-window.png"
    win="$artifacts/demo-menu-window.png"
    # The outer panel's raised bevel; the gradient from GradientColor at the top of the inner panel
    # (4 pixels of bevels in) to BackColor at its bottom; the banner label's own colour; the white
    # of the rich-text pane.
    expect_pixel "$win" 0 200 255 255 255 0 "raised bevel"
    expect_pixel "$win" 6 6 40 140 170 12 "gradient top"
    expect_pixel "$win" 6 472 12 32 74 12 "gradient bottom"
    expect_pixel "$win" 620 368 240 192 48 6 "banner label"
    expect_pixel "$win" 400 330 255 255 255 0 "rich-text pane"
    # The clip plays: its pane changes between two looks.
    clip="120x90+$((left + 476))+$((top + 256))"
    sleep 0.35
    import -window root -crop "$clip" +repage "$work/clip2.png"
    convert "$shot" -crop "$clip" +repage "$work/clip1.png"
    changed=$(compare -metric AE "$work/clip1.png" "$work/clip2.png" null: 2>&1)
    [ "${changed%% *}" -gt 200 ] 2>/dev/null || fail "the AVI pane did not change ($changed pixels)"
    echo "ok: the AVI pane plays ($changed pixels changed)"

    driver close "$pid" || fail "closing"
    pid=""
    echo "screenshot: $shot"
    ;;
  missing)
    mkdir -p "$work/cd"
    cp "$corvela" "$work/cd/AutoRun.exe"
    driver missing "$(winpath "$work/cd/AutoRun.exe")" || fail "missing project"
    cat "$work/out"
    ;;
  *) fail "unknown case $case_name" ;;
esac
