#!/usr/bin/env bash
# quorin-cli search with --any-spelling and --whole-words: the other spelling
# found and shown as the lesson has it, pointed patterns, whole words, the
# flags in any order, refusals.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cli=${QUORIN_CLI:-${BUILD_DIR:-$root/build}/native/quorin-cli}
if [ ! -x "$cli" ]; then
  echo "cli_search: FAILED, no quorin-cli at $cli"
  exit 1
fi
fail=0
bad() { echo "cli_search: FAILED $*"; fail=1; }
# The found texts (the hit line's last field on), one a line, counted.
texts() { sed -n 's/^lesson [0-9]* offset [0-9]* length [0-9]* day -\{0,1\}[0-9]* //p' | sort | uniq -c | awk '{$1=$1; print}'; }

# "במקם" is never written so; the work writes "במקום".
out=$("$cli" search במקם --from 1); rc=$?
[ $rc = 1 ] && [ "$out" = "Not Found!" ] || bad "exact search for a spelling the work never uses: $rc '$out'"
any=$("$cli" search במקם --any-spelling --from 1) || bad "--any-spelling exit code"
full=$("$cli" search במקום --from 1) || bad "exact search for the work's spelling"
# Every hit of the work's own spelling, shown as the lesson has it (length
# 5, the text's word); a final mem also stands for the plain one (במקומות).
grep ' length 5 .* במקום$' <<<"$any" | cmp -s - <(grep -v ' hits$' <<<"$full") ||
  bad "--any-spelling does not show each hit of the text's own word as it stands"

# Both ways round, as whole words: the full spelling finds the defective
# one and the defective the full, each as often as the exact search does.
full_n=$("$cli" search מצווה --whole-words --from 1 | tail -n 1)
short_n=$("$cli" search מצוה --whole-words --from 1 | tail -n 1)
one=$("$cli" search מצווה --any-spelling --whole-words --from 1 | texts)
other=$("$cli" search מצוה --whole-words --any-spelling --from 1 | texts)
[ "$one" = "$other" ] && grep -qx "${full_n% hits} מצווה" <<<"$one" && grep -qx "${short_n% hits} מצוה" <<<"$one" ||
  bad "מצווה/מצוה both ways: '$one' against $full_n and $short_n"

# Whole words leave out the words it is part of.
n_all=$("$cli" search מצוה --from 1 | tail -n 1)
n_whole=$("$cli" search מצוה --from 1 --whole-words | tail -n 1)
[ "${n_whole% hits}" -lt "${n_all% hits}" ] || bad "--whole-words $n_whole against $n_all"

# Pointed text as a pattern: only with --any-spelling, which passes over the points.
"$cli" search "בְּמָקוֹם" --from 1 >/dev/null 2>&1
[ $? = 2 ] || bad "a pointed pattern without --any-spelling is not refused"
pointed=$("$cli" search "בְּמָקוֹם" --any-spelling --from 1) || bad "a pointed pattern with --any-spelling"
[ "$pointed" = "$any" ] || bad "the pointed pattern finds other hits than the plain one"

for args in "search" "search במקם --any-spelling --from 0" "search במקם --anyspelling" "search במקם --whole-words x"; do
  $cli $args >/dev/null 2>&1
  rc=$?
  [ $rc = 2 ] || bad "'$args' exits $rc, not 2"
done
help=$("$cli" --help)
for c in --any-spelling --whole-words; do
  grep -q -- "$c" <<<"$help" || bad "--help does not mention $c"
done

[ $fail = 0 ] && echo "cli_search: both spellings, pointed patterns, whole words and refusals as expected"
exit $fail
