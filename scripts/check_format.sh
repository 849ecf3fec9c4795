#!/usr/bin/env bash
# Checks that every C++ file is laid out as .clang-format says. Prints the files
# that are not, and "format: N passed, M failed" (one check a file).
set -uo pipefail
cd "$(dirname "$0")/.."
passed=0; failed=0
while IFS= read -r -d '' file; do
  if clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
    passed=$((passed + 1))
  else
    echo "FAIL  $file is not laid out as .clang-format says (run: clang-format -i $file)"
    failed=$((failed + 1))
  fi
done < <(git ls-files -z '*.cpp' '*.h')
echo "format: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
