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

echo "== the lesson decoder's portable path"
if bash "$root/scripts/build.sh" portable; then
  ctest --test-dir "$build/portable" --output-on-failure || fail=1
else
  fail=1
fi

echo "== Windows-side tests (Wine)"
# A display and Wine servers of this run's own, ended however the run ends.
. "$root/scripts/wine-env.sh"
export QUORIN_WINEPREFIX="$build/mingw/wineprefix"
wine_prefixes=("$QUORIN_WINEPREFIX")
quorin_xvfb=
end_wine() {
  for p in "${wine_prefixes[@]}"; do WINEPREFIX=$p wineserver -k >/dev/null 2>&1; done
  [ -n "$quorin_xvfb" ] && kill "$quorin_xvfb" 2>/dev/null
  return 0
}
trap end_wine EXIT
trap 'exit 1' INT TERM HUP
unset DISPLAY
if quorin_own_display "${QUORIN_DISPLAY:-97}"; then
  ctest --test-dir "$build/mingw" --output-on-failure || fail=1
else
  fail=1
fi

exit $fail
