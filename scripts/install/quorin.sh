#!/usr/bin/env bash
# quorin: starts the reader under Wine in a prefix of its own (never the
# user's default one). The first start creates the prefix silently.
set -u
QUORIN_HOME=${QUORIN_HOME:-@QUORIN_HOME@}
export WINEPREFIX=${QUORIN_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/quorin/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# A second start reaches the running copy through the program's own hand-over.
exec wine "$QUORIN_HOME/quorin.exe" "$@" >/dev/null 2>&1
