#!/usr/bin/env bash
# Runs a command with a display and a throw-away Wine prefix, then tears both down.
# Usage: scripts/wine-session.sh COMMAND [ARGS...]
# A ready prefix template is kept in build/wine-template so that later sessions only copy it.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    kill -0 "$xvfb_pid" 2>/dev/null && break
    xvfb_pid=""; unset DISPLAY
  done
  [ -n "${DISPLAY:-}" ] || { echo "could not start Xvfb" >&2; exit 1; }
fi

session=$(mktemp -d /tmp/corvela-wine.XXXXXX)
export HOME="$session/home" WINEPREFIX="$session/prefix" WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winealsa.drv,winepulse.drv,wineoss.drv=d"
mkdir -p "$HOME"

template="$root/build/wine-template"
# What the template is made with: a template made another way is made again.
template_key="2 managed=N fontlink=wqy-microhei"
# Wine draws a character the chosen face lacks only from the fonts its font-link table names for
# that face, and every face a menu names falls to one of the DejaVu faces here.
link_faces=()
for family in "DejaVu Sans" "DejaVu Sans Condensed" "DejaVu Sans Mono" "DejaVu Serif" "DejaVu Serif Condensed"; do
  slant=Oblique
  case "$family" in "DejaVu Serif"*) slant=Italic ;; esac
  link_faces+=("$family" "$family Bold" "$family $slant" "$family Bold $slant")
done
if [ ! -f "$template/system.reg" ] || [ "$(cat "$template/corvela-template-key" 2>/dev/null)" != "$template_key" ]; then
  echo "Preparing a Wine prefix (once)..." >&2
  rm -rf "$template.new"
  WINEPREFIX="$template.new" wineboot -i >/dev/null 2>&1 </dev/null
  # Without a window manager, hiding a managed window waits 2 s for an answer that never comes.
  WINEPREFIX="$template.new" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
  # Chinese, Japanese and Korean characters come from WenQuanYi (scripts/install-deps.sh).
  for face in "${link_faces[@]}"; do
    WINEPREFIX="$template.new" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 </dev/null
  done
  WINEPREFIX="$template.new" wineserver -w
  echo "$template_key" >"$template.new/corvela-template-key"
  # A template that is a link to another checkout's is replaced here, not changed there.
  rm -rf "$template"; mv "$template.new" "$template"
fi
# The template's contents, so that a template that is a link to another checkout's stays untouched:
# copying the link itself would make every session share one prefix and one wineserver.
mkdir -p "$WINEPREFIX"
cp -a "$template/." "$WINEPREFIX/"
# The user's folders (Desktop, Documents, ...) link to the home the template was made with, gone
# since: they lead to this session's home instead. Without a desktop folder the common item dialog
# cannot be made.
for link in "$WINEPREFIX"/drive_c/users/*/*; do
  [ -L "$link" ] && [ ! -e "$link" ] && ln -sfn "$HOME" "$link"
done

cleanup() {
  wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1
  rm -rf "$session"
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

# Start the server and its helper processes with /dev/null as their output, so that they do not
# hold the pipes of the tests open.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null

"$@"
