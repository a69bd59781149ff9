#!/usr/bin/env bash
# The installed launcher and menu entry work: install into a temporary
# prefix, start through the .desktop Exec line on a private display (the
# launcher makes its Wine prefix in the home on first use, never ~/.wine),
# wait for the "Quorin" window, start again and see the second copy hand
# over and leave, close, and reset the settings.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
exe=${QUORIN_EXE:-$build/mingw/quorin.exe}
if [ ! -f "$exe" ]; then
  echo "launcher: FAILED, no $exe"
  exit 1
fi
for tool in Xvfb xdotool wine; do
  command -v $tool >/dev/null || { echo "launcher: FAILED, $tool is missing"; exit 1; }
done
tmp=$(mktemp -d /tmp/quorin-launcher.XXXXXX)
fail=0
bad() { echo "launcher: FAILED $*"; fail=1; }

. "$root/scripts/wine-env.sh"
quorin_own_display 70 1024x768
xvfb=$quorin_xvfb
# A home of its own: the launcher must pick its prefix there, not ~/.wine.
export HOME=$tmp/home
unset XDG_DATA_HOME QUORIN_WINEPREFIX WINEPREFIX
mkdir -p "$HOME"
prefix=$HOME/.local/share/quorin/wineprefix
cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  kill "$xvfb" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

PREFIX=$tmp/prefix APPS_DIR=$tmp/apps ICONS_DIR=$tmp/icons QUORIN_EXE=$exe \
  bash "$root/scripts/install.sh" >/dev/null 2>"$tmp/install.err" || bad "install.sh: $(cat "$tmp/install.err")"
desktop=$tmp/apps/quorin.desktop
[ -x "$tmp/prefix/bin/quorin" ] || bad "no launcher installed"
[ "$(identify -format '%m %wx%h' "$tmp/icons/quorin.png" 2>/dev/null)" = "PNG 48x48" ] || bad "no 48x48 PNG icon"
grep -qx "Icon=$tmp/icons/quorin.png" "$desktop" || bad "the .desktop entry does not name the icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || bad "desktop-file-validate refuses the entry"
fi

# The Exec line as a desktop would run it (no field codes in ours).
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -n "$exec_line" ] || bad "no Exec line"
windows() { xdotool search --onlyvisible --name '^Quorin$' 2>/dev/null | wc -l; }
# The count once it has settled: a window being mapped, or an X server slow
# under load, can miss one for a moment. Gives the last count seen.
settled_windows() {
  local n=
  for _ in $(seq 50); do
    n=$(windows)
    [ "$n" = 1 ] && break
    sleep 0.2
  done
  echo "$n"
}

eval "$exec_line" &
first=$!
timeout 240 xdotool search --sync --onlyvisible --name '^Quorin$' >/dev/null 2>&1 ||
  bad "no Quorin window within 240 s (display $DISPLAY, prefix lock: $(ls -d "$prefix.lock" 2>/dev/null || echo none))"
[ -f "$prefix/system.reg" ] || bad "the launcher made no prefix of its own"
[ -e "$HOME/.wine" ] && bad "the launcher touched the default prefix ~/.wine"
n=$(settled_windows)
[ "$n" = 1 ] || bad "$n main windows after the first start"

eval "$exec_line" &
second=$!
for _ in $(seq 300); do kill -0 $second 2>/dev/null || break; sleep 0.2; done
if kill -0 $second 2>/dev/null; then
  bad "the second start did not leave within 60 s"
  kill $second 2>/dev/null
fi
sleep 1
n=$(settled_windows)
[ "$n" = 1 ] || bad "$n main windows after the second start"
kill -0 $first 2>/dev/null || bad "the first copy ended when the second started"

WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
wait $first 2>/dev/null

# Resetting the settings removes the key from the launcher's prefix only.
key='HKCU\Software\Lumivex\Quorin-3-Chapter-Hebrew'
WINEPREFIX=$prefix wine reg add "$key" /v FontSize /t REG_DWORD /d 30 /f >/dev/null 2>&1
WINEPREFIX=$prefix wine reg query "$key" >/dev/null 2>&1 || bad "could not store a setting to reset"
bash "$root/scripts/reset-settings.sh" >/dev/null || bad "reset-settings.sh failed"
WINEPREFIX=$prefix wine reg query "$key" >/dev/null 2>&1 && bad "the settings key survived a reset"
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
[ $fail = 0 ] && echo "launcher: installed, started from the menu entry, second start handed over, settings reset"
exit $fail
