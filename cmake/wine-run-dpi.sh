#!/usr/bin/env bash
# Runs a Windows executable under Wine at another screen DPI, in a prefix of
# its own (never the user's, nor the one the 96-DPI tests use):
#
#   wine-run-dpi.sh DPI PREFIX PROGRAM [ARGS...]
#
# The DPI is the prefix's LogPixels; the program sees it as QUORIN_TEST_DPI too.
set -u
dpi=$1 prefix=$2
shift 2
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
. "$here/scripts/wine-env.sh"
quorin_ensure_display
quorin_ensure_prefix
if ! grep -qi "\"LogPixels\"=dword:$(printf %08x "$dpi")" "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  # The DPI is read when the server starts: let this one end first.
  wineserver -w
fi
export QUORIN_TEST_DPI=$dpi
wine "$@"
status=$?
wineserver -w
exit $status
