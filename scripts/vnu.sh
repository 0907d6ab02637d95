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
  # The registry may drop a connection now and then: a few tries before giving up.
  for try in 1 2 3; do
    npm install --prefix "$dir" --no-audit --no-fund --silent vnu-jar >"$dir/install.log" 2>&1 && break
    [ "$try" -eq 3 ] && { cat "$dir/install.log" >&2; exit 2; }
    sleep 5
  done
fi
exec java -jar "$jar" --errors-only "$@"
