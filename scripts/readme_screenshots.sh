#!/usr/bin/env bash
# Refreshes the README's pictures in docs/screenshots from scripts/screenshot.sh
# (which needs a built Windows tree; BUILD_DIR or QUORIN_EXE as it reads them)
# and quorin-cli's HTML page drawn by Chromium (scripts/html-shot.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
OUT=$shots bash "$root/scripts/screenshot.sh" >/dev/null
mkdir -p "$root/docs/screenshots"
for name in main-today main-lesson-100-rule search-hit search-any-spelling search-any-spelling-hit section-chooser \
            calendar-dialog font-dialog main-one-chapter main-night main-sepia main-learned calendar-learned \
            calendar-keyboard; do
  [ -f "$shots/$name.png" ] || { echo "readme_screenshots: screenshot.sh made no $name.png" >&2; exit 1; }
  cp "$shots/$name.png" "$root/docs/screenshots/$name.png"
done
# quorin-cli today --html as a browser draws it.
cli=${QUORIN_CLI:-${BUILD_DIR:-$root/build}/native/quorin-cli}
"$cli" today --html >"$shots/today.html"
bash "$root/scripts/html-shot.sh" "$shots/today.html" "$root/docs/screenshots/cli-today-html.png" ||
  { echo "readme_screenshots: chromium drew no cli-today-html.png" >&2; exit 1; }
echo "readme_screenshots: docs/screenshots updated"
