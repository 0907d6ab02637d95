#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent and quiet
# when everything is already there.
set -euo pipefail

# libclang-rt-dev holds libFuzzer and the sanitizers' runtimes, which clang only recommends.
packages=(
  cmake ninja-build g++ clang libclang-rt-dev googletest libgtest-dev libbenchmark-dev nlohmann-json3-dev
  mingw-w64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth imagemagick xdotool x11-utils x11-xserver-utils python3
  libarchive-dev dpkg-dev xorriso python3-pycdlib
  fonts-wqy-microhei osslsigncode openssl
  chromium default-jre-headless
)
# The HTML checker comes from npm (scripts/vnu.sh); a machine with its own npm keeps it.
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
if ! { $SUDO apt-get update -qq && $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  cat "$log" >&2
  rm -f "$log"
  exit 1
fi
rm -f "$log"
