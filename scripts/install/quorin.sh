#!/usr/bin/env bash
# quorin: starts the reader under Wine in a prefix of its own (never the
# user's default one). The first start creates the prefix silently; a start
# while the reader runs hands over to the running copy (the program does
# that itself, in the same prefix).
set -u
QUORIN_HOME=${QUORIN_HOME:-@QUORIN_HOME@}
export WINEPREFIX=${QUORIN_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/quorin/wineprefix}
# No Mono or Gecko prompts, no debug chatter, and no Wine menu entries or
# file associations added to the user's desktop when the prefix is made.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Two first starts at once must not both build the prefix.
  if mkdir "$WINEPREFIX.lock" 2>/dev/null; then
    trap 'rmdir "$WINEPREFIX.lock" 2>/dev/null' EXIT
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    rmdir "$WINEPREFIX.lock"
    trap - EXIT
  else
    for _ in $(seq 600); do [ -d "$WINEPREFIX.lock" ] || break; sleep 0.2; done
  fi
fi
exec wine "$QUORIN_HOME/quorin.exe" "$@" >/dev/null 2>&1
