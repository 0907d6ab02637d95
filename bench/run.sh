#!/usr/bin/env bash
# Every figure the benchmarks measure, each against its floor with the ratio, in one run. Builds
# what it needs (native benchmarks, the Windows exe and the Wine benchmarks) first.
# Usage: bench/run.sh [RUNS]     (RUNS: player start runs, default 21)
# One figure is one `figure` line at the bottom; a figure that fails says so and the rest go on.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-21}
win=build/windows
native=build/native

scripts/install-deps.sh || { echo "installing packages failed" >&2; exit 1; }
scripts/build.sh native=gradient_bench,project_file_bench windows=Corvela,surface_bench,hover_bench >/dev/null ||
  { echo "BUILD FAILED" >&2; exit 1; }

status=0
figure() {  # title, command...
  local title=$1; shift
  printf '\n==== %s\n' "$title"
  "$@" || { echo "  (failed: $*)"; status=1; }
}

exe_size() {
  local bytes goal=1048576 drive=153600  # a 1x drive reads 150 KiB/s
  bytes=$(stat -c %s "$win/Corvela.exe")
  awk -v b="$bytes" -v g="$goal" -v d="$drive" 'BEGIN {
    printf "  Corvela.exe as shipped   %9d bytes\n", b
    printf "  goal                     %9d bytes   ratio %.2f\n", g, b / g
    printf "  read at 1x (150 KiB/s)   %9.2f s       at 8x %.2f s\n", b / d, b / d / 8 }'
}

player_start() { bench/player_start.sh "$win" "$runs"; }

# The ratio table only: the per-run lines are Google Benchmark's own.
gradient() { "$native/bench/gradient_bench" 2>/dev/null | sed -n '/ratio of each style/,$p'; }
project_file() { "$native/bench/project_file_bench" 2>/dev/null | sed -n '/ratios to the raw floor/,$p'; }
drag_step() { scripts/wine-session.sh wine "$win/bench/surface_bench.exe"; }
hover() { scripts/wine-session.sh wine "$win/bench/hover_bench.exe"; }

echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(. /etc/os-release && echo "$PRETTY_NAME"), $(wine --version 2>/dev/null)"
figure "exe size against 1 MiB and a 1x drive" exe_size
figure "player start against a bare window (Wine)" player_start
figure "hover change against a full panel repaint (Wine)" hover
figure "gradient, 1920 x 1080, each style against one solid fill" gradient
figure "project load and save against raw I/O" project_file
figure "design-surface drag step against one blit (Wine)" drag_step
exit $status
