#!/usr/bin/env bash
# Installs the built program: the exe, the quorin launcher on the PATH, a
# .desktop entry with the program's icon, and quorin-cli.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
prefix=${PREFIX:-/usr/local}
home="$prefix/lib/quorin"
apps=${APPS_DIR:-/usr/share/applications}
icons=${ICONS_DIR:-/usr/share/icons/hicolor/48x48/apps}

install -d "$home" "$prefix/bin" "$apps" "$icons"
install -m 755 "$build/mingw/quorin.exe" "$home/quorin.exe"
[ -x "$build/native/quorin-cli" ] && install -m 755 "$build/native/quorin-cli" "$prefix/bin/quorin-cli"
sed "s|@QUORIN_HOME@|$home|" "$root/scripts/install/quorin.sh" > "$prefix/bin/quorin"
chmod 755 "$prefix/bin/quorin"

icon_src=$(ls "$build"/native/generated/*.ico 2>/dev/null | head -n 1 || true)
if [ -n "$icon_src" ] && command -v convert >/dev/null; then
  convert "${icon_src}[0]" -resize 48x48 "$icons/quorin.png" 2>/dev/null || true
fi
sed -e "s|@QUORIN_BIN@|$prefix/bin|" -e "s|@QUORIN_ICON@|$icons/quorin.png|" \
  "$root/scripts/install/quorin.desktop" > "$apps/quorin.desktop"
command -v update-desktop-database >/dev/null && update-desktop-database "$apps" 2>/dev/null || true
echo "installed: $prefix/bin/quorin, $apps/quorin.desktop"
