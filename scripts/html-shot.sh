#!/usr/bin/env bash
# Draws an HTML page with headless Chromium into a PNG, as a browser window
# of 900 x 1200 pixels shows its top.
#   scripts/html-shot.sh PAGE.html OUT.png
set -uo pipefail
page=$(realpath "$1")
out=$(realpath -m "$2")
rm -f "$out"
# As root Chromium runs only without its sandbox; a profile of its own keeps
# it from meeting another Chromium's.
profile=$(mktemp -d)
timeout 120 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$profile" \
  --window-size=900,1200 --screenshot="$out" "file://$page" >/dev/null 2>&1
rm -rf "$profile"
[ -s "$out" ]
