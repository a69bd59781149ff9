#!/usr/bin/env bash
# The Debian package: lintian finds no error (and only the warnings the
# README lists), the menu entry and the AppStream metadata validate, and
# apt-get installs it as a user would: quorin-cli reads today's lesson, the
# menu entry starts the launcher, which finds the program. Purging it
# leaves nothing of it behind and the user's Wine folder alone. As root;
# installs to /usr, apart from scripts/install.sh's /usr/local.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
exe=${QUORIN_EXE:-$build/mingw/quorin.exe}
tested=$build/native/quorin-cli
fail=0
bad() { echo "debian_package: FAILED $*"; fail=1; }
[ "$(id -u)" = 0 ] || { echo "debian_package: FAILED, installing a package needs root"; exit 1; }
[ -f "$exe" ] && [ -x "$tested" ] || { echo "debian_package: FAILED, build the native and Windows trees first"; exit 1; }
for tool in lintian desktop-file-validate appstreamcli apt-get; do
  command -v $tool >/dev/null || { echo "debian_package: FAILED, $tool is missing (scripts/setup-tests.sh)"; exit 1; }
done
if dpkg-query -W -f='${Status}' quorin 2>/dev/null | grep -q installed; then
  echo "debian_package: FAILED, a quorin package is installed already; the test leaves it alone"
  exit 1
fi
tmp=$(mktemp -d)
installed=
cleanup() {
  [ -n "$installed" ] && apt-get purge -y -qq -o DPkg::Lock::Timeout=600 quorin >/dev/null 2>&1
  rm -rf "$tmp"
}
trap cleanup EXIT

QUORIN_EXE=$exe OUT=$tmp bash "$root/scripts/deb.sh" >/dev/null 2>"$tmp/deb.err" || bad "deb.sh: $(cat "$tmp/deb.err")"
deb=$(ls "$tmp"/quorin_*_amd64.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "debian_package: FAILED, no package built"; exit 1; }

# lintian: no errors; each warning named in the README with its reason.
lintian --tag-display-limit 0 "$deb" >"$tmp/lintian.txt" 2>&1
grep '^E:' "$tmp/lintian.txt" && bad "lintian reports errors"
readme_tags=$(sed -n '/^### Lintian/,/^#/p' "$root/README.md")
for tag in $(sed -n 's/^W: quorin[^:]*: \([a-z0-9-]*\).*/\1/p' "$tmp/lintian.txt" | sort -u); do
  grep -q "\`$tag\`" <<<"$readme_tags" || bad "lintian warns $tag, which the README does not list"
done

mkdir "$tmp/x"
dpkg-deb -x "$deb" "$tmp/x"
desktop-file-validate "$tmp/x/usr/share/applications/quorin.desktop" || bad "desktop-file-validate refuses the entry"
appstreamcli validate --no-net "$tmp/x/usr/share/metainfo/"*.metainfo.xml >"$tmp/as.txt" 2>&1 ||
  bad "appstreamcli validate: $(cat "$tmp/as.txt")"
grep -c '<caption>' "$tmp/x/usr/share/metainfo/"*.xml | grep -qx 6 || bad "the metadata has not the six screenshots with captions"
for size in 16 32 48 64 128; do
  [ "$(identify -format '%m %wx%h' "$tmp/x/usr/share/icons/hicolor/${size}x$size/apps/quorin.png" 2>/dev/null)" = "PNG ${size}x$size" ] ||
    bad "no ${size}x$size icon"
done
for w in "CC BY-SA 3.0" "public domain" "ToratEmetBooks" "Wikisource"; do
  grep -q "$w" "$tmp/x/usr/share/doc/quorin/copyright" || bad "the copyright file does not mention $w"
done

# Installed as a user would, with apt resolving Wine and the fonts.
apt-get install -y -qq -o DPkg::Lock::Timeout=600 "$deb" >"$tmp/apt.txt" 2>&1 || bad "apt-get install: $(tail -5 "$tmp/apt.txt")"
dpkg-query -W -f='${Status}' quorin 2>/dev/null | grep -q 'install ok installed' || { bad "not installed"; exit 1; }
installed=1
dpkg -L quorin >"$tmp/files"
cmp -s <(/usr/bin/quorin-cli today 2>&1) <("$tested" today 2>&1) || bad "the installed quorin-cli today differs from the test build's"
[ -n "$(/usr/bin/quorin-cli today | head -1)" ] || bad "quorin-cli today printed nothing"
entry=/usr/share/applications/quorin.desktop
desktop-file-validate "$entry" || bad "the installed menu entry does not validate"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "/usr/share/icons/hicolor/48x48/apps/$icon.png" ] || bad "the menu entry's icon '$icon' is not installed"
# The Exec line as the desktop runs it, on the package's PATH; without a
# display it says so, which it does only once Wine and quorin.exe are found.
home=$tmp/home
mkdir -p "$home/.local/share/quorin/wineprefix"
echo kept >"$home/.local/share/quorin/wineprefix/system.reg"
(cd / && env -i HOME="$home" PATH=/usr/bin:/bin $exec_line) 2>"$tmp/start.err" && bad "the launcher started without a display"
grep -q 'no display is set' "$tmp/start.err" || bad "the menu entry's launcher said: $(cat "$tmp/start.err")"

apt-get purge -y -qq -o DPkg::Lock::Timeout=600 quorin >"$tmp/apt.txt" 2>&1 || bad "apt-get purge: $(tail -5 "$tmp/apt.txt")"
installed=
dpkg-query -W -f='${Status}' quorin 2>/dev/null | grep -q 'installed' && bad "still installed after purge"
# Shared folders (/usr/bin, the icon theme's) stay; files and our own folders go.
while read -r f; do
  [ -d "$f" ] && continue
  { [ -e "$f" ] || [ -L "$f" ]; } && bad "left behind: $f"
done <"$tmp/files"
for d in /usr/lib/quorin /usr/share/doc/quorin; do [ -e "$d" ] && bad "left behind: $d"; done
[ "$(cat "$home/.local/share/quorin/wineprefix/system.reg")" = kept ] || bad "the user's Wine folder was touched"

[ $fail = 0 ] && echo "debian_package: $(basename "$deb") $(stat -c %s "$deb") bytes, lintian $(grep -c '^W:' "$tmp/lintian.txt") warnings (README lists them), validated, installed, run, purged clean"
exit $fail
