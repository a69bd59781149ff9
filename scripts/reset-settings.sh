#!/usr/bin/env bash
# Forgets Quorin's settings and bookmarks: deletes its registry key in the
# launcher's Wine prefix (QUORIN_WINEPREFIX, or ~/.local/share/quorin/wineprefix).
# The reader writes its settings when it closes, so it must not be running.
set -euo pipefail
export WINEPREFIX=${QUORIN_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/quorin/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
key='HKCU\Software\Lumivex\Quorin-3-Chapter-Hebrew'
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "reset-settings: no prefix at $WINEPREFIX; nothing to reset"
  exit 0
fi
for pid in $(pgrep -f 'quorin\.exe' || true); do
  if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
    echo "reset-settings: Quorin is running in $WINEPREFIX; close it first" >&2
    exit 1
  fi
done
if wine reg query "$key" >/dev/null 2>&1; then
  wine reg delete "$key" /f >/dev/null 2>&1
  echo "reset-settings: settings and bookmarks removed; the next start is a first start"
else
  echo "reset-settings: no settings stored yet"
fi
