#!/usr/bin/env bash
# Player start benchmark: the published demo disc's AutoRun.exe from process start to its first
# complete paint, against bare_window.exe, both under Wine in the same run. Prints both medians
# and the ratio; never fails a build.
# Usage: bench/player_start.sh [BUILD_DIR [RUNS]]     (default build/windows, 7 runs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
runs=${2:-7}
cmake --build "$build" --target Corvela demo_cd bare_window player_start_bench >/dev/null
work=$(mktemp -d /tmp/corvela-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp -r "$build/examples/demo" "$work/cd"
cp "$build/Corvela.exe" "$work/cd/AutoRun.exe"
cp "$build/bench/bare_window.exe" "$build/bench/player_start_bench.exe" "$work/"
"$root/scripts/wine-session.sh" bash -c '
  wine "$1/player_start_bench.exe" "$(winepath -w "$1/cd/AutoRun.exe")" "$(winepath -w "$1/bare_window.exe")" "$2" \
    2>"$1/err" || { cat "$1/err" >&2; exit 1; }' bench "$work" "$runs"
