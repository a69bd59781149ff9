#!/usr/bin/env bash
# Packs the Windows release: out/quorin-<version>-win64.zip with quorin.exe
# (stripped), README.md and LICENSE-TEXT.md (where the text comes from and
# its terms), and out/quorin-<version>-setup.exe, an installer of the same
# three files (NSIS, scripts/installer/quorin.nsi), and
# out/quorin_<version>_amd64.deb, the Debian package (scripts/deb.sh). Brings
# the Windows tree up to date first unless QUORIN_EXE names a ready exe. OUT
# picks the folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
out=${OUT:-$root/out}
version=$(sed -n 's/.*VALUE "ProductVersion", "\([^"]*\)".*/\1/p' "$root/resources/quorin.rc")
[ -n "$version" ] || { echo "release: no ProductVersion in resources/quorin.rc" >&2; exit 1; }
file_version=$(sed -n 's/^ *FILEVERSION *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1.\2.\3.\4/p' "$root/resources/quorin.rc")
[ -n "$file_version" ] || { echo "release: no FILEVERSION in resources/quorin.rc" >&2; exit 1; }
. "$root/scripts/apt-ensure.sh"
apt_ensure nsis

exe=${QUORIN_EXE:-}
if [ -z "$exe" ]; then
  if [ -f "$build/mingw/CMakeCache.txt" ] && [ -d "$build/native/generated" ]; then
    cmake --build "$build/mingw" --target quorin -j "${JOBS:-2}" >/dev/null
  else
    bash "$root/scripts/build.sh"
  fi
  exe=$build/mingw/quorin.exe
fi
[ -f "$exe" ] || { echo "release: no $exe" >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
x86_64-w64-mingw32-strip -o "$stage/quorin.exe" "$exe"
cp "$root/README.md" "$stage/README.md"
{
  echo "# The text in Quorin: where it comes from and its terms"
  echo
  echo "Quorin $version carries the Hebrew text of the work compiled into quorin.exe."
  echo "This is the record of its sources, kept with every copy of the program."
  echo
  sed -n '/^## Where it comes from/,/^## /{/^## Where/d;/^## /d;p}' "$root/content/corpus/README.md"
} > "$stage/LICENSE-TEXT.md"
grep -q 'CC BY-SA' "$stage/LICENSE-TEXT.md" || { echo "release: the text's terms were not found" >&2; exit 1; }

mkdir -p "$out"
zip_path="$out/quorin-$version-win64.zip"
rm -f "$zip_path"
(cd "$stage" && zip -q -X -9 "$zip_path" quorin.exe README.md LICENSE-TEXT.md)
echo "release: $zip_path"

setup_path="$out/quorin-$version-setup.exe"
icon=${QUORIN_ICON:-$build/native/generated/art/program.ico}
icon_def=()
[ -f "$icon" ] && icon_def=("-DICON=$icon")
rm -f "$setup_path"
makensis -V2 -DVERSION="$version" -DFILE_VERSION="$file_version" -DSTAGE="$stage" \
  -DOUTFILE="$setup_path" "${icon_def[@]}" "$root/scripts/installer/quorin.nsi" >&2
echo "release: $setup_path"

QUORIN_EXE=$exe OUT=$out bash "$root/scripts/deb.sh"
