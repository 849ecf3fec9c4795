#!/usr/bin/env bash
# Checks that every C++ file is laid out as .clang-format says: one check over
# all of them. Prints each file that is not, and "format: N passed, M failed".
set -uo pipefail
cd "$(dirname "$0")/.."
bad=0
while IFS= read -r -d '' file; do
  if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
    echo "FAIL  $file is not laid out as .clang-format says (run: clang-format -i $file)"
    bad=$((bad + 1))
  fi
done < <(git ls-files -z '*.cpp' '*.h')
if [ "$bad" -eq 0 ]; then echo "format: 1 passed, 0 failed"; else echo "format: 0 passed, 1 failed ($bad files)"; fi
[ "$bad" -eq 0 ]
