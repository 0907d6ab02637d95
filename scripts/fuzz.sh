#!/usr/bin/env bash
# Builds the project file fuzzer with clang and runs one campaign.
# Usage: scripts/fuzz.sh SECONDS [more libFuzzer flags...]
# FUZZ_BUILD_DIR picks the build directory (default build/fuzz). The growing corpus and any
# crashing inputs stay in that directory; the seeds in fuzz/corpus are only read.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: scripts/fuzz.sh SECONDS [libFuzzer flags...]}
shift
build=${FUZZ_BUILD_DIR:-$root/build/fuzz}
case "$build" in /*) ;; *) build="$root/$build" ;; esac

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >"$build.configure.log" 2>&1 ||
    { cat "$build.configure.log"; exit 1; }
fi
cmake --build "$build" --target project_fuzzer -j 2

mkdir -p "$build/corpus" "$build/artifacts"
"$build/fuzz/project_fuzzer" -max_total_time="$seconds" -max_len=4096 -dict="$root/fuzz/mnx.dict" \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$@" "$build/corpus" "$root/fuzz/corpus"
