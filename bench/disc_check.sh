#!/usr/bin/env bash
# The disc check on a CD folder of many files: makes the published demo disc with FILES unused
# files in it (half beside the menu's media, half in folders of 1,000 that nothing uses, each
# reported as one folder), then times the check natively
# and, when the Windows build has it, with the designer's own file system under Wine.
# Usage: bench/disc_check.sh [FILES] [RUNS]      (default 100000 files, 5 runs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
files=${1:-100000}
runs=${2:-5}
native=build/native
win=build/windows

scripts/build.sh native=disc_check_bench,mnx >/dev/null || { echo "BUILD FAILED" >&2; exit 1; }
work=$(mktemp -d /tmp/corvela-disc-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# The demo disc as a save publishes it: the player and autorun.inf beside the project and media.
cp -r "$native/examples/demo" "$work/cd"
printf 'MZ player' > "$work/cd/AutoRun.exe"
printf '[autorun]\r\nopen=AutoRun.exe\r\nicon=AutoRun.ico\r\n' > "$work/cd/autorun.inf"
python3 - "$work/cd" "$files" <<'PY'
import os, sys
cd, total = sys.argv[1], int(sys.argv[2])
flat = total // 2
for i in range(flat):
    open(os.path.join(cd, "Media", "unused%06d.txt" % i), "w").close()
for i in range(total - flat):
    folder = os.path.join(cd, "Nested", "part%03d" % (i // 1000))
    if i % 1000 == 0:
        os.makedirs(folder)
    with open(os.path.join(folder, "file%06d.dat" % i), "w") as f:
        f.write("x")
PY
echo "a CD folder with $files unused files made in $work/cd"

echo
echo "==== natively (standard library file system)"
"$native/bench/disc_check_bench" "$work/cd" "$runs"

if [ -x "$win/bench/disc_check_bench.exe" ]; then
  echo
  echo "==== under Wine (the designer's file system)"
  windows_cd="Z:$(printf '%s' "$work/cd" | tr / '\\')"
  scripts/wine-session.sh wine "$win/bench/disc_check_bench.exe" "$windows_cd" "$runs"
  echo
  echo "==== the designer's File > Check Disc under Wine"
  scripts/wine-session.sh wine "$win/bench/designer_check_bench.exe" "$windows_cd"
else
  echo "(no $win/bench/disc_check_bench.exe: scripts/build.sh windows=disc_check_bench,designer_check_bench)"
fi
