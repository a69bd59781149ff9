#!/usr/bin/env bash
# README command 2: set up, build both trees and run every test.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bash "$root/scripts/setup-tests.sh" || exit 1
bash "$root/scripts/build.sh" || exit 1

fail=0
for t in "$root"/tests/scripts/*.sh; do
  [ -e "$t" ] || continue
  echo "== $(basename "$t")"
  bash "$t" || { echo "FAILED: $t"; fail=1; }
done

echo "== native tests"
ctest --test-dir "$build/native" --output-on-failure || fail=1

echo "== Windows-side tests (Wine)"
export QUORIN_WINEPREFIX="$build/mingw/wineprefix"
ctest --test-dir "$build/mingw" --output-on-failure || fail=1

exit $fail
