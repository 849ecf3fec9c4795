#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (with
# AddressSanitizer and UBSan), the end-to-end scenarios under Wine, and the
# fuzz targets for ULMAR_FUZZ_SECONDS each (default 60).
# Ends with one line: N passed, M failed.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1
scripts/build.sh all || { echo "0 passed, 1 failed"; exit 1; }
mkdir -p build/results
passed=0; failed=0

echo "== unit tests"
build/native/tests/unit/ulmar_unit_tests --gtest_brief=1 --gtest_output=json:build/results/unit.json
read -r up uf < <(python3 scripts/count_gtest.py build/results/unit.json)
passed=$((passed + up)); failed=$((failed + uf))

echo "== end-to-end tests under Wine"
python3 tests/e2e/run.py | tee build/results/e2e.txt
read -r ep ef < <(sed -n 's/^e2e: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' build/results/e2e.txt | tail -1)
passed=$((passed + ${ep:-0})); failed=$((failed + ${ef:-1}))

echo "== fuzzing (${ULMAR_FUZZ_SECONDS:-60} s a target)"
scripts/fuzz.sh | tee build/results/fuzz.txt
read -r fp ff < <(sed -n 's/^fuzz: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' build/results/fuzz.txt | tail -1)
passed=$((passed + ${fp:-0})); failed=$((failed + ${ff:-1}))

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
