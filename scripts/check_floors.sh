#!/usr/bin/env bash
# The program's folders stand on floors; a file may include its own folder
# and the floors below it, never one beside or above. Also fails when the
# include graph has a circle (a file's .h and .cpp counted as one).
# tests/, tools/ and bench/ stand above the house and are not checked.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2

# folder floor
floors='
resources 0
base 1
content 2
settings 2
text 3
calendar 4
search 5
index 5
fonts 5
output 5
app 6
'

# Includes allowed to run up or sideways, each with its reason:
#   "file included-file  reason"
allowed='
'

floor_of() { awk -v d="$1" '$1 == d { print $2 }' <<<"$floors"; }

fail=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
folders=$(awk 'NF { print $1 }' <<<"$floors")
for dir in $folders; do
  own=$(floor_of "$dir")
  for file in $(find "$dir" -name '*.cpp' -o -name '*.h' | sort); do
    # '#include "folder/name.h"', the form every project include takes
    while read -r inc; do
      [ -n "$inc" ] || continue
      to=${inc%%/*}
      [ "$to" = "$inc" ] && continue
      echo "${file%.*} ${inc%.*}" >>"$edges"
      [ "$to" = "$dir" ] && continue
      other=$(floor_of "$to")
      [ -n "$other" ] || continue
      if ((other >= own)); then
        if awk -v f="$file" -v i="$inc" '$1 == f && $2 == i { found = 1 } END { exit !found }' <<<"$allowed"; then
          continue
        fi
        echo "floors: $file (floor $own, $dir/) includes $inc (floor $other, $to/)"
        fail=1
      fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  done
done

# A file that includes itself (its .cpp its .h) is no circle.
awk '$1 != $2' "$edges" | sort -u >"$edges.pairs"
if ! tsort "$edges.pairs" >/dev/null 2>"$edges.loops"; then
  echo "floors: the includes run in a circle:"
  grep -v 'input contains a loop' "$edges.loops" | sed 's/^tsort: /  /'
  fail=1
fi
rm -f "$edges.pairs" "$edges.loops"

((fail)) || echo "floors: every include runs down a floor or stays in its folder; no circles"
exit $fail
