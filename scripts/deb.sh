#!/usr/bin/env bash
# Builds out/quorin_<version>_amd64.deb: the launcher as /usr/bin/quorin,
# quorin.exe in /usr/lib/quorin, quorin-cli, the menu entry,
# icons at 16..128 pixels, AppStream metadata, manual pages and the text's
# sources and terms. Run by scripts/release.sh; alone it wants QUORIN_EXE or
# a built Windows tree. Builds its own quorin-cli in build/deb unless
# QUORIN_CLI names one. OUT picks the folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
out=${OUT:-$root/out}
exe=${QUORIN_EXE:-$build/mingw/quorin.exe}
cli=${QUORIN_CLI:-$build/deb/quorin-cli}
ico=${QUORIN_ICON:-$build/native/generated/art/program.ico}
version=$(sed -n 's/.*VALUE "ProductVersion", "\([^"]*\)".*/\1/p' "$root/resources/quorin.rc")
# Debian orders 1.84a after 1.84 and before 1.85, as the releases go.
[[ $version =~ ^[0-9][0-9.]*[a-z]?$ ]] || { echo "deb: version '$version' does not fit a Debian version" >&2; exit 1; }
maintainer="Lumivex <quorin@lumivex.com>"

[ -f "$exe" ] || { echo "deb: no $exe; build the Windows tree first (scripts/build.sh mingw)" >&2; exit 1; }
# quorin-cli as Debian builds programs: its hardening flags, the system's
# C library and zlib shared (the release tree links them in whole).
if [ -z "${QUORIN_CLI:-}" ]; then
  gen=()
  command -v ninja >/dev/null && gen=(-G Ninja)
  cmake -S "$root" -B "$build/deb" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release -DQUORIN_SANITIZE=OFF \
    -DQUORIN_SHARED_CLI=ON -DCMAKE_CXX_FLAGS="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CPPFLAGS) $(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_C_FLAGS="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CPPFLAGS) $(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get LDFLAGS) -s" >/dev/null
  cmake --build "$build/deb" -j "${JOBS:-$(nproc)}" --target quorin-cli >&2
fi
[ -x "$cli" ] || { echo "deb: no $cli" >&2; exit 1; }
[ -f "$ico" ] || { echo "deb: no icon $ico; build the native tree first" >&2; exit 1; }
for tool in convert dpkg-deb gzip; do
  command -v $tool >/dev/null || { echo "deb: $tool is missing" >&2; exit 1; }
done

# One date for everything in the package: the last commit's, so the same
# sources give the same package.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}
export SOURCE_DATE_EPOCH=$epoch

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
pkg=$stage/quorin
doc=$pkg/usr/share/doc/quorin
install -d "$pkg/DEBIAN" "$pkg/usr/bin" "$pkg/usr/lib/quorin" "$pkg/usr/share/applications" \
  "$pkg/usr/share/metainfo" "$pkg/usr/share/man/man1" "$doc"

# The launcher looks for the program in /usr/lib/quorin; Debian wants the
# interpreter named, not found through env.
sed -e "s|@QUORIN_HOME@|/usr/lib/quorin|" -e '1s|^#!/usr/bin/env bash$|#!/bin/bash|' \
  "$root/scripts/install/quorin.sh" >"$pkg/usr/bin/quorin"
chmod 755 "$pkg/usr/bin/quorin"
# Wine runs it from a plain file: not a Linux executable, so not marked one.
x86_64-w64-mingw32-strip -o "$pkg/usr/lib/quorin/quorin.exe" "$exe" 2>/dev/null || cp "$exe" "$pkg/usr/lib/quorin/quorin.exe"
chmod 644 "$pkg/usr/lib/quorin/quorin.exe"
install -m 755 "$cli" "$pkg/usr/bin/quorin-cli"

sed -e "s|@QUORIN_BIN@/||" -e "s|@QUORIN_ICON@|quorin|" "$root/scripts/install/quorin.desktop" \
  >"$pkg/usr/share/applications/quorin.desktop"
chmod 644 "$pkg/usr/share/applications/quorin.desktop"

# The icon is drawn at 16 and 32 pixels: those as drawn, larger ones from
# the 32 with its pixels doubled first so the drawing stays sharp.
for size in 16 32 48 64 128; do
  dir=$pkg/usr/share/icons/hicolor/${size}x${size}/apps
  install -d "$dir"
  frame=$(identify -format '%p %w\n' "$ico" | awk -v s=$size '$2 == s { print $1; exit }')
  if [ -n "$frame" ]; then
    convert "${ico}[$frame]" -strip "png:$dir/quorin.png"
  else
    read -r frame drawn < <(identify -format '%p %w\n' "$ico" | sort -k2 -n | tail -1)
    convert "${ico}[$frame]" -filter point -resize $(((size + drawn - 1) / drawn * 100))% \
      -filter Lanczos -resize ${size}x${size} -strip "png:$dir/quorin.png"
  fi
  chmod 644 "$dir/quorin.png"
done

# The README's pictures and their captions, as the maker's site shows them.
shots=$(python3 - "$root/README.md" <<'PY'
import re, sys
rows = [l for l in open(sys.argv[1], encoding='utf-8').read().split('\n## ')[0].splitlines() if l.startswith('|')]
out = []
for pictures, captions in zip(rows[2::2], rows[3::2]):
    files = re.findall(r'\]\(docs/screenshots/([^)]+)\)', pictures)
    texts = [c.strip() for c in captions.strip('|').split('|')]
    for f, t in zip(files, texts):
        t = t.replace('&', '&amp;').replace('<', '&lt;')
        kind = ' type="default"' if not out else ''
        out.append('    <screenshot%s>\n      <caption>%s</caption>\n'
                   '      <image>https://www.lumivex.com/quorin/screenshots/%s</image>\n    </screenshot>' % (kind, t, f))
print('\n'.join(out))
PY
)
[ -n "$shots" ] || { echo "deb: no screenshots found in README.md" >&2; exit 1; }
date_iso=$(date -u -d "@$epoch" +%Y-%m-%d)
python3 - "$root/scripts/deb/quorin.metainfo.xml" "$pkg/usr/share/metainfo/com.lumivex.quorin.metainfo.xml" \
  "$version" "$date_iso" "$shots" <<'PY'
import sys
text = open(sys.argv[1], encoding='utf-8').read()
text = text.replace('@VERSION@', sys.argv[3]).replace('@DATE@', sys.argv[4]).replace('@SCREENSHOTS@', sys.argv[5])
open(sys.argv[2], 'w', encoding='utf-8').write(text)
PY

for page in quorin quorin-cli; do
  sed "s|@VERSION@|$version|" "$root/scripts/deb/$page.1" | gzip -9n >"$pkg/usr/share/man/man1/$page.1.gz"
done

# The text's sources, as content/corpus/README.md records them.
sources=$(sed -n '/^## Where it comes from/,/^## /{/^## /d;p}' "$root/content/corpus/README.md" |
  sed 's/^- //; s/^  //' | fold -s -w 72 | sed 's/ *$//; s/^/ /; s/^ $/ ./')
grep -q 'CC BY-SA' <<<"$sources" || { echo "deb: the text's terms were not found" >&2; exit 1; }
python3 - "$root/scripts/deb/copyright" "$doc/copyright" "$sources" <<'PY'
import sys
text = open(sys.argv[1], encoding='utf-8').read().replace('@SOURCES@', sys.argv[3])
open(sys.argv[2], 'w', encoding='utf-8').write(text)
PY
{
  echo "quorin ($version) unstable; urgency=medium"
  echo
  echo "  * Quorin $version: the reader under Wine, quorin-cli, the menu entry,"
  echo "    AppStream metadata and manual pages."
  echo
  echo " -- $maintainer  $(date -u -R -d "@$epoch")"
} | gzip -9n >"$doc/changelog.gz"
chmod 644 "$doc/copyright" "$doc/changelog.gz" "$pkg/usr/share/man/man1/"*.gz "$pkg/usr/share/metainfo/"*.xml

# The libraries quorin-cli links, as the packages that hold them.
mkdir -p "$stage/debian"
printf 'Source: quorin\n\nPackage: quorin\nArchitecture: amd64\n' >"$stage/debian/control"
shlibs=$(cd "$stage" && dpkg-shlibdeps -O "quorin/usr/bin/quorin-cli" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
[ -n "$shlibs" ] || { echo "deb: dpkg-shlibdeps found no libraries for quorin-cli" >&2; exit 1; }
size_kb=$(du -sk --exclude=DEBIAN "$pkg" | cut -f1)
cat >"$pkg/DEBIAN/control" <<CONTROL
Package: quorin
Version: $version
Architecture: amd64
Maintainer: $maintainer
Installed-Size: $size_kb
Depends: $shlibs, wine, wine64, culmus
Recommends: zenity, xdotool
Section: education
Priority: optional
Homepage: https://www.lumivex.com
Description: daily study reader for a classic Hebrew work, under Wine
 Quorin opens on today's lesson of the daily study of a classic Hebrew work
 of 1,017 chapters (three chapters a day, 339 lessons), right to left with
 the Hebrew date, and lets you move between days, search, bookmark, use a
 table of contents, pick a font, copy and print. It is a Windows program and
 runs under Wine in a prefix of its own.
 .
 quorin-cli prints the lessons in a terminal, searches them and exports them
 as an EPUB book or as web pages.
CONTROL
(cd "$pkg" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$pkg/DEBIAN/md5sums"
chmod 644 "$pkg/DEBIAN/control" "$pkg/DEBIAN/md5sums"
find "$pkg" -type d -exec chmod 755 {} +
find "$pkg" -exec touch -h -d "@$epoch" {} +

mkdir -p "$out"
deb=$out/quorin_${version}_amd64.deb
rm -f "$deb"
dpkg-deb --root-owner-group -Zxz --build "$pkg" "$deb" >/dev/null
echo "release: $deb"
