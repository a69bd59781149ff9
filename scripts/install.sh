#!/usr/bin/env bash
# Installs the built program: quorin.exe, the quorin launcher on the PATH,
# a .desktop entry with the program's icon, and quorin-cli (the release
# build, made here when scripts/build.sh has not made it).
# PREFIX (default /usr/local), APPS_DIR and ICONS_DIR pick the places;
# QUORIN_EXE and QUORIN_CLI name built files outside BUILD_DIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
exe=${QUORIN_EXE:-$build/mingw/quorin.exe}
cli=${QUORIN_CLI:-$build/release/quorin-cli}
icon_src=${QUORIN_ICON:-$build/native/generated/art/program.ico}
prefix=${PREFIX:-/usr/local}
home="$prefix/lib/quorin"
apps=${APPS_DIR:-$prefix/share/applications}
icons=${ICONS_DIR:-$prefix/share/icons/hicolor/48x48/apps}

[ -f "$exe" ] || { echo "install: no $exe; build first (scripts/build.sh)" >&2; exit 1; }
# The test build carries the sanitizers: several times slower and bigger.
if [ -z "${QUORIN_CLI:-}" ] && [ ! -x "$cli" ]; then
  BUILD_DIR=$build bash "$root/scripts/build.sh" release >&2
fi
install -d "$home" "$prefix/bin" "$apps" "$icons"
install -m 755 "$exe" "$home/quorin.exe"
installed="$prefix/bin/quorin"
if [ -x "$cli" ]; then
  install -m 755 "$cli" "$prefix/bin/quorin-cli"
  installed="$installed, $prefix/bin/quorin-cli"
fi
sed "s|@QUORIN_HOME@|$home|" "$root/scripts/install/quorin.sh" > "$prefix/bin/quorin"
chmod 755 "$prefix/bin/quorin"

# Icon 101 is drawn at 32x32 and 16x16; the desktop wants 48x48. Doubling
# the pixels first keeps the drawing sharp before the smooth step down.
icon="$icons/quorin.png"
if [ -f "$icon_src" ] && command -v convert >/dev/null; then
  convert "${icon_src}[0]" -filter point -resize 200% -filter Lanczos -resize 48x48 "$icon"
else
  echo "install: no icon ($icon_src or ImageMagick missing); the menu entry gets none" >&2
  icon=quorin
fi
sed -e "s|@QUORIN_BIN@|$prefix/bin|" -e "s|@QUORIN_ICON@|$icon|" \
  "$root/scripts/install/quorin.desktop" > "$apps/quorin.desktop"
chmod 644 "$apps/quorin.desktop"
if command -v update-desktop-database >/dev/null; then update-desktop-database "$apps" 2>/dev/null || true; fi

# The font dialog offers what fontconfig knows; without a Hebrew face the
# lessons show as boxes.
if command -v fc-list >/dev/null && [ -z "$(fc-list :lang=he family 2>/dev/null)" ]; then
  echo "install: no Hebrew typeface found; install one, for example: apt-get install culmus" >&2
fi
echo "installed: $installed, $apps/quorin.desktop"
