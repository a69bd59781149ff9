#!/usr/bin/env bash
# quorin: starts the reader under Wine in a prefix of its own (never the
# user's default one). The first start makes the prefix behind a window of
# our own that says so; a start while the reader runs hands over to the
# running copy (the program does that itself, in the same prefix). Every
# failure is said in a window (zenity), and always on stderr, since a menu
# entry has no terminal to read it in.
set -u
QUORIN_HOME=${QUORIN_HOME:-@QUORIN_HOME@}
export WINEPREFIX=${QUORIN_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/quorin/wineprefix}
# No Mono or Gecko prompts, no debug chatter, and no Wine menu entries or
# file associations added to the user's desktop when the prefix is made.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
# The reader's window must be up by then, or the first-start window goes anyway.
WINDOW_WAIT_S=${QUORIN_WINDOW_WAIT:-120}

has_display() { [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; }
can_show() { has_display && command -v zenity >/dev/null 2>&1; }

# fail LINE...: says what went wrong and what to do, then ends the launcher.
fail() {
  progress_close
  local text
  text=$(printf '%s\n' "$@")
  printf 'quorin: %s\n' "$text" >&2
  if can_show; then
    # zenity does not wrap long lines itself.
    zenity --error --title="Quorin: could not start" --no-markup \
      --text="$(fold -s -w 72 <<<"$text")" >/dev/null 2>&1
  fi
  exit 1
}

progress_pid=
progress_open() {
  echo "quorin: preparing the first start: Wine is being set up for Quorin in $WINEPREFIX; this happens once and can take a minute or two." >&2
  can_show || return 0
  # The window lives as long as this descriptor is open.
  exec {progress_fd}> >(exec zenity --progress --pulsate --no-cancel --auto-close \
    --title="Quorin: first start" --width=420 \
    --text="Quorin: preparing the first start…

Wine is being set up for Quorin. This happens once and can take a minute or two." \
    >/dev/null 2>&1)
  progress_pid=$!
}
progress_close() {
  [ -n "$progress_pid" ] || return 0
  exec {progress_fd}>&-
  kill "$progress_pid" 2>/dev/null
  progress_pid=
}

# What to do when a folder cannot take the prefix: a full disk is the common case.
space_hint() {
  local d=$1 free_kb
  while [ ! -d "$d" ]; do d=$(dirname "$d"); done
  free_kb=$(df -Pk "$d" 2>/dev/null | awk 'NR == 2 { print $4 }')
  if [ -n "$free_kb" ] && [ "$free_kb" -lt 800000 ]; then
    echo "The disk is full or nearly so: $((free_kb / 1024)) MB free in $d, and Wine needs about 700 MB. Free some space, then start Quorin again."
  else
    echo "Check that you may write to $d and that its disk has room, then start Quorin again."
  fi
}

make_prefix() {
  local parent made_dir='' log rc
  parent=$(dirname "$WINEPREFIX")
  mkdir -p "$parent" 2>/dev/null ||
    fail "Quorin could not create the folder $parent." "$(space_hint "$parent")"
  # Two first starts at once must not both build the prefix.
  if ! mkdir "$WINEPREFIX.lock" 2>/dev/null; then
    progress_open
    for _ in $(seq 1200); do [ -d "$WINEPREFIX.lock" ] || break; sleep 0.2; done
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      # A launcher that was killed while it worked leaves its lock behind.
      rmdir "$WINEPREFIX.lock" 2>/dev/null
      fail "Another start of Quorin was setting up Wine and did not finish." "Start Quorin again."
    fi
    return 0
  fi
  trap 'rmdir "$WINEPREFIX.lock" 2>/dev/null; progress_close' EXIT
  [ -d "$WINEPREFIX" ] || made_dir=1
  mkdir -p "$WINEPREFIX" 2>/dev/null ||
    fail "Quorin could not create the folder $WINEPREFIX." "$(space_hint "$WINEPREFIX")"
  progress_open
  # Without a display wineboot cannot put up Wine's own "being updated"
  # box; our window says it instead. Bounded, so a Wine that hangs ends in
  # a message, not in a window pulsing for ever.
  log=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 600 wineboot -i 2>&1 && timeout 120 wineserver -w 2>&1)
  rc=$?
  [ $rc = 124 ] && log="$log"$'\n'"Setting up Wine did not finish in time."
  if [ $rc != 0 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    # A half-made prefix would pass for a made one next time.
    wineserver -k >/dev/null 2>&1
    [ -n "$made_dir" ] && rm -rf "$WINEPREFIX"
    fail "Quorin could not set up Wine in $WINEPREFIX (wineboot ended with $rc)." \
      "$(space_hint "$WINEPREFIX")" "$(wine_said <<<"$log")"
  fi
  rmdir "$WINEPREFIX.lock" 2>/dev/null
  trap progress_close EXIT
}

# The last lines of Wine's own words on stdin, if it said anything.
wine_said() {
  local said
  said=$(tail -n 3)
  [ -z "$said" ] || printf '\nWine said:\n%s\n' "$said"
}

# The reader's main window, by its title. Where nothing can list windows,
# the program is given a few seconds instead.
reader_window_up() {
  if command -v xdotool >/dev/null 2>&1; then
    [ -n "$(xdotool search --onlyvisible --name '^Quorin$' 2>/dev/null)" ]
  elif command -v xwininfo >/dev/null 2>&1; then
    xwininfo -root -tree 2>/dev/null | grep -q '"Quorin": ("quorin.exe"'
  else
    [ $SECONDS -ge 5 ]
  fi
}

command -v wine >/dev/null 2>&1 ||
  fail "Quorin runs under Wine, and Wine is not installed." \
    "Install it (on Debian or Ubuntu: sudo apt-get install wine wine64), then start Quorin again."
[ -f "$QUORIN_HOME/quorin.exe" ] ||
  fail "The program file $QUORIN_HOME/quorin.exe is missing." \
    "Install Quorin again (bash scripts/install.sh in its source folder)."
has_display ||
  fail "Quorin is a windowed program, and no display is set (DISPLAY is empty)." \
    "Start it from the desktop's menu, or in a terminal of the desktop."

[ -f "$WINEPREFIX/system.reg" ] || make_prefix

errors=$(mktemp 2>/dev/null) || errors=
trap 'progress_close; [ -z "$errors" ] || rm -f "$errors"' EXIT
wine "$QUORIN_HOME/quorin.exe" "$@" >/dev/null 2>"${errors:-/dev/null}" &
reader=$!
SECONDS=0
# An error that ends the program before its window opens is shown; later
# ends (a kill, a crash hours on) are left to the exit status.
for _ in $(seq $((WINDOW_WAIT_S * 5))); do
  if ! kill -0 $reader 2>/dev/null; then
    wait $reader
    ended=$?
    # A second start hands over to the running copy and ends with 0.
    [ $ended = 0 ] && exit 0
    fail "Quorin stopped at once with an error (exit code $ended)." \
      "$([ -n "$errors" ] && wine_said <"$errors")" "" \
      "If it happens again, remove Quorin's Wine folder $WINEPREFIX (your Quorin settings are kept there and go with it), then start Quorin again."
  fi
  reader_window_up && break
  sleep 0.2
done
progress_close
wait $reader
