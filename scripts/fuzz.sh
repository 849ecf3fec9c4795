#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for ULMAR_FUZZ_SECONDS (default 60)
# from its committed seed corpus. Prints one line per target and, last,
# "fuzz: N passed, M failed"; any crash, leak or sanitizer finding fails it.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${ULMAR_FUZZ_SECONDS:-60}
cmake --preset fuzz >/dev/null && cmake --build build/fuzz -j"$(nproc)" >/dev/null || { echo "fuzz: 0 passed, 1 failed"; exit 1; }
passed=0; failed=0
for target in build/fuzz/tests/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target"); seeds=tests/fuzz/corpus/${name#fuzz_}
  work=build/fuzz/work/$name; mkdir -p "$work/corpus" "$seeds"
  log=build/fuzz/work/$name.log
  if (cd "$work" && "$OLDPWD/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
        -print_final_stats=1 corpus "$OLDPWD/$seeds" >"$OLDPWD/$log" 2>&1); then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    echo "ok    $name: ${runs:-?} executions in ${seconds}s, no finding"
    passed=$((passed + 1))
  else
    echo "FAIL  $name: finding, see $log"; tail -30 "$log" | sed 's/^/      /'
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
