#!/usr/bin/env bash
# Under Wine only a folder link made on the Linux side shows as a reparse point: this makes a CD
# folder with a link back to its parent and one out of it, then runs the tests that read it.
# Usage: tests/win/linked_folder.sh WIN_TESTS WORK
set -euo pipefail
tests=$1 work=$2
rm -rf "$work"
mkdir -p "$work/cd/Media/Sub" "$work/outside"
echo "on the disc" > "$work/cd/Media/real.txt"
echo "not on the disc" > "$work/outside/elsewhere.txt"
ln -s .. "$work/cd/Media/Loop"
ln -s ../outside "$work/cd/Out"
# Wine maps the Unix root to drive Z:.
CORVELA_LINKED_DISC="Z:$(cd "$work/cd" && pwd | tr / '\\')" wine "$tests" --gtest_filter='CheckDiscLinks.*'
