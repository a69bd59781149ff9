#!/usr/bin/env bash
# quorin: starts the reader under Wine in a prefix of its own (never the
# user's default one). The first start makes the prefix behind a window of
# our own that says so; a start while the reader runs hands over to the
# running copy (the program does that itself, in the same prefix). Every
# failure is said in a window (zenity), and always on stderr, since a menu
# entry has no terminal to read it in.
set -u
QUORIN_HOME=${QUORIN_HOME:-@QUORIN_HOME@}
WINEPREFIX=${QUORIN_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/quorin/wineprefix}
# "dir/" would put the lock inside a folder that may not exist yet.
while [ "${#WINEPREFIX}" -gt 1 ] && [ "${WINEPREFIX%/}" != "$WINEPREFIX" ]; do WINEPREFIX=${WINEPREFIX%/}; done
export WINEPREFIX
# No Mono or Gecko prompts, no debug chatter, and no Wine menu entries or
# file associations added to the user's desktop when the prefix is made.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
# The reader's window must be up by then, or the first-start window goes anyway.
WINDOW_WAIT_S=120
case ${QUORIN_WINDOW_WAIT-} in
'') ;;
[0-9] | [0-9][0-9] | [0-9][0-9][0-9] | [0-9][0-9][0-9][0-9]) WINDOW_WAIT_S=$((10#$QUORIN_WINDOW_WAIT)) ;;
*) echo "quorin: QUORIN_WINDOW_WAIT=$QUORIN_WINDOW_WAIT is not a number of seconds (0..9999); waiting $WINDOW_WAIT_S" >&2 ;;
esac
# Making the prefix is bounded by these; a start that waits for another
# one's prefix waits that long and a minute more.
BOOT_LIMIT_S=600
SERVER_LIMIT_S=120
LOCK_WAIT_S=$((BOOT_LIMIT_S + SERVER_LIMIT_S + 60))

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

progress_pid='' progress_shown=''
progress_open() {
  [ -z "$progress_shown" ] || return 0
  progress_shown=1
  echo "quorin: preparing the first start: Wine is being set up for Quorin in $WINEPREFIX; this happens once and can take a minute or two." >&2
  can_show || return 0
  # The window lives as long as this descriptor is open.
  # It must not hold the prefix's lock should the launcher be killed.
  exec {progress_fd}> >(exec 9<&- zenity --progress --pulsate --no-cancel --auto-close \
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

# Why a folder cannot be made or written: no right to write where it
# goes, else (the common case) a full disk.
cannot_write() {
  local d=$1
  while [ ! -d "$d" ]; do d=$(dirname "$d"); done
  if [ ! -w "$d" ] || [ ! -x "$d" ]; then
    echo "The folder $d is not writable for you. Set QUORIN_WINEPREFIX to a folder you may write to, or ask for the right to write there, then start Quorin again."
  else
    space_hint "$d"
  fi
}

# The prefix is made by one start at a time, under flock on
# $WINEPREFIX.lock (descriptor 9): the kernel drops the lock with its last
# holder, so a killed start frees it and a live one is never overtaken.
# wineboot and wineserver inherit it, so it lasts while Wine still makes
# the prefix. Without flock (not util-linux) the prefix goes unguarded.
# open_lock: 0 when open, 1 without flock, 2 when it cannot be made.
open_lock() {
  command -v flock >/dev/null 2>&1 || return 1
  { [ -e "$WINEPREFIX.lock" ] || : >>"$WINEPREFIX.lock"; } 2>/dev/null || return 2
  { exec 9<"$WINEPREFIX.lock"; } 2>/dev/null || return 2
}

# wait_lock -s|-x: takes the lock shared or alone, showing the first-start
# window while another start holds it. Only its holder's end frees it.
wait_lock() {
  local rc
  flock -E 75 "$1" -n 9 2>/dev/null
  rc=$?
  if [ $rc = 75 ]; then
    progress_open
    flock -E 75 "$1" -w $LOCK_WAIT_S 9 2>/dev/null
    rc=$?
    [ $rc = 75 ] && fail "Another start of Quorin has been setting up Wine in $WINEPREFIX for over $((LOCK_WAIT_S / 60)) minutes." \
      "If no other Quorin is starting, end its Wine (WINEPREFIX=$WINEPREFIX wineserver -k), then start Quorin again."
  fi
  [ $rc = 0 ] || fail "Quorin could not lock $WINEPREFIX.lock (flock ended with $rc)." "$(cannot_write "$WINEPREFIX.lock")"
}

prepare_prefix() {
  local parent made_dir='' log rc
  parent=$(dirname "$WINEPREFIX")
  if [ -f "$WINEPREFIX/system.reg" ]; then
    # Made, unless a start is making it right now. A prefix made by
    # someone else beside which we may not write is used as it is.
    if open_lock; then
      wait_lock -s
      exec 9<&-
    fi
    [ -f "$WINEPREFIX/system.reg" ] && return 0
  fi
  mkdir -p "$parent" 2>/dev/null ||
    fail "Quorin could not create the folder $parent." "$(cannot_write "$parent")"
  open_lock
  rc=$?
  [ $rc = 2 ] && fail "Quorin could not create the folder $WINEPREFIX." "$(cannot_write "$WINEPREFIX")"
  if [ $rc = 0 ]; then
    wait_lock -x
    # Made by the start we waited for; had it failed, this one tries afresh.
    if [ -f "$WINEPREFIX/system.reg" ]; then
      exec 9<&-
      return 0
    fi
  fi
  [ -d "$WINEPREFIX" ] || made_dir=1
  mkdir -p "$WINEPREFIX" 2>/dev/null ||
    fail "Quorin could not create the folder $WINEPREFIX." "$(cannot_write "$WINEPREFIX")"
  progress_open
  # Without a display wineboot cannot put up Wine's own "being updated"
  # box; our window says it instead. Bounded, so a Wine that hangs ends in
  # a message, not in a window pulsing for ever.
  log=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout $BOOT_LIMIT_S wineboot -i 2>&1 &&
    timeout $SERVER_LIMIT_S wineserver -w 2>&1)
  rc=$?
  [ $rc = 124 ] && log="$log"$'\n'"Setting up Wine did not finish in time."
  if [ $rc != 0 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    # A half-made prefix would pass for a made one next time. Still under
    # the lock: no other start uses it.
    wineserver -k >/dev/null 2>&1
    [ -n "$made_dir" ] && rm -rf "$WINEPREFIX"
    fail "Quorin could not set up Wine in $WINEPREFIX (wineboot ended with $rc)." \
      "$(cannot_write "$WINEPREFIX")" "$(wine_said <<<"$log")"
  fi
  exec 9<&-
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

prepare_prefix

errors=$(mktemp 2>/dev/null) || errors=
trap 'progress_close; [ -z "$errors" ] || rm -f "$errors"' EXIT
wine "$QUORIN_HOME/quorin.exe" "$@" >/dev/null 2>"${errors:-/dev/null}" &
reader=$!
SECONDS=0
# An error that ends the program before its window opens is shown; later
# ends (a kill, a crash hours on) are left to the exit status.
for ((tick = 0; tick < WINDOW_WAIT_S * 5; tick++)); do
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
