#!/usr/bin/env bash
# quorin-cli day/today: the one-line answer and the refusals.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cli=${QUORIN_CLI:-${BUILD_DIR:-$root/build}/native/quorin-cli}
if [ ! -x "$cli" ]; then
  echo "cli_day: FAILED, no quorin-cli at $cli"
  exit 1
fi
fail=0
check() {  # expected actual what
  if [ "$1" != "$2" ]; then echo "cli_day: FAILED $3: got '$2', expected '$1'"; fail=1; fi
}

check "732737 2007-3-2 5767-12-12 lesson 207 יב אדר ה'תשסז" "$("$cli" day 732737)" "day 732737"
check "732531 2006-8-8 5766-5-14 lesson 1 יד אב ה'תשסו" "$("$cli" day 732531)" "day 732531"
# The one-chapter track began with the three-chapter one; 1,017 days a cycle.
check "724395 1984-4-29 5744-1-27 portion 1 כז ניסן ה'תשמד" "$("$cli" day 724395 --track 1)" "day 724395 --track 1"
check "732737 2007-3-2 5767-12-12 portion 207 יב אדר ה'תשסז" "$("$cli" day --track 1 732737)" "day 732737 --track 1"
check "$("$cli" day 732737)" "$("$cli" day 732737 --track 3)" "--track 3 is the default"
check "318736 873-9-1 4634-7-2 lesson 125 ב תשרי ד'תרלד" "$("$cli" day 318736)" "first supported day"

err=$(mktemp)
trap 'rm -f "$err"' EXIT
for args in "day" "day 318735" "day 2473908" "day 12x" "day -5" "day 732737 1" "day ''" "today now" \
  "day 732737 --track 2" "day 732737 --track" "portion 0" "portion 1018" "portion 5 --raw --html" "today --track x"; do
  eval "\"\$cli\" $args" >/dev/null 2>"$err"
  rc=$?
  check 2 "$rc" "exit code of '$args'"
  check 1 "$(wc -l <"$err")" "stderr lines of '$args'"
done

line=$("$cli" today | sed -n 1p)
check 0 $? "exit code of today"
abs=${line%% *}
check "$("$cli" day "$abs")" "$line" "today against day $abs"

line=$("$cli" today --track 1 | sed -n 1p)
abs=${line%% *}
check "$("$cli" day "$abs" --track 1)" "$line" "today --track 1 against day $abs --track 1"
portion=$(echo "$line" | cut -d' ' -f5)
check "$("$cli" portion "$portion" --width 60)" "$("$cli" today --track 1 --width 60 | sed 1,2d)" "today's portion"

[ $fail = 0 ] && echo "cli_day: day and today answer as expected"
exit $fail
