#!/usr/bin/env bash
# Pictures of the program for a person to look at: starts it in a fresh Wine
# prefix on a display of its own, with the registry preset, and saves PNGs
# into out/screenshots (or OUT). Needs a built Windows tree (BUILD_DIR/mingw,
# or QUORIN_EXE).
#
#   screenshot.sh         the README's pictures, at 96 DPI
#   screenshot.sh DPI     the main window, the search dialog, the calendar and
#                         the section chooser at that display scaling (144 is
#                         150 %), each cut to its window: OUT/dpi/NAME-DPI.png
#   SHOTS=colours screenshot.sh   only the Night and Sepia pictures
#   COLOURS=2 screenshot.sh 96    any of them in Night (1 Sepia)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
exe=${QUORIN_EXE:-$build/mingw/quorin.exe}
out=${OUT:-$root/out/screenshots}
dpi=${1:-}
case "$dpi" in ''|[1-9][0-9]|[1-9][0-9][0-9]) ;; *) echo "usage: screenshot.sh [DPI]" >&2; exit 2 ;; esac
mkdir -p "$out"
[ -f "$exe" ] || { echo "screenshot: no $exe; build first" >&2; exit 1; }

. "$root/scripts/wine-env.sh"
# Room for a window and its dialogs at up to 200 %.
quorin_own_display "${QUORIN_DISPLAY:-60}" "$([ -n "$dpi" ] && echo 1900x1500 || echo 1280x900)"
xvfb=$quorin_xvfb

export WINEPREFIX=$(mktemp -d /tmp/quorin-shots.XXXXXX)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
wineboot -i >/dev/null 2>&1
wineserver -w

key='HKCU\Software\Lumivex\Quorin-3-Chapter-Hebrew'
reg() { wine reg add "$key" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1; }
# Settings every picture shares: a Culmus face, a placed window.
preset() {
  wine reg delete 'HKCU\Software\Lumivex' /f >/dev/null 2>&1 || true
  reg FontName REG_SZ "${QUORIN_FONT:-David CLM}"
  reg FontSize REG_DWORD 16
  reg Left REG_DWORD 40
  reg Top REG_DWORD 30
  reg Width REG_DWORD 860
  reg Height REG_DWORD 760
  reg showCmd REG_DWORD 1
  # COLOURS=1 or 2 takes every picture in Sepia or Night.
  [ -z "${COLOURS:-}" ] || reg Colours REG_DWORD "$COLOURS"
}

# The shared settings and a pinned lesson (and day, 0 for a lesson by number).
pinned() {
  preset
  reg Flags REG_DWORD $((0xD1140040 | 0x4))
  reg Lesson REG_DWORD "$1"
  reg Day REG_DWORD "$2"
}

# Starts the program, waits for its window and gives its id.
start() {
  wine "$exe" >/dev/null 2>&1 &
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name '^Quorin$' 2>/dev/null | head -1 || true)
    [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || { echo "screenshot: the window did not appear" >&2; exit 1; }
  sleep 1.5
  echo "$id"
}

shot() {
  import -window root -crop 900x800+20+10 +repage "$out/$1.png"
  echo "saved $out/$1.png"
}

stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w 2>/dev/null || true
}

# A window by its title (the newest of that name that is not skip), cut
# from the screen as it lies there.
window_shot() {
  local name=$1 title=$2 skip=${3:-} id=
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | grep -vx "${skip:-none}" | tail -1 || true)
    [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || { echo "screenshot: no window $title" >&2; return 1; }
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  mkdir -p "$out/dpi"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/dpi/$name-$dpi.png"
  echo "saved $out/dpi/$name-$dpi.png"
}

# The colour sets: Night on a search hit with its banner, Sepia where
# chapters meet with three lines selected (Shift+Down).
colour_shots() {
  preset
  reg Colours REG_DWORD 2
  win=$(start)
  xdotool windowfocus "$win" >/dev/null 2>&1 || true
  xdotool key ctrl+w
  sleep 1.5
  xdotool type --delay 80 hruakho
  xdotool key Return
  sleep 2
  shot main-night
  stop
  pinned 100 0
  reg Colours REG_DWORD 1
  win=$(start)
  xdotool windowfocus "$win" >/dev/null 2>&1 || true
  for _ in 1 2 3 4 5 6; do xdotool key --window "$win" Next 2>/dev/null; sleep 0.3; done
  xdotool key shift+Down shift+Down shift+Down
  sleep 1
  shot main-sepia
  stop
}
if [ "${SHOTS:-}" = colours ]; then
  colour_shots
  exit 0
fi

if [ -n "$dpi" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w
  # The window grows with the scaling, so it shows about as much text.
  preset
  reg Width REG_DWORD $((640 * dpi / 96))
  reg Height REG_DWORD $((560 * dpi / 96))
  reg Bookmarks REG_BINARY 0c000300c8000000
  reg Flags REG_DWORD $((0xD1140040 | 0x4))
  reg Lesson REG_DWORD 333
  reg Day REG_DWORD 738965
  win=$(start)
  window_shot main Quorin
  xdotool windowfocus "$win" >/dev/null 2>&1 || true
  xdotool key ctrl+w
  sleep 1.5
  xdotool type --delay 80 hruakho
  window_shot search-dialog Quorin "$win"
  xdotool key Escape
  sleep 0.5
  xdotool windowfocus "$win" >/dev/null 2>&1 || true
  xdotool key ctrl+d
  window_shot calendar 'Hebrew Calendar'
  xdotool key Escape
  sleep 0.5
  xdotool windowfocus "$win" >/dev/null 2>&1 || true
  xdotool key ctrl+i
  sleep 1
  window_shot section-chooser 'Choose Section'
  xdotool key Escape
  stop
  exit 0
fi

# 1. Today's lesson, from its top; then a page further on.
preset
win=$(start)
shot main-today
xdotool windowfocus "$win" >/dev/null 2>&1 || true
xdotool key --window "$win" Next Next 2>/dev/null
sleep 1
shot main-scrolled
stop

# 2. A lesson chosen by number (pinned), where chapters meet: the rule
# between them and the labelled paragraphs around it.
pinned 100 0
win=$(start)
shot main-lesson-100
xdotool windowfocus "$win" >/dev/null 2>&1 || true
for _ in 1 2 3 4 5 6; do xdotool key --window "$win" Next 2>/dev/null; sleep 0.3; done
sleep 1
shot main-lesson-100-rule
stop

# 3. The About box, opened with F1; the page set-up dialog, opened with
# Ctrl+P and answered with Enter; and page 1 of what the PDF printer made of
# the lesson (when CUPS and cups-pdf are installed).
pinned 100 0
win=$(start)
xdotool windowfocus "$win" >/dev/null 2>&1 || true
xdotool key F1
sleep 1.5
shot about-box
xdotool key Escape
sleep 0.5
. "$(dirname "$0")/pdf-printer.sh"
if command -v cupsd >/dev/null && [ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] && command -v pdftoppm >/dev/null &&
   pdf_printer_ready; then
  since=$(mktemp)
  xdotool windowfocus "$win" >/dev/null 2>&1 || true
  xdotool key ctrl+p
  if setup=$(page_setup_dialog "$win"); then
    shot page-setup
    xdotool windowfocus "$setup" >/dev/null 2>&1 || true
    xdotool key Return
    pdf=$(printed_pdf "$since" $(pdf_output_dirs) || true)
    if [ -n "$pdf" ]; then
      pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$pdf" "$out/printed-lesson-100-page-1"
      echo "saved $out/printed-lesson-100-page-1.png"
    else
      echo "screenshot: the printed lesson did not arrive" >&2
    fi
  else
    echo "screenshot: no page set-up dialog" >&2
  fi
  rm -f "$since"
fi
stop

# 4. Finding: the search dialog with a word typed on the Latin keys
# (ירושלים), the hit it finds with the headings banner, and the section
# chooser with three bookmarks at the top.
preset
reg Bookmarks REG_BINARY 0c000300c8000000
win=$(start)
xdotool windowfocus "$win" >/dev/null 2>&1 || true
xdotool key ctrl+w
sleep 1.5
xdotool type --delay 80 hruakho
sleep 0.5
shot search-dialog
xdotool key Return
sleep 2
shot search-hit
xdotool windowfocus "$win" >/dev/null 2>&1 || true
xdotool key ctrl+i
sleep 2
shot section-chooser
xdotool key Escape
sleep 0.5
stop

# 4b. Any spelling: a spelling the work never uses (במקם), the choice ticked
# with its key (Alt+A), and a hit highlighted as the lesson spells it (the
# second, from Search Again: the window is then drawn whole again, without
# what the closed dialog left on the screen).
preset
win=$(start)
xdotool windowfocus "$win" >/dev/null 2>&1 || true
xdotool key ctrl+w
sleep 1.5
xdotool type --delay 80 cneo
xdotool key alt+a
sleep 0.5
shot search-any-spelling
xdotool key Return
sleep 2
xdotool windowfocus "$win" >/dev/null 2>&1 || true
xdotool key F3
sleep 2
shot search-any-spelling-hit
stop

# 5. Choosing: the month calendar (a leap year's Adar II, split Adar
# buttons) and the font dialog with its sample alphabet.
pinned 333 738965
win=$(start)
xdotool windowfocus "$win" >/dev/null 2>&1 || true
xdotool key ctrl+d
sleep 1.5
shot calendar-dialog
xdotool key Escape
sleep 0.5
xdotool windowfocus "$win" >/dev/null 2>&1 || true
xdotool key ctrl+f
sleep 2
shot font-dialog
xdotool key Escape
sleep 0.5
stop

# 6. The one-chapter track: the day of the Haggadah (portion 166), its
# section and chapter named above the chapter's own heading.
pinned 166 739815
reg Track REG_DWORD 1
win=$(start)
shot main-one-chapter
stop

# 7. The colour sets.
colour_shots
# 8. Keeping up: five days back, three days learned, one missed, and the
# day before today learned; the band's standing, then the calendar's marks.
preset
win=$(start)
xdotool windowfocus "$win" >/dev/null 2>&1 || true
for k in Left Left Left Left Left ctrl+l Right ctrl+l Right ctrl+l Right Right ctrl+l; do
  xdotool key "$k"
  sleep 0.3
done
sleep 1
shot main-learned
xdotool key ctrl+d
sleep 1.5
shot calendar-learned
# The keyboard alone: the arrows frame a day, a week on and one back.
xdotool key Down Left
sleep 0.5
shot calendar-keyboard
xdotool key Escape
sleep 0.5
stop
