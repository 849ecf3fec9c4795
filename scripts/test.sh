#!/usr/bin/env bash
# Builds what the chosen stages need and runs them: `unit` (the native unit
# tests with AddressSanitizer and UBSan), `e2e` (the end-to-end scenarios under
# Wine) and `fuzz` (each fuzz target for ULMAR_FUZZ_SECONDS, default 60).
# Without arguments every stage runs, in that order, as CI does.
# Ends with one line: N passed, M failed.
# The unit stage also runs scripts/check_cycles.py (its three checks count as
# tests) and scripts/check_format.sh (one check: every C++ file as .clang-format says).
# Usage: scripts/test.sh [unit] [e2e] [fuzz]
set -uo pipefail
cd "$(dirname "$0")/.."
stages=${*:-unit e2e fuzz}
for stage in $stages; do
  case $stage in unit|e2e|fuzz) ;; *) echo "unknown stage: $stage (unit, e2e, fuzz)"; exit 2 ;; esac
done
has() { [[ " $stages " == *" $1 "* ]]; }
scripts/setup.sh || exit 1
if has unit; then scripts/build.sh native || { echo "0 passed, 1 failed"; exit 1; }; fi
if has e2e; then scripts/build.sh win || { echo "0 passed, 1 failed"; exit 1; }; fi
mkdir -p build/results
passed=0; failed=0

if has unit; then
  echo "== unit tests"
  build/native/tests/unit/ulmar_unit_tests --gtest_brief=1 --gtest_output=json:build/results/unit.json
  read -r up uf < <(python3 scripts/count_gtest.py build/results/unit.json)
  passed=$((passed + up)); failed=$((failed + uf))
  echo "== include cycles between modules and between folders"
  python3 scripts/check_cycles.py --self-test | tee build/results/cycles.txt
  passed=$((passed + $(grep -c ' passed$' build/results/cycles.txt)))
  failed=$((failed + $(grep -c ' failed$' build/results/cycles.txt)))
  echo "== layout of the C++ files (.clang-format)"
  scripts/check_format.sh | tee build/results/format.txt
  read -r fp ff < <(sed -n 's/^format: \([0-9]*\) passed, \([0-9]*\) failed.*$/\1 \2/p' build/results/format.txt | tail -1)
  passed=$((passed + ${fp:-0})); failed=$((failed + ${ff:-1}))
fi

if has e2e; then
  echo "== end-to-end tests under Wine"
  python3 tests/e2e/run.py | tee build/results/e2e.txt
  read -r ep ef < <(sed -n 's/^e2e: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' build/results/e2e.txt | tail -1)
  passed=$((passed + ${ep:-0})); failed=$((failed + ${ef:-1}))
fi

if has fuzz; then
  echo "== fuzzing (${ULMAR_FUZZ_SECONDS:-60} s a target)"
  scripts/fuzz.sh | tee build/results/fuzz.txt
  read -r fp ff < <(sed -n 's/^fuzz: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' build/results/fuzz.txt | tail -1)
  passed=$((passed + ${fp:-0})); failed=$((failed + ${ff:-1}))
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
