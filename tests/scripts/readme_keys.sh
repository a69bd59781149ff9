#!/usr/bin/env bash
# The README's keyboard and mouse reference matches the program's tables,
# and the check notices when a table changes under it.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
fail=0
bad() { echo "readme_keys: FAILED $*"; fail=1; }

python3 "$root/scripts/gen_keys.py" --check || bad "README.md's key block is stale"

# A copy of the tree's inputs, with one accelerator changed.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for f in README.md scripts/gen_keys.py resources/menu.rc app/main_window.cpp app/toolbar_win.cpp \
         calendar/calendar_dialog.cpp search/search_entry.cpp; do
  mkdir -p "$tmp/$(dirname "$f")" && cp "$root/$f" "$tmp/$f"
done
sed -i 's/^  "F", IDM_FONT,/  "G", IDM_FONT,/' "$tmp/resources/menu.rc"
grep -q '"G", IDM_FONT' "$tmp/resources/menu.rc" || bad "could not change the Font accelerator in the copy"
python3 "$tmp/scripts/gen_keys.py" --check >/dev/null && bad "a changed accelerator went unnoticed"
python3 "$tmp/scripts/gen_keys.py" || bad "regenerating failed"
grep -q '| Ctrl+G | Font |' "$tmp/README.md" || bad "the regenerated block lacks Ctrl+G for Font"
python3 "$tmp/scripts/gen_keys.py" --check || bad "the regenerated block is not current"

for k in 'Ctrl+F' 'Page Down' 'Right arrow' 'Wheel' '`a` ש' 'Alt+Page Up'; do
  grep -qF "$k" "$root/README.md" || bad "README.md lacks $k"
done
[ $fail = 0 ] && echo "readme_keys: the key reference is current and follows the tables"
exit $fail
