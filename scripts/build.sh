#!/usr/bin/env bash
# Builds the native core with its tests (AddressSanitizer + UBSan) and the
# Windows program with its test driver, its installer and its portable ZIP.
# Usage: scripts/build.sh [native|win|all]
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-all}
jobs=$(nproc 2>/dev/null || echo 2)
if [ "$what" = native ] || [ "$what" = all ]; then
  cmake --preset native >/dev/null
  cmake --build build/native -j"$jobs"
fi
if [ "$what" = win ] || [ "$what" = all ]; then
  cmake --preset win >/dev/null
  cmake --build build/win -j"$jobs"
  cmake --build build/win --target package >/dev/null
fi
