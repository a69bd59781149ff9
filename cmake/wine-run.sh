#!/usr/bin/env bash
# Runs a Windows executable under Wine in a prefix of its own (never the user's).
# WINEPREFIX defaults to build/wineprefix next to this build; a display is started when none is set.
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
: "${WINEPREFIX:=${QUORIN_WINEPREFIX:-$here/build/wineprefix}}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
. "$here/scripts/wine-env.sh"
quorin_ensure_display
quorin_ensure_prefix
exec wine "$@"
