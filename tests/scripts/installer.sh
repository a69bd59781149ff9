#!/usr/bin/env bash
# The Windows installer that scripts/release.sh builds, under Wine in a
# prefix and on a display of its own: a silent install puts the program, its
# Start-menu shortcut and its uninstall entry in place; the program starts
# from that shortcut and writes its settings; the set-up will not replace it
# while it runs; a silent uninstall takes everything away but the settings.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe=${QUORIN_EXE:-${BUILD_DIR:-$root/build}/mingw/quorin.exe}
if [ ! -f "$exe" ]; then
  echo "installer: FAILED, no $exe"
  exit 1
fi
for tool in Xvfb xdotool wine makensis; do
  command -v $tool >/dev/null || { echo "installer: FAILED, $tool is missing"; exit 1; }
done
tmp=$(mktemp -d /tmp/quorin-installer.XXXXXX)
fail=0
bad() { echo "installer: FAILED $*"; fail=1; }

. "$root/scripts/wine-env.sh"
quorin_own_display "${INSTALLER_DISPLAY:-88}" 1024x768
xvfb=$quorin_xvfb
export HOME=$tmp/home WINEPREFIX=$tmp/prefix WINEDEBUG=-all WINEARCH=win64
# No menu entries on the Linux side for the shortcuts the set-up makes.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$HOME"
cleanup() {
  wineserver -k >/dev/null 2>&1
  kill "$xvfb" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

QUORIN_EXE=$exe OUT=$tmp/out bash "$root/scripts/release.sh" >/dev/null 2>"$tmp/release.err" ||
  bad "release.sh: $(cat "$tmp/release.err")"
setup=$tmp/out/quorin-1.84a-setup.exe
[ -f "$setup" ] || { bad "no $setup"; exit 1; }
quorin_ensure_prefix

dir=$WINEPREFIX/drive_c/Program\ Files/Quorin
lnk=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Quorin.lnk
desktop_lnk=$WINEPREFIX/drive_c/users/Public/Desktop/Quorin.lnk
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorin-3-Chapter-Hebrew'
settings_key='HKCU\Software\Lumivex\Quorin-3-Chapter-Hebrew'
value() { wine reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z]* *//p"; }

timeout 300 wine "$setup" /S || bad "the silent install ended with $?"
for f in quorin.exe README.md LICENSE-TEXT.md uninstall.exe; do
  [ -f "$dir/$f" ] || bad "no $f installed"
done
unzip -p "$tmp/out/quorin-1.84a-win64.zip" quorin.exe | cmp -s - "$dir/quorin.exe" ||
  bad "the installed quorin.exe is not the released one"
[ -f "$lnk" ] || bad "no Start-menu shortcut"
[ -e "$desktop_lnk" ] && bad "a silent install made a desktop shortcut unasked"
want=(DisplayName=Quorin DisplayVersion=1.84a Publisher=Lumivex
      'DisplayIcon=C:\Program Files\Quorin\quorin.exe,0'
      'UninstallString="C:\Program Files\Quorin\uninstall.exe"'
      'QuietUninstallString="C:\Program Files\Quorin\uninstall.exe" /S')
for w in "${want[@]}"; do
  got=$(value "${w%%=*}")
  [ "$got" = "${w#*=}" ] || bad "uninstall entry ${w%%=*} is '$got', not '${w#*=}'"
done
size_kb=$(( $(value EstimatedSize) ))
[ "$size_kb" -ge $(( $(stat -c %s "$dir/quorin.exe") / 1024 )) ] || bad "EstimatedSize $size_kb KB is less than quorin.exe"

# Started from the shortcut, as from the Start menu. The first start opens
# the font dialog over the main window; any button closes it.
wine start /unix "$lnk" >/dev/null 2>&1
win=$(timeout 120 xdotool search --sync --onlyvisible --name '^Quorin$' 2>/dev/null | head -1)
if [ -z "$win" ]; then
  bad "the installed program showed no window from its shortcut"
else
  dialog=$(timeout 30 xdotool search --sync --onlyvisible --name '^Choose Font$' 2>/dev/null | head -1)
  [ -n "$dialog" ] && { xdotool windowfocus "$dialog"; sleep 0.5; xdotool key Escape; sleep 1; }
  timeout 300 wine "$setup" /S
  [ $? = 2 ] || bad "the set-up did not refuse to replace the running program"
  xdotool windowfocus "$win"; sleep 0.5; xdotool key ctrl+q
  timeout 60 wineserver -w || bad "the program did not end on Exit"
fi
wine reg query "$settings_key" >/dev/null 2>&1 || bad "the program wrote no settings"

# The uninstaller copies itself away and returns at once: wait for the copy.
wine "$dir/uninstall.exe" /S || bad "the silent uninstall ended with $?"
timeout 120 wineserver -w || bad "the uninstaller did not end"
[ -e "$dir" ] && bad "the install folder is left: $(ls "$dir" | tr '\n' ' ')"
[ -e "$lnk" ] && bad "the Start-menu shortcut is left"
wine reg query "$uninstall_key" >/dev/null 2>&1 && bad "the uninstall entry is left"
wine reg query "$settings_key" >/dev/null 2>&1 || bad "the uninstaller removed the user's settings"

# Asked for, the desktop shortcut comes, and goes with the uninstall.
timeout 300 wine "$setup" /S /DESKTOP || bad "the install with /DESKTOP ended with $?"
[ -f "$desktop_lnk" ] || bad "/DESKTOP made no desktop shortcut"
wine "$dir/uninstall.exe" /S
timeout 120 wineserver -w
[ -e "$desktop_lnk" ] && bad "the desktop shortcut is left after the uninstall"
[ $fail = 0 ] && echo "installer: silent install, start from the shortcut, silent uninstall; settings kept"
exit $fail
