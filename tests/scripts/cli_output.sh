#!/usr/bin/env bash
# quorin-cli's writing: an export writes the file it is given (its mode
# kept, through a link to a regular file, anything else refused, long names
# taken) and leaves nothing beside it when stopped; output that does not
# arrive (a full disk, a closed pipe) is an error, exit code 2 with a word.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cli=${QUORIN_CLI:-${BUILD_DIR:-$root/build}/native/quorin-cli}
if [ ! -x "$cli" ]; then
  echo "cli_output: FAILED, no quorin-cli at $cli"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
bad() { echo "cli_output: FAILED $*"; fail=1; }
export_to() { "$cli" export epub "$1" --from 2026-12-08 --days 2; }
# Nothing in the folder but what the test put there.
only() {
  local got
  got=$(cd "$work/$1" && ls -A | sort | tr '\n' ' ')
  [ "$got" = "$2" ] || bad "$3: the folder holds '$got'"
}

mkdir "$work/mode" && cd "$work/mode" || exit 1
echo old >book.epub
chmod 600 book.epub
export_to book.epub || bad "export over a file failed"
[ "$(stat -c %a book.epub)" = 600 ] || bad "the book's mode became $(stat -c %a book.epub), not 600"
[ "$(head -c 2 book.epub)" = PK ] || bad "the book was not written"

mkdir "$work/link" && cd "$work/link" || exit 1
echo old >real.epub
ln -s real.epub book.epub
export_to book.epub || bad "export through a link failed"
[ -L book.epub ] && [ "$(head -c 2 real.epub)" = PK ] || bad "the link was replaced instead of followed"
ln -s nowhere.epub dangling.epub
mkfifo fifo.epub
mkdir folder.epub
for t in dangling.epub fifo.epub folder.epub /dev/null; do
  timeout 20 "$cli" export epub "$t" --days 2 2>"$work/refused.err"
  [ $? = 2 ] || bad "export to $t was not refused with 2"
  [ -s "$work/refused.err" ] || bad "export to $t was refused without a word"
done
[ -p fifo.epub ] && [ -L dangling.epub ] && [ ! -e nowhere.epub ] || bad "a refused target was changed"
only link "book.epub dangling.epub fifo.epub folder.epub real.epub " "after refusals"

# 255 bytes, the most a name may have, mostly two-byte letters.
mkdir "$work/long" && cd "$work/long" || exit 1
long=$(printf 'ש%.0s' $(seq 124))xy.epub
[ "$(printf %s "$long" | wc -c)" = 255 ] || bad "the long name is $(printf %s "$long" | wc -c) bytes"
export_to "$long" || bad "a name of 255 bytes was refused"
only long "$long " "after a long name"

# Stopped by a file-size limit: nothing left but the old book.
mkdir "$work/limit" && cd "$work/limit" || exit 1
echo old >book.epub
(ulimit -f 8 && export_to book.epub) 2>"$work/limit.err"
[ $? = 2 ] || bad "a file-size limit did not end the export with 2"
[ "$(cat book.epub)" = old ] || bad "a file-size limit changed the old book"
only limit "book.epub " "after a file-size limit"
cd "$work" || exit 1

# Output that cannot be written.
for args in "lesson 100 --html" "today --html" "lesson 100" "today" "search ש?ם" "search זזזזזזזז" "index" "day 740000" "lesson 7 --raw"; do
  $cli $args >/dev/full 2>"$work/full.err"
  rc=$?
  [ $rc = 2 ] || bad "'$args' to a full disk ended with $rc"
  grep -q 'could not be written' "$work/full.err" || bad "'$args' to a full disk said: $(cat "$work/full.err")"
done
# A reader gone (a search prints far more than a pipe holds): the walk stops
# and says so, whatever SIGPIPE was set to.
(trap '' PIPE; "$cli" search 'ש?ם' 2>"$work/pipe.err" | head -c 1 >/dev/null; echo "${PIPESTATUS[0]}" >"$work/pipe.rc")
[ "$(cat "$work/pipe.rc")" = 2 ] || bad "a search to a closed pipe ended with $(cat "$work/pipe.rc")"
grep -q 'could not be written' "$work/pipe.err" || bad "a search to a closed pipe said: $(cat "$work/pipe.err")"

[ $fail = 0 ] && echo "cli_output: modes kept, links followed, odd targets refused, long names and size limits handled, failed output exits 2"
exit $fail
