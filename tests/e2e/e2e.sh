#!/usr/bin/env bash
# Whole-program tests under Wine: run inside scripts/wine-session.sh (ctest -L e2e does it through
# test.sh). Every player started here is closed again or killed on the way out.
# Usage: e2e.sh demo      DRIVER CORVELA_EXE DEMO_DIR ARTIFACTS_DIR
#        e2e.sh dpi       DRIVER CORVELA_EXE DEMO_DIR ARTIFACTS_DIR
#        e2e.sh keys      DRIVER CORVELA_EXE DEMO_DIR ARTIFACTS_DIR
#        e2e.sh dpifit    DRIVER CORVELA_EXE MNX_EXE PROJECTS_DIR ARTIFACTS_DIR
#        e2e.sh missing   DRIVER CORVELA_EXE
#        e2e.sh startexit DRIVER CORVELA_EXE MNX_EXE PROJECTS_DIR
#        e2e.sh broken    DRIVER CORVELA_EXE MNX_EXE PROJECTS_DIR
#        e2e.sh check     DRIVER CORVELA_EXE MNX_EXE DEMO_DIR ARTIFACTS CHECK_IMAGE_PY
#        e2e.sh signed    DRIVER CORVELA_EXE MNX_EXE DEMO_DIR SIGN_SCRIPT
#        e2e.sh scripts   DRIVER CORVELA_EXE MNX_EXE PROJECTS_DIR ARTIFACTS_DIR
#        e2e.sh anywhere  DRIVER CORVELA_EXE E2E_TESTS_EXE
#        e2e.sh page      DRIVER CORVELA_EXE MNX_EXE DEMO_DIR ARTIFACTS COMPARE_PY VNU_SH
set -uo pipefail
case_name=$1 driver=$2 corvela=$3
work=$(mktemp -d /tmp/corvela-e2e.XXXXXX)
pid=""
dpi_set=""
cleanup() {
  [ -n "$pid" ] && wine "$driver" close "$pid" >/dev/null 2>&1
  [ -n "$dpi_set" ] && set_dpi 96
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

# How many pixels of the area (WxH+X+Y) are within 8% of the colour.
count_colour() {  # file geometry colour
  convert "$1" -crop "$2" +repage -fuzz 8% -fill black +opaque "$3" -fill white -opaque "$3" \
    -format '%[fx:round(mean*w*h)]' info:
}

# The screen resolution Wine gives the processes started from now on.
set_dpi() {  # dots per inch
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null
}

# The demo disc published by the real designer into $work/cd.
publish_demo() {  # demo_dir
  [ -f "$1/AutoRun.mnx" ] || fail "no demo disc in $1"
  mkdir -p "$work/designer" "$work/cd"
  cp "$corvela" "$work/designer/Corvela.exe"
  cp "$(dirname "$corvela")/Default.ico" "$work/designer/"
  cp -r "$1/." "$work/cd/"
  driver publish "$(winpath "$work/designer/Corvela.exe")" "$(winpath "$work/cd")" || fail "publishing"
  cat "$work/out"
}

# A player folder holding the project built from a JSON file.
player_for() {  # json folder
  mkdir -p "$2"
  cp "$corvela" "$2/AutoRun.exe"
  wine "$mnx" build "$(winpath "$1")" "$(winpath "$2/AutoRun.mnx")" >/dev/null 2>"$work/err" ||
    { cat "$work/err" >&2; fail "mnx could not build $1"; }
}

# Starts a player that must show one error box with the text and then end by itself; leaves the
# menu window as it was while the box was up ("visible|hidden WIDTH HEIGHT") in $window.
error_then_end() {  # exe text what
  driver start "$(winpath "$1")" || fail "starting"
  pid=$(tr -d '\r' <"$work/out")
  driver box "$pid" Error "$2" 10000 10000 || fail "$3"
  pid=""
  cat "$work/out"
  window=$(head -1 "$work/out" | tr -d '\r')
}

case "$case_name" in
  page)
    mnx=$4 demo=$5 artifacts=$6 compare=$7 vnu=$8
    [ -f "$demo/AutoRun.mnx" ] || fail "no demo disc in $demo"
    command -v chromium >/dev/null || fail "chromium is not installed (scripts/install-deps.sh)"
    mkdir -p "$work/designer" "$work/cd" "$artifacts"
    cp "$corvela" "$work/designer/Corvela.exe"
    cp "$(dirname "$corvela")/Default.ico" "$work/designer/"
    cp -r "$demo/." "$work/cd/"
    # The demo in DejaVu Sans throughout, the one face both Wine and the browser have, so that the
    # two pictures can be laid over each other.
    wine "$mnx" dump "$(winpath "$work/cd/AutoRun.mnx")" 2>/dev/null | tr -d '\r' >"$work/demo.json" || fail "mnx dump"
    sed -i 's/"Name": "Arial"/"Name": "DejaVu Sans"/' "$work/demo.json"
    grep -q '"PublishStartPage": true' "$work/demo.json" || fail "the demo disc does not publish a start page"
    wine "$mnx" build "$(winpath "$work/demo.json")" "$(winpath "$work/cd/AutoRun.mnx")" >/dev/null 2>&1 || fail "mnx build"
    driver publish "$(winpath "$work/designer/Corvela.exe")" "$(winpath "$work/cd")" || fail "publishing"
    [ -f "$work/cd/Start.html" ] && [ -f "$work/cd/Start.files/background.png" ] || fail "no start page was published"
    echo "ok: Save wrote Start.html and $(ls "$work/cd/Start.files" | wc -l) pictures"

    driver play "$(winpath "$work/cd/AutoRun.exe")" 640 480 30000 || fail "playing"
    read -r pid left top width height <"$work/out"
    # The mouse away from the menu, so that nothing shows its hot look.
    xdotool mousemove 0 0 2>/dev/null
    sleep 0.5
    import -window root -crop "${width}x${height}+${left}+${top}" +repage "$artifacts/page-player.png" ||
      fail "no screenshot of the player"
    wine "$driver" close "$pid" >/dev/null 2>&1
    pid=""
    timeout 60 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --force-device-scale-factor=1 \
      --window-size="$width,$height" --screenshot="$artifacts/page-browser.png" "file://$work/cd/Start.html" \
      >"$work/chromium.log" 2>&1 || { cat "$work/chromium.log" >&2; fail "chromium"; }
    # The window holds the inner panel 4 pixels of bevels in.
    python3 "$compare" "$artifacts/page-player.png" "$artifacts/page-browser.png" "$work/demo.json" 4 4 ||
      fail "the start page does not look like the player's menu"
    echo "ok: the start page lies over the player's menu"
    "$vnu" "$work/cd/Start.html" || fail "the start page is not valid HTML"
    echo "ok: the HTML checker finds no error"
    ;;
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
    expect_pixel "$win" 6 6 20 90 120 12 "gradient top"
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

    # The mouse over "Install Aurora" (the window holds the inner panel 4 pixels of bevels in): its
    # hot caption and glyph in #f0c030 and the raised edge of a flat button show, "Read Me" below
    # keeps its white look.
    install="210x44+24+108" readme="210x44+24+156" inside="200x34+29+113"
    driver mouse "$pid" move 129 130 || fail "hovering"
    import -window root -crop "${width}x${height}+${left}+${top}" +repage "$artifacts/demo-hover.png"
    hot=$(count_colour "$artifacts/demo-hover.png" "$install" "rgb(240,192,48)")
    cold=$(count_colour "$artifacts/demo-hover.png" "$readme" "rgb(240,192,48)")
    [ "$hot" -gt 100 ] && [ "$cold" -lt 5 ] || fail "hot look: $hot hot pixels on Install, $cold on Read Me"
    echo "ok: Install shows its hot look ($hot pixels), Read Me does not ($cold)"
    # A raised edge: highlight on the top, shadow on the bottom; sunken when pressed, the other way.
    expect_pixel "$artifacts/demo-hover.png" 129 108 255 255 255 0 "raised edge of the hovered button"
    read -r sr sg sb <<<"$(pixel "$artifacts/demo-hover.png" 129 151)"
    [ "$sr" -lt 200 ] || fail "no shadow under the hovered button ($sr $sg $sb)"

    # Pressed: a sunken edge, and glyph and caption one pixel right and down.
    driver mouse "$pid" press 129 130 || fail "pressing"
    import -window root -crop "${width}x${height}+${left}+${top}" +repage "$artifacts/demo-pressed.png"
    expect_pixel "$artifacts/demo-pressed.png" 129 108 "$sr" "$sg" "$sb" 0 "sunken edge of the pressed button"
    expect_pixel "$artifacts/demo-pressed.png" 129 151 255 255 255 0 "sunken edge of the pressed button"
    convert "$artifacts/demo-hover.png" -crop "$inside" +repage "$work/up.png"
    convert "$artifacts/demo-pressed.png" -crop "200x34+30+114" +repage "$work/down.png"
    moved=$(compare -metric AE -fuzz 3% "$work/up.png" "$work/down.png" null: 2>&1)
    [ "${moved%% *}" -lt 20 ] 2>/dev/null || fail "the pressed look is not the hot look one pixel down and right ($moved)"
    echo "ok: pressing shifts glyph and caption by one pixel ($moved pixels differ)"

    # Dragged off and released over the background: no click, and Install is itself again.
    driver mouse "$pid" move 304 414 || fail "dragging"
    driver mouse "$pid" release 304 414 || fail "releasing"
    import -window root -crop "${width}x${height}+${left}+${top}" +repage "$work/released.png"
    hot=$(count_colour "$work/released.png" "$install" "rgb(240,192,48)")
    [ "$hot" -lt 5 ] || fail "Install kept its hot look after the mouse left it ($hot pixels)"
    # A click would open Setup\Install.txt in Notepad; give it time to show.
    for _ in 1 2 3; do
      sleep 0.5
      [ -z "$(wine "$driver" windows Notepad 2>/dev/null)" ] || fail "a release off the button ran its link"
    done
    echo "ok: a release off the button is no click"

    # Exit AutoRun ends the player.
    driver mouse "$pid" click 129 322 10000 || fail "Exit did not end the player"
    cat "$work/out"
    pid=""
    echo "screenshots: $shot $artifacts/demo-hover.png $artifacts/demo-pressed.png"
    ;;
  keys)
    demo=$4 artifacts=$5
    mkdir -p "$artifacts"
    publish_demo "$demo"
    # The mouse off the menu, so that it places no highlight of its own.
    driver pointer 0 0 || fail "moving the mouse away"
    driver play "$(winpath "$work/cd/AutoRun.exe")" 640 480 30000 || fail "playing"
    read -r pid left top width height <"$work/out"
    grab() { import -window root -crop "${width}x${height}+${left}+${top}" +repage "$1" || fail "no screenshot"; }
    grab "$work/start.png"
    # The linked objects in the order Tab walks them: rows from the top, each from the left, so the
    # box shot beside Install comes second. Each in turn shows its hot look and no other does: a
    # button's caption and glyph in #f0c030, the box shot its hot picture.
    names=(Install BoxShot ReadMe Browse Web Exit)
    areas=("210x44+24+108" "160x200+456+20" "210x44+24+156" "210x44+24+204" "210x44+24+252" "210x44+24+300")
    for i in "${!names[@]}"; do
      driver key "$pid" tab || fail "typing Tab"
      grab "$work/tab$i.png"
      for j in "${!names[@]}"; do
        if [ "${names[$j]}" = BoxShot ]; then
          convert "$work/start.png" -crop "${areas[$j]}" +repage "$work/box0.png"
          convert "$work/tab$i.png" -crop "${areas[$j]}" +repage "$work/box1.png"
          n=$(compare -metric AE -fuzz 5% "$work/box0.png" "$work/box1.png" null: 2>&1)
          n=${n%% *}
          hot=$([ "$n" -gt 500 ] && echo 1 || echo 0)
        else
          n=$(count_colour "$work/tab$i.png" "${areas[$j]}" "rgb(240,192,48)")
          hot=$([ "$n" -gt 100 ] && echo 1 || echo 0)
          [ "$hot" = 1 ] || [ "$n" -lt 5 ] || fail "${names[$j]} half hot after Tab $((i + 1)) ($n pixels)"
        fi
        [ "$hot" = "$([ "$i" = "$j" ] && echo 1 || echo 0)" ] ||
          fail "after Tab $((i + 1)) ${names[$j]} is $([ "$hot" = 1 ] && echo hot || echo not hot) ($n pixels)"
      done
      echo "ok: Tab $((i + 1)) reaches ${names[$i]}"
    done
    cp "$work/tab5.png" "$artifacts/demo-keys-exit.png"
    # Enter on Exit ends the player.
    driver key "$pid" enter 10000 || fail "Enter on Exit did not end the player"
    cat "$work/out"
    pid=""
    echo "screenshot: $artifacts/demo-keys-exit.png"
    ;;
  dpi)
    demo=$4 artifacts=$5
    mkdir -p "$artifacts"
    publish_demo "$demo"
    # At 96 dpi the demo as designed; at 192 the player draws it twice as large, itself.
    for dpi in 96 192; do
      dpi_set=1
      set_dpi "$dpi"
      w=$((640 * dpi / 96)) h=$((480 * dpi / 96))
      driver play "$(winpath "$work/cd/AutoRun.exe")" "$w" "$h" 30000 || fail "playing at $dpi dpi"
      read -r pid left top width height <"$work/out"
      echo "at $dpi dpi: menu window at $left,$top, $width x $height"
      shot="$artifacts/demo-menu-$dpi.png"
      import -window root -crop "${width}x${height}+${left}+${top}" +repage "$shot" || fail "no screenshot"
      s=$((dpi / 96))
      # The raised bevel, the gradient at both ends, the banner label and the rich-text pane, each
      # where the design puts it, scaled.
      expect_pixel "$shot" 0 $((200 * s)) 255 255 255 0 "raised bevel at $dpi dpi"
      expect_pixel "$shot" $((6 * s)) $((6 * s)) 20 90 120 12 "gradient top at $dpi dpi"
      expect_pixel "$shot" $((6 * s)) $((472 * s)) 12 32 74 12 "gradient bottom at $dpi dpi"
      expect_pixel "$shot" $((620 * s)) $((368 * s)) 240 192 48 6 "banner label at $dpi dpi"
      # The title's white letters: as many rows of them as the scale says, not one stretched row each.
      rows=$(convert "$shot" -crop "$((420 * s))x$((44 * s))+$((24 * s))+$((18 * s))" +repage -fuzz 10% \
        -fill black +opaque white -fill white -opaque white -trim -format '%h' info:)
      echo "title ink $rows rows high at $dpi dpi"
      [ "$dpi" = 96 ] && rows96=$rows
      # Exit AutoRun, clicked where the scaled button is, ends the player.
      driver mouse "$pid" click $((129 * s)) $((322 * s)) 10000 || fail "Exit did not end the player at $dpi dpi"
      pid=""
    done
    [ $((rows * 10)) -ge $((rows96 * 19)) ] && [ $((rows * 10)) -le $((rows96 * 21)) ] ||
      fail "the title is $rows rows high at 192 dpi, $rows96 at 96"
    echo "screenshots: $artifacts/demo-menu-96.png $artifacts/demo-menu-192.png"
    ;;
  dpifit)
    mnx=$4 projects=$5 artifacts=$6
    mkdir -p "$artifacts"
    player_for "$projects/large-menu.json" "$work/cd"
    dpi_set=1
    set_dpi 192
    # 800 x 600 placed at 100, 100 is 1600 x 1200 at 192 dpi, more than the 1280 x 1024 screen: the
    # player draws it at 153 dpi, the most at which it fits (1275 x 956), centred.
    driver play "$(winpath "$work/cd/AutoRun.exe")" 1275 956 30000 || fail "playing at a lowered scale"
    read -r pid left top width height <"$work/out"
    echo "at 192 dpi: menu window at $left,$top, $width x $height"
    [ "$left,$top" = "2,34" ] || fail "the window is at $left,$top rather than centred at 2,34"
    shot="$artifacts/large-menu-192.png"
    import -window root -crop "${width}x${height}+${left}+${top}" +repage "$shot" || fail "no screenshot"
    # The red label's design edges 600 and 400 lie at 956 and 637.5 (638) at 153 dpi.
    expect_pixel "$shot" 955 700 128 128 128 0 "the background left of the label"
    expect_pixel "$shot" 956 700 255 0 0 0 "the label's left edge"
    expect_pixel "$shot" 1100 637 128 128 128 0 "the background above the label"
    expect_pixel "$shot" 1100 638 255 0 0 0 "the label's top edge"
    driver mouse "$pid" click $((120 * 153 / 96)) $((530 * 153 / 96)) 10000 || fail "Exit did not end the player"
    pid=""
    echo "screenshot: $shot"
    ;;
  missing)
    mkdir -p "$work/cd"
    cp "$corvela" "$work/cd/AutoRun.exe"
    # One error while the window has no area, then the player ends by itself.
    error_then_end "$work/cd/AutoRun.exe" "File \"$(winpath "$work/cd")\\AutoRun.mnx\" not found" "the missing project's error"
    [ "${window#* }" = "0 0" ] || fail "the menu window has an area without a project ($window)"
    ;;
  startexit)
    mnx=$4 projects=$5
    # With an "Exit AutoRun" start link the player ends as soon as it is built, by itself.
    player_for "$projects/start-exit.json" "$work/exit"
    driver run "$(winpath "$work/exit/AutoRun.exe")" 10000 || fail "the player did not end by itself"
    cat "$work/out"
    # The start sound comes first: its error shows over the built window, then the link ends it.
    player_for "$projects/start-sound-missing-exit.json" "$work/sound"
    error_then_end "$work/sound/AutoRun.exe" "The specified file was not found." "the start sound's error"
    [ "$window" = "visible 300 200" ] || fail "the menu window was not shown at its size before it ended ($window)"
    ;;
  broken)
    mnx=$4 projects=$5
    player_for "$projects/broken-link.json" "$work/cd"
    driver play "$(winpath "$work/cd/AutoRun.exe")" 300 200 30000 || fail "playing"
    read -r pid _ <"$work/out"
    driver mouse "$pid" click 80 40 || fail "clicking the broken link"
    driver box "$pid" Error "The specified file was not found." 5000 || fail "the shell's error"
    echo "ok: a link to a missing file shows its error box"
    driver mouse "$pid" click 80 140 10000 || fail "Exit did not end the player"
    pid=""
    ;;
  check)
    mnx=$4 demo=$5
    [ -f "$demo/AutoRun.mnx" ] || fail "no demo disc in $demo"
    # mnx check FOLDER [--json] into $work/check.out (line ends made plain), its status in $rc.
    check() {
      wine "$mnx" check "$@" >"$work/check.raw" 2>"$work/err"
      rc=$?
      tr -d '\r' <"$work/check.raw" >"$work/check.out"
    }
    expect_line() {  # line what
      grep -qxF -- "$1" "$work/check.out" || { cat "$work/check.out" >&2; fail "$2: no line \"$1\""; }
    }
    mkdir -p "$work/designer" "$work/cd"
    cp "$corvela" "$work/designer/Corvela.exe"
    cp "$(dirname "$corvela")/Default.ico" "$work/designer/"
    cp -r "$demo/." "$work/cd/"
    driver publish "$(winpath "$work/designer/Corvela.exe")" "$(winpath "$work/cd")" || fail "publishing"

    # The published demo disc: no errors, no warnings, exit 0.
    check "$(winpath "$work/cd")"
    cat "$work/check.out"
    [ "$rc" -eq 0 ] || fail "mnx check of the published demo exited with $rc"
    tail -1 "$work/check.out" | grep -qx '0 errors, 0 warnings, [0-9]* notes\?' || fail "the demo disc is not clean"
    echo "ok: the published demo disc checks clean"
    # What is tested is what is burnt: the published demo's image, read back, kept as an artifact
    # (Debian's own Python, which has pycdlib).
    /usr/bin/python3 "$7" "$mnx" "$work/iso" --wine --demo "$work/cd" "$6" || fail "the demo disc's image"
    echo "ok: the published demo disc's image reads back"

    # A planted fault of each severity: a glyph gone, autorun.inf starting another program, the
    # leftover of a cut-short save, a file nothing uses.
    cp -r "$work/cd" "$work/bad"
    rm "$work/bad/Glyphs/exit.bmp"
    printf '[autorun]\r\nOPEN=Setup\\setup.exe\r\n' >"$work/bad/autorun.inf"
    echo half >"$work/bad/AutoRun.mnx.saving"
    echo spare >"$work/bad/Media/spare.txt"
    check "$(winpath "$work/bad")"
    cat "$work/check.out"
    [ "$rc" -eq 1 ] || fail "mnx check with errors exited with $rc, expected 1"
    expect_line 'error: ExitButton #6: Glyph not found in the CD folder [\Glyphs\exit.bmp]' "the missing glyph"
    expect_line 'error: disc: autorun.inf starts "Setup\setup.exe" instead of AutoRun.exe [\autorun.inf]' "autorun.inf"
    expect_line 'warning: disc: Left over from an interrupted save; delete it before burning [\AutoRun.mnx.saving]' \
      "the leftover"
    expect_line 'note: disc: Nothing in the menu uses this file [\Media\spare.txt]' "the unused file"
    [ "$(head -1 "$work/check.out" | cut -d: -f1)" = error ] || fail "errors do not come first"
    tail -1 "$work/check.out" | grep -qx '2 errors, 1 warning, [0-9]* notes' || fail "wrong count line"

    # The same as JSON, for scripts.
    check --json "$(winpath "$work/bad")"
    [ "$rc" -eq 1 ] || fail "mnx check --json with errors exited with $rc"
    python3 - "$work/check.out" <<'PY' || fail "the JSON findings"
import json, sys
findings = json.load(open(sys.argv[1]))
glyph = [f for f in findings if f["path"] == "\\Glyphs\\exit.bmp"]
assert len(glyph) == 1 and glyph[0]["severity"] == "error" and glyph[0]["objectIndex"] == 6, glyph
assert glyph[0]["object"] == "ExitButton #6" and glyph[0]["message"] == "Glyph not found in the CD folder", glyph
assert [f["severity"] for f in findings].count("error") == 2, findings
assert all(f["objectIndex"] is None for f in findings if f["object"] in ("disc", "menu")), findings
PY
    echo "ok: mnx check finds the planted faults, in lines and as JSON"

    check
    [ "$rc" -eq 2 ] || fail "mnx check without a folder exited with $rc, expected 2"
    ;;
  signed)
    mnx=$4 demo=$5 sign=$6
    [ -f "$demo/AutoRun.mnx" ] || fail "no demo disc in $demo"
    mkdir -p "$work/designer" "$work/cd" "$work/cert"
    cp "$corvela" "$work/designer/Corvela.exe"
    cp "$(dirname "$corvela")/Default.ico" "$work/designer/"
    cp -r "$demo/." "$work/cd/"
    # A throw-away certificate made on the spot; no timestamp, since tests have no network.
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Corvela test signer" \
      -addext extendedKeyUsage=codeSigning -keyout "$work/cert/key.pem" -out "$work/cert/cert.pem" 2>/dev/null &&
      openssl pkcs12 -export -inkey "$work/cert/key.pem" -in "$work/cert/cert.pem" -out "$work/cert/signer.p12" \
        -passout pass:test-only || fail "making a certificate"
    CORVELA_SIGN_PASSWORD=test-only CORVELA_SIGN_TIMESTAMP="" bash "$sign" "$work/designer/Corvela.exe" \
      "$work/cert/signer.p12" || fail "signing"
    driver publish "$(winpath "$work/designer/Corvela.exe")" "$(winpath "$work/cd")" || fail "publishing"
    cmp -s "$work/designer/Corvela.exe" "$work/cd/AutoRun.exe" ||
      fail "the published player is not the signed designer byte for byte"
    osslsigncode verify -in "$work/cd/AutoRun.exe" -CAfile "$work/cert/cert.pem" >"$work/verify" 2>&1 ||
      { cat "$work/verify" >&2; fail "the published player's signature does not verify"; }
    echo "ok: the published AutoRun.exe verifies as signed"
    # The check notes a player without a signature, and only then.
    note="AutoRun.exe carries no signature"
    wine "$mnx" check "$(winpath "$work/cd")" 2>/dev/null | tr -d '\r' >"$work/check.out"
    grep -qF "$note" "$work/check.out" && fail "the signed player is noted as unsigned"
    cp "$corvela" "$work/cd/AutoRun.exe"
    wine "$mnx" check "$(winpath "$work/cd")" 2>/dev/null | tr -d '\r' >"$work/check.out"
    grep -qF "$note" "$work/check.out" || { cat "$work/check.out" >&2; fail "the unsigned player is not noted"; }
    echo "ok: the check tells a signed player from an unsigned one"
    # A signed player still plays.
    driver publish "$(winpath "$work/designer/Corvela.exe")" "$(winpath "$work/cd")" || fail "publishing again"
    driver play "$(winpath "$work/cd/AutoRun.exe")" 640 480 30000 || fail "the signed player does not show its menu"
    read -r pid _ <"$work/out"
    echo "ok: the signed player shows its menu"
    ;;
  scripts)
    mnx=$4 projects=$5 artifacts=$6
    mkdir -p "$artifacts"
    # A CD folder named in Greek and Chinese, a menu with a Greek caption and a link to a Greek file.
    cd_dir="$work/Δίσκος 菜单"
    mkdir -p "$work/designer" "$cd_dir"
    cp "$corvela" "$work/designer/Corvela.exe"
    cp "$(dirname "$corvela")/Default.ico" "$work/designer/"
    # mnx.exe writes into the Greek and Chinese folder by its name.
    wine "$mnx" build "$(winpath "$projects/greek-menu.json")" "$(winpath "$cd_dir/AutoRun.mnx")" >/dev/null 2>"$work/err" ||
      { cat "$work/err" >&2; fail "mnx could not build the Greek menu"; }
    printf 'Καλώς ήρθατε\r\n' >"$cd_dir/Οδηγός χρήσης.txt"
    driver publish "$(winpath "$work/designer/Corvela.exe")" "$(winpath "$cd_dir")" || fail "publishing into $cd_dir"
    cat "$work/out"
    [ -f "$cd_dir/AutoRun.exe" ] && [ -f "$cd_dir/autorun.inf" ] || fail "nothing was published into $cd_dir"

    # mnx dump of the published project, named by its folder, shows the captions whole.
    wine "$mnx" dump "$(winpath "$cd_dir/AutoRun.mnx")" >"$work/dump.json" 2>"$work/err" ||
      { cat "$work/err" >&2; fail "mnx dump of the published menu"; }
    python3 - "$work/dump.json" <<'PY' || fail "the dump lacks the Greek captions"
import json, sys
menu = json.load(open(sys.argv[1], encoding="utf-8"))
assert menu["Form"]["Caption"] == "Μενού δίσκου", menu["Form"]
assert menu["Objects"][0]["Control"]["Caption"] == "Οδηγός χρήσης", menu["Objects"][0]
assert menu["Objects"][0]["Link"]["Target"] == "\\Οδηγός χρήσης.txt", menu["Objects"][0]["Link"]
PY
    echo "ok: mnx dump shows the Greek captions and link"
    # Its check lists the folder by name and finds the Greek link's file: a missing one is an error.
    wine "$mnx" check "$(winpath "$cd_dir")" >"$work/check" 2>&1 ||
      { cat "$work/check" >&2; fail "mnx check finds errors in the Greek folder"; }
    echo "ok: mnx check of the Greek folder finds the Greek file: $(tail -1 "$work/check" | tr -d '\r')"

    # The player started there: its window carries the menu's caption, the label its red letters.
    driver play "$(winpath "$cd_dir/AutoRun.exe")" 320 200 30000 || fail "playing from $cd_dir"
    read -r pid left top width height <"$work/out"
    driver windows TAutoRunForm || fail "listing the menu windows"
    grep -q "Μενού δίσκου" "$work/out" || { cat "$work/out" >&2; fail "the menu window lacks its Greek caption"; }
    shot="$artifacts/greek-menu.png"
    import -window root -crop "${width}x${height}+${left}+${top}" +repage "$shot" || fail "no screenshot"
    red=$(count_colour "$shot" "300x80+10+10" "rgb(255,0,0)")
    [ "$red" -gt 100 ] || fail "the Greek caption is not drawn ($red red pixels)"
    echo "ok: the menu shows its caption ($red red pixels)"

    # The link opens the Greek file: Notepad shows it under its name. Windows knows .txt files; the
    # test prefix has Notepad's entry but not the extension's, which is made here.
    wine reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1 </dev/null
    driver mouse "$pid" click 80 50 || fail "clicking the link"
    opened=""
    for _ in $(seq 20); do
      sleep 0.5
      wine "$driver" windows Notepad >"$work/notepad" 2>/dev/null
      grep -q "Οδηγός χρήσης" "$work/notepad" && { opened=1; break; }
    done
    wine taskkill /f /im notepad.exe >/dev/null 2>&1 </dev/null
    [ -n "$opened" ] || { cat "$work/notepad" >&2; fail "the link did not open the Greek file"; }
    echo "ok: the link opened $(tr -d '\r' <"$work/notepad" | cut -d' ' -f2-)"
    driver mouse "$pid" click 80 140 10000 || fail "Exit did not end the player"
    pid=""
    echo "screenshot: $shot"
    ;;
  anywhere)
    tests=$4
    # The designer builds a menu of a picture from outside its CD folder, saves it and makes the
    # image (DesignerFilesTest.cpp); the image is read back here by another ISO reader and the
    # menu played from the files it gives.
    CORVELA_E2E_IMAGE="$(winpath "$work")\\menu.iso" \
      wine "$tests" --gtest_filter='DesignerFiles.APictureFromElsewhereIsCopiedInSavedAndBurntIntoTheImage' \
      >"$work/out" 2>"$work/err" || { cat "$work/out" "$work/err" >&2; fail "building the menu and its image"; }
    [ -s "$work/menu.iso" ] || fail "no image was kept"
    xorriso -osirrox on -indev "$work/menu.iso" -extract / "$work/disc" >"$work/out" 2>&1 ||
      { cat "$work/out" >&2; fail "xorriso could not read the image"; }
    chmod -R u+w "$work/disc"
    for f in AutoRun.exe AutoRun.mnx AutoRun.ico autorun.inf sea.bmp; do
      [ -f "$work/disc/$f" ] || { ls -lR "$work/disc" >&2; fail "the image lacks $f"; }
    done
    echo "ok: the image holds the player, the menu and the copied picture"
    driver play "$(winpath "$work/disc/AutoRun.exe")" 600 420 30000 || fail "playing from the image's files"
    read -r pid left top width height <"$work/out"
    import -window root "$work/screen.png" || fail "no screenshot"
    n=$(count_colour "$work/screen.png" "${width}x${height}+${left}+${top}" "rgb(200,40,160)")
    [ "$n" -gt 1000 ] || fail "the copied picture does not show in the menu ($n pixels of its colour)"
    echo "ok: the menu played from the image shows the copied picture ($n pixels)"
    driver close "$pid" || fail "closing the player"
    pid=""
    ;;
  *) fail "unknown case $case_name" ;;
esac
