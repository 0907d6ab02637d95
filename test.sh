#!/usr/bin/env bash
# Builds every configuration and runs every test tier: core (native), core under
# AddressSanitizer + UBSan, and the Windows tiers (win, e2e) under Wine on a virtual display.
# Usage: ./test.sh            all tiers
#        ./test.sh core|sanitize|win|e2e ...   only those tiers (the builds they need are made)
set -uo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh || { echo "installing packages failed" >&2; exit 1; }

tiers=("$@")
[ ${#tiers[@]} -eq 0 ] && tiers=(core sanitize win e2e)
want() { local t; for t in "${tiers[@]}"; do [ "$t" = "$1" ] && return 0; done; return 1; }

builds=()
want core && builds+=(native)
want sanitize && builds+=(sanitize)
{ want win || want e2e; } && builds+=(windows)
# The e2e tier drives the mnx tool built natively.
want e2e && ! want core && builds+=(native)
scripts/build.sh "${builds[@]}" || { echo "BUILD FAILED" >&2; exit 1; }

declare -A result
overall=0
run_tier() {  # name, command...
  local name=$1; shift
  echo "==== $name"
  if "$@"; then result[$name]=passed; else result[$name]=FAILED; overall=1; fi
}

want core && run_tier core ctest --test-dir build/native --output-on-failure -j "$(nproc)" --timeout 120
want sanitize && run_tier sanitize build/sanitize/core_tests --gtest_brief=1
if want win; then
  run_tier win scripts/wine-session.sh ctest --test-dir build/windows --output-on-failure -L win --timeout 180
fi
if want e2e; then
  run_tier e2e scripts/wine-session.sh ctest --test-dir build/windows --output-on-failure -L e2e --timeout 300
fi

echo
echo "==== summary"
for t in "${tiers[@]}"; do printf '  %-9s %s\n' "$t" "${result[$t]:-not run}"; done
[ $overall -eq 0 ] && echo "ALL PASSED" || echo "SOME TIERS FAILED"
exit $overall
