#!/usr/bin/env bash
# Configures and builds the tiers: native, native with sanitizers, Windows (MinGW-w64), and the
# fuzz targets (clang, in FUZZ_BUILD_DIR, default build/fuzz).
# Usage: scripts/build.sh [native|sanitize|windows|fuzz]...   (default: the first three)
#        a tier as TIER=target1,target2 builds only those targets of it
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)
tiers=("$@")
[ ${#tiers[@]} -eq 0 ] && tiers=(native sanitize windows)

configure() {  # dir, extra args...
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
  fi
}

mkdir -p build
for entry in "${tiers[@]}"; do
  tier=${entry%%=*}
  targets=()
  [ "$entry" != "$tier" ] && IFS=, read -ra targets <<<"${entry#*=}"
  only=()
  [ ${#targets[@]} -gt 0 ] && only=(--target "${targets[@]}")
  case "$tier" in
    native)
      configure build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo
      cmake --build build/native -j "$jobs" "${only[@]}" ;;
    sanitize)
      configure build/sanitize -DCMAKE_BUILD_TYPE=Debug -DCORVELA_SANITIZE=ON
      cmake --build build/sanitize -j "$jobs" --target "${targets[@]:-core_tests}" ;;
    fuzz)
      fuzzdir=${FUZZ_BUILD_DIR:-build/fuzz}
      # A tree made before it held the fuzz targets alone is configured again, its corpus kept.
      grep -qs '^CORVELA_FUZZ:BOOL=ON' "$fuzzdir/CMakeCache.txt" || rm -f "$fuzzdir/build.ninja"
      configure "$fuzzdir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCORVELA_FUZZ=ON
      cmake --build "$fuzzdir" -j "$jobs" "${only[@]}" ;;
    windows)
      scripts/build-libarchive.sh
      configure build/windows -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
      cmake --build build/windows -j "$jobs" "${only[@]}" ;;
    *) echo "unknown tier: $tier" >&2; exit 2 ;;
  esac
done
