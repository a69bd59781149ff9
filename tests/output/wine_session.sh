# A Wine session for the output scripts (sourced): a display and a prefix of
# their own, the registry preset, the program started and found by xdotool.
# Sets: root build exe key; functions session_begin, preset, reg, start, stop.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
exe=${QUORIN_EXE:-$build/mingw/quorin.exe}
key='HKCU\Software\Lumivex\Quorin-3-Chapter-Hebrew'
. "$root/scripts/wine-env.sh"

session_begin() {
  quorin_own_display "${SESSION_DISPLAY:-80}"
  session_xvfb=$quorin_xvfb
  # The Windows-side tests' prefix: one wineboot for all of them; preset
  # clears the program's settings before every start.
  export WINEPREFIX=${SESSION_PREFIX:-$build/mingw/wineprefix}
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  quorin_ensure_prefix
}

session_end() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$session_xvfb" 2>/dev/null || true
}

reg() { wine reg add "$key" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1; }

# A placed window on a pinned lesson, in a Culmus face.
preset() {  # lesson
  wine reg delete 'HKCU\Software\Lumivex' /f >/dev/null 2>&1 || true
  reg FontName REG_SZ "David CLM"
  reg FontSize REG_DWORD 16
  reg Left REG_DWORD 40
  reg Top REG_DWORD 30
  reg Width REG_DWORD 860
  reg Height REG_DWORD 760
  reg showCmd REG_DWORD 1
  reg Flags REG_DWORD $((0xD1140040 | 0x4))
  reg Lesson REG_DWORD "$1"
  reg Day REG_DWORD 0
}

# Starts the program and leaves its window id in $win.
start() {
  wine "$exe" >/dev/null 2>&1 &
  win=
  for _ in $(seq 150); do
    win=$(xdotool search --onlyvisible --name '^Quorin$' 2>/dev/null | head -1 || true)
    [ -n "$win" ] && break
    sleep 0.2
  done
  [ -n "$win" ] || { echo "the window did not appear"; return 1; }
  sleep 1
  xdotool windowfocus "$win" >/dev/null 2>&1 || true
  sleep 0.3
}

# Keys go through XTEST to the focused window, as a person's would.
keys() { xdotool windowfocus "$win" >/dev/null 2>&1; xdotool key "$@"; sleep 0.7; }

stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w 2>/dev/null || true
}
