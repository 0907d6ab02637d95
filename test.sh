#!/usr/bin/env bash
# Builds every configuration and runs every test tier: core (native), core under
# AddressSanitizer + UBSan, the Windows tiers (win, e2e) under Wine on a virtual display, and the
# slow tier CI runs besides (the fuzz targets' fixed runs, the 4 GiB image).
# Usage: ./test.sh            all tiers, as CI runs them
#        ./test.sh core|sanitize|win|e2e|slow ...   only those tiers (the builds they need are made)
set -uo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh || { echo "installing packages failed" >&2; exit 1; }

tiers=("$@")
[ ${#tiers[@]} -eq 0 ] && tiers=(core sanitize win e2e slow)
want() { local t; for t in "${tiers[@]}"; do [ "$t" = "$1" ] && return 0; done; return 1; }

builds=()
want core && builds+=(native)
want sanitize && builds+=(sanitize)
{ want win || want e2e; } && builds+=(windows)
# The e2e and slow tiers drive the mnx tool built natively.
{ want e2e || want slow; } && ! want core && builds+=(native)
want slow && builds+=(fuzz)
scripts/build.sh "${builds[@]}" || { echo "BUILD FAILED" >&2; exit 1; }

declare -A result
overall=0
run_tier() {  # name, command...
  local name=$1; shift
  echo "==== $name"
  if "$@"; then result[$name]=passed; else result[$name]=FAILED; overall=1; fi
}

want core && run_tier core ctest --test-dir build/native --output-on-failure -j "$(nproc)" --timeout 120 -LE slow
want sanitize && run_tier sanitize build/sanitize/core_tests --gtest_brief=1
if want win; then
  run_tier win scripts/wine-session.sh ctest --test-dir build/windows --output-on-failure -L win --timeout 180
fi
if want e2e; then
  run_tier e2e scripts/wine-session.sh ctest --test-dir build/windows --output-on-failure -L e2e --timeout 300
fi

if want slow; then
  slow() {
    local rc=0
    ctest --test-dir build/native --output-on-failure -L slow || rc=1
    ctest --test-dir build/fuzz --output-on-failure -L slow || rc=1
    return $rc
  }
  run_tier slow slow
fi

echo
echo "==== summary"
for t in "${tiers[@]}"; do printf '  %-9s %s\n' "$t" "${result[$t]:-not run}"; done
[ $overall -eq 0 ] && echo "ALL PASSED" || echo "SOME TIERS FAILED"
exit $overall
