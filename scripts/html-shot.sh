#!/usr/bin/env bash
# Draws an HTML page with headless Chromium, as a browser window of 900 x 1200
# pixels shows it: into a PNG of its top, or (--dom) the page's document
# after its scripts ran, as HTML.
#   scripts/html-shot.sh PAGE.html OUT.png
#   scripts/html-shot.sh --dom PAGE.html OUT.html
set -uo pipefail
dom=
if [ "${1:-}" = --dom ]; then dom=1; shift; fi
page=$(realpath "$1")
out=$(realpath -m "$2")
rm -f "$out"
# As root Chromium runs only without its sandbox; a profile of its own keeps
# it from meeting another Chromium's.
profile=$(mktemp -d)
args=(--headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$profile" --window-size=900,1200)
if [ -n "$dom" ]; then
  timeout 120 chromium "${args[@]}" --dump-dom "file://$page" >"$out" 2>/dev/null
else
  timeout 120 chromium "${args[@]}" --screenshot="$out" "file://$page" >/dev/null 2>&1
fi
rm -rf "$profile"
[ -s "$out" ]
