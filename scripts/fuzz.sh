#!/usr/bin/env bash
# Builds a fuzz target with clang and runs one campaign on it.
# Usage: scripts/fuzz.sh SECONDS [project|clipboard] [more libFuzzer flags...]
#   project    the project file reader (the default)
#   clipboard  Paste's reader of the clipboard records
# FUZZ_BUILD_DIR picks the build directory (default build/fuzz). The growing corpus and any
# crashing inputs stay in that directory; the seeds in fuzz/ are only read.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: scripts/fuzz.sh SECONDS [project|clipboard] [libFuzzer flags...]}
shift
target=project
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then target=$1; shift; fi
case "$target" in
  project) seeds=corpus dict=mnx.dict corpus=corpus ;;
  clipboard) seeds=clipboard-corpus dict=clipboard.dict corpus=corpus-clipboard ;;
  *) echo "unknown fuzz target: $target (project or clipboard)" >&2; exit 2 ;;
esac
build=${FUZZ_BUILD_DIR:-$root/build/fuzz}
case "$build" in /*) ;; *) build="$root/$build" ;; esac

FUZZ_BUILD_DIR=$build "$root/scripts/build.sh" "fuzz=${target}_fuzzer"

mkdir -p "$build/$corpus" "$build/artifacts"
"$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -max_len=4096 -dict="$root/fuzz/$dict" \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$@" "$build/$corpus" "$root/fuzz/$seeds"
