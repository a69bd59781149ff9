#!/usr/bin/env bash
# The installed launcher and menu entry work: install into a temporary
# prefix, start through the .desktop Exec line on a private display (the
# launcher makes its Wine prefix in the home on first use, never ~/.wine),
# wait for the "Quorin" window, start again and see the second copy hand
# over and leave, close, and reset the settings. The first start says what it
# does in a window of its own, gone once the reader is up; a Wine that cannot
# start is reported in a window, or on stderr without a display.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
exe=${QUORIN_EXE:-$build/mingw/quorin.exe}
tmp=$(mktemp -d /tmp/quorin-launcher.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail=0
bad() { echo "launcher: FAILED $*"; fail=1; }

# Stubbed Wine first, for what a real one would take minutes to show: the
# launcher from its source, with wine, wineboot, wineserver, zenity and
# xdotool that note what they were asked. wineboot makes system.reg once
# $stub/open exists, or fails once $stub/broken does (or a minute passes).
stub=$tmp/stub
mkdir -p "$stub/bin" "$stub/home"
: >"$stub/quorin.exe"
cat >"$stub/bin/wineboot" <<EOF
#!/bin/sh
echo "\$\$ \$WINEPREFIX" >>"$stub/boots"
# Bounded, so a failed test leaves no stub behind.
for _ in \$(seq 600); do [ -e "$stub/open" ] || [ -e "$stub/broken" ] && break; sleep 0.1; done
[ -e "$stub/broken" ] && { echo "wineboot: broken on purpose" >&2; exit 1; }
: >"\$WINEPREFIX/system.reg"
EOF
cat >"$stub/bin/wine" <<EOF
#!/bin/sh
echo "\$WINEPREFIX" >>"$stub/runs"
EOF
printf '#!/bin/sh\n' >"$stub/bin/wineserver"
printf '#!/bin/sh\necho "$*" >>"%s/zenity"\n[ "$1" = --progress ] && exec cat >/dev/null\n' "$stub" >"$stub/bin/zenity"
printf '#!/bin/sh\necho 1\n' >"$stub/bin/xdotool"
chmod 755 "$stub/bin/"*
chmod 755 "$tmp" "$stub" "$stub/home"
stub_start() {
  env HOME="$stub/home" PATH="$stub/bin:$PATH" DISPLAY=:stub QUORIN_HOME="$stub" "$@" \
    bash "$root/scripts/install/quorin.sh"
}
boots() { [ -f "$stub/boots" ] && wc -l <"$stub/boots" || echo 0; }
until_file() { for _ in $(seq 100); do [ -e "$1" ] && return 0; sleep 0.1; done; return 1; }

# Three starts at once: one makes the prefix, the others wait in the
# first-start window however long it takes, then all three run the reader.
p=$stub/home/a/prefix
stub_start QUORIN_WINEPREFIX=$p 2>"$stub/1.err" &
s1=$!
until_file "$stub/boots" || bad "stubbed: the first start ran no wineboot"
stub_start QUORIN_WINEPREFIX=$p 2>"$stub/2.err" &
s2=$!
stub_start QUORIN_WINEPREFIX=$p 2>"$stub/3.err" &
s3=$!
sleep 3
kill -0 $s2 2>/dev/null && kill -0 $s3 2>/dev/null || bad "stubbed: a start did not wait for the prefix: $(cat "$stub/2.err" "$stub/3.err")"
[ "$(grep -c -- '--progress' "$stub/zenity")" = 3 ] || bad "stubbed: not every waiting start showed the first-start window"
: >"$stub/open"
for s in $s1 $s2 $s3; do wait $s || bad "stubbed: a start ended with $?: $(cat "$stub/"[123].err)"; done
[ "$(boots)" = 1 ] || bad "stubbed: $(boots) wineboots for one prefix"
[ "$(wc -l <"$stub/runs")" = 3 ] || bad "stubbed: the reader ran $(wc -l <"$stub/runs") times, not 3"
rm -f "$stub/boots" "$stub/runs" "$stub/open" "$stub/zenity"

# A killed first start frees the lock at once; a failed one removes its
# half-made prefix under the lock, and the start that waited tries afresh.
p=$stub/home/b/prefix
stub_start QUORIN_WINEPREFIX=$p 2>/dev/null &
s1=$!
until_file "$stub/boots" || bad "stubbed: no wineboot to kill"
{ kill -9 $s1 "$(cut -d' ' -f1 "$stub/boots")"; wait $s1; } 2>/dev/null
: >"$stub/open"
stub_start QUORIN_WINEPREFIX=$p 2>"$stub/k.err" &
s2=$!
for _ in $(seq 200); do kill -0 $s2 2>/dev/null || break; sleep 0.1; done
kill $s2 2>/dev/null && bad "stubbed: the lock of a killed start was not taken over: $(cat "$stub/k.err")"
[ -f "$p/system.reg" ] && [ "$(boots)" = 2 ] || bad "stubbed: no prefix after a killed start ($(boots) wineboots)"
rm -f "$stub/boots" "$stub/runs" "$stub/open"
p=$stub/home/c/prefix
stub_start QUORIN_WINEPREFIX=$p 2>"$stub/f.err" &
s1=$!
until_file "$stub/boots" || bad "stubbed: no wineboot to fail"
stub_start QUORIN_WINEPREFIX=$p 2>"$stub/w.err" &
s2=$!
sleep 1
: >"$stub/broken"
wait $s1 && bad "stubbed: a failed wineboot ended in success"
grep -q 'broken on purpose' "$stub/f.err" || bad "stubbed: Wine's words are not said: $(cat "$stub/f.err")"
wait $s2 && bad "stubbed: the waiting start succeeded with a broken wineboot"
[ "$(boots)" = 2 ] || bad "stubbed: the waiting start did not try afresh ($(boots) wineboots)"
[ -e "$p" ] && bad "stubbed: a failed start left its half-made prefix"
grep -q 'Another start' "$stub/w.err" && bad "stubbed: a failed start reported as another start"
rm -f "$stub/boots" "$stub/runs" "$stub/broken"

# A prefix named with a trailing slash, its folder not there yet.
: >"$stub/open"
stub_start QUORIN_WINEPREFIX="$stub/home/d/new/prefix/" 2>"$stub/d.err" ||
  bad "stubbed: a prefix with a trailing slash fails: $(cat "$stub/d.err")"
[ -f "$stub/home/d/new/prefix/system.reg" ] || bad "stubbed: no prefix made at a name with a trailing slash"
rm -f "$stub/boots" "$stub/runs"

# A parent folder not writable: said so, as whoever cannot write there.
mkdir -p "$stub/home/ro"
chmod 555 "$stub/home/ro"
as_user=()
[ "$(id -u)" = 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
"${as_user[@]}" env HOME="$stub/home" PATH="$stub/bin:$PATH" DISPLAY=:stub QUORIN_HOME="$stub" \
  QUORIN_WINEPREFIX="$stub/home/ro/prefix" bash "$root/scripts/install/quorin.sh" 2>"$stub/ro.err" &&
  bad "stubbed: a start under a read-only folder succeeded"
grep -q "$stub/home/ro is not writable" "$stub/ro.err" || bad "stubbed: a read-only parent is not said: $(cat "$stub/ro.err")"
grep -q 'Another start' "$stub/ro.err" && bad "stubbed: a read-only parent reported as another start"

# A wait for the reader's window that is not a number: the default, said.
for wait_s in abc 1.5 -3 99999999999999999999; do
  stub_start QUORIN_WINEPREFIX="$stub/home/d/new/prefix" QUORIN_WINDOW_WAIT=$wait_s 2>"$stub/n.err" ||
    bad "stubbed: QUORIN_WINDOW_WAIT=$wait_s breaks the start: $(cat "$stub/n.err")"
  grep -q "QUORIN_WINDOW_WAIT=$wait_s is not a number" "$stub/n.err" || bad "stubbed: QUORIN_WINDOW_WAIT=$wait_s is not refused"
done

if [ ! -f "$exe" ]; then
  echo "launcher: FAILED, no $exe"
  exit 1
fi
for tool in Xvfb xdotool wine; do
  command -v $tool >/dev/null || { echo "launcher: FAILED, $tool is missing"; exit 1; }
done

. "$root/scripts/wine-env.sh"
quorin_own_display "${LAUNCHER_DISPLAY:-70}" 1024x768
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

# The first start's wineboot, wrapped: it notes whether our first-start
# window is up while the prefix is made (waiting a bounded while for it, so
# a slow zenity does not race a fast Wine) and whether it was given no
# display, which keeps Wine's own box away.
mkdir -p "$tmp/boot"
cat >"$tmp/boot/wineboot" <<EOF
#!/bin/sh
[ -z "\${DISPLAY:-}" ] && : >"$tmp/boot-headless"
for _ in \$(seq 150); do
  DISPLAY=$DISPLAY xdotool search --onlyvisible --name '^Quorin: first start\$' >/dev/null 2>&1 &&
    { : >"$tmp/progress-seen"; break; }
  sleep 0.2
done
exec $(command -v wineboot) "\$@"
EOF
chmod 755 "$tmp/boot/wineboot"
PATH=$tmp/boot:$PATH eval "$exec_line" 2>"$tmp/first.err" &
first=$!
timeout 240 xdotool search --sync --onlyvisible --name '^Quorin$' >/dev/null 2>&1 ||
  bad "no Quorin window within 240 s (display $DISPLAY, prefix lock: $(ls -d "$prefix.lock" 2>/dev/null || echo none))"
[ -f "$tmp/progress-seen" ] || bad "no first-start window of our own while the prefix was made"
[ -f "$tmp/boot-headless" ] || bad "wineboot had a display, so Wine's own box could show"
grep -q 'preparing the first start' "$tmp/first.err" || bad "the first start said nothing on stderr: $(cat "$tmp/first.err")"
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
# Bounded: a launcher stuck on a box of its own must not hang the test.
for _ in $(seq 150); do kill -0 $first 2>/dev/null || break; sleep 0.2; done
kill $first 2>/dev/null && bad "the launcher stayed after the reader ended"
wait $first 2>/dev/null

# Resetting the settings removes the key from the launcher's prefix only.
key='HKCU\Software\Lumivex\Quorin-3-Chapter-Hebrew'
WINEPREFIX=$prefix wine reg add "$key" /v FontSize /t REG_DWORD /d 30 /f >/dev/null 2>&1
WINEPREFIX=$prefix wine reg query "$key" >/dev/null 2>&1 || bad "could not store a setting to reset"
bash "$root/scripts/reset-settings.sh" >/dev/null || bad "reset-settings.sh failed"
WINEPREFIX=$prefix wine reg query "$key" >/dev/null 2>&1 && bad "the settings key survived a reset"
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1

# The first-start window is gone once the reader is up (checked after the
# second start, so it has had every chance to close).
xdotool search --name '^Quorin: first start$' >/dev/null 2>&1 && bad "the first-start window was left behind"

# A Wine that cannot start: said in a window, which the test dismisses, and
# on stderr; without a display, on stderr only.
mkdir -p "$tmp/fakewine"
printf '#!/bin/sh\necho "wine: could not load ntdll.so: broken on purpose" >&2\nexit 1\n' >"$tmp/fakewine/wine"
chmod 755 "$tmp/fakewine/wine"
PATH=$tmp/fakewine:$PATH "$tmp/prefix/bin/quorin" 2>"$tmp/fake.err" &
launcher=$!
box=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quorin: could not start$' 2>/dev/null | head -1)
if [ -n "$box" ]; then
  xdotool windowfocus "$box"; sleep 0.5; xdotool key Return
else
  bad "no error window for a Wine that cannot start"
fi
for _ in $(seq 100); do kill -0 $launcher 2>/dev/null || break; sleep 0.2; done
kill $launcher 2>/dev/null && bad "the launcher stayed after its error window was dismissed"
wait $launcher && bad "the launcher ended with success on a broken Wine"
grep -q 'broken on purpose' "$tmp/fake.err" || bad "Wine's words are not on stderr: $(cat "$tmp/fake.err")"
env -u DISPLAY PATH="$tmp/fakewine:$PATH" "$tmp/prefix/bin/quorin" 2>"$tmp/nodisplay.err" &&
  bad "the launcher ended with success without a display"
grep -q 'no display is set' "$tmp/nodisplay.err" || bad "without a display nothing was said: $(cat "$tmp/nodisplay.err")"
[ -z "$(xdotool search --onlyvisible --name . 2>/dev/null)" ] || bad "windows are left behind"

[ $fail = 0 ] && echo "launcher: prefix made once by concurrent starts, a killed or failed one's lock taken over, odd names and waits handled; installed, started from the menu entry with a first-start window, second start handed over, settings reset, failures shown"
exit $fail
