#!/usr/bin/env bash
# The Nu HTML checker on the files given: errors only, exit 1 when it finds any. The checker comes
# from npm (vnu-jar) the first time and is kept under build/vnu; it runs on Debian's Java.
# Usage: scripts/vnu.sh FILE.html...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/vnu"
jar="$dir/node_modules/vnu-jar/build/dist/vnu.jar"
if [ ! -f "$jar" ]; then
  mkdir -p "$dir"
  npm install --prefix "$dir" --no-audit --no-fund --silent vnu-jar >"$dir/install.log" 2>&1 ||
    { cat "$dir/install.log" >&2; exit 2; }
fi
exec java -jar "$jar" --errors-only "$@"
