#!/usr/bin/env bash
# quorin-cli today/lesson in the reading layout: today's line first, lines
# within the width in characters, refusals, and a help that names everything.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cli=${QUORIN_CLI:-${BUILD_DIR:-$root/build}/native/quorin-cli}
if [ ! -x "$cli" ]; then
  echo "cli_reading: FAILED, no quorin-cli at $cli"
  exit 1
fi
fail=0
bad() { echo "cli_reading: FAILED $*"; fail=1; }
# The longest line in characters (not bytes) of standard input.
widest() { python3 -c 'import sys; print(max((len(l.rstrip("\n")) for l in sys.stdin.buffer.read().decode("utf-8").splitlines(True)), default=0))'; }

out=$("$cli" today --width 50) || bad "today exit code"
first=$(head -n 1 <<<"$out")
[ "$first" = "$("$cli" day "${first%% *}")" ] || bad "today's first line is not day ${first%% *}: '$first'"
lesson=$(sed -n 's/.* lesson \([0-9]*\) .*/\1/p' <<<"$first")
[ "$(tail -n +3 <<<"$out")" = "$("$cli" lesson "$lesson" --width 50)" ] || bad "today's text is not lesson $lesson"
grep -q '^ *== .* ==$' <<<"$out" || bad "today has no marked heading"

for w in 20 50 132; do
  got=$("$cli" lesson 100 --width "$w" | widest)
  [ "$got" -le "$w" ] || bad "lesson 100 --width $w has a line of $got characters"
done
got=$(COLUMNS=44 "$cli" lesson 7 | widest)
[ "$got" -le 44 ] && [ "$got" -ge 30 ] || bad "COLUMNS=44 gave lines up to $got characters"
got=$(env -u COLUMNS "$cli" lesson 7 | widest)
[ "$got" -le 80 ] && [ "$got" -ge 60 ] || bad "default width gave lines up to $got characters"
"$cli" lesson 7 --raw | cmp -s - <("$cli" lesson 7 --width 30 --raw) || bad "--raw depends on the width"

for args in "lesson 0" "lesson 340" "lesson 400" "lesson 5 --width" "lesson 5 --width 10" "lesson 5 --width x" \
            "lesson 5 extra" "lesson 5 --raw --html" "today --width 0" "today --width 30 more" "today --html x"; do
  $cli $args >/dev/null 2>&1
  rc=$?
  [ $rc = 2 ] || bad "'$args' exits $rc, not 2"
done

help=$("$cli" --help) || bad "--help exit code"
for c in today day lesson index search export --width --raw --html --from --days; do
  grep -q -- "$c" <<<"$help" || bad "--help does not mention $c"
done

[ $fail = 0 ] && echo "cli_reading: today, lesson widths, refusals and help as expected"
exit $fail
