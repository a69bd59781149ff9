#!/usr/bin/env bash
# scripts/release.sh packs the exe, the README and the text's terms, and
# builds the Debian package (tests/scripts/debian_package.sh tries it).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe=${QUORIN_EXE:-${BUILD_DIR:-$root/build}/mingw/quorin.exe}
if [ ! -f "$exe" ]; then
  echo "release_zip: FAILED, no $exe"
  exit 1
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail=0
bad() { echo "release_zip: FAILED $*"; fail=1; }

QUORIN_EXE=$exe OUT=$tmp bash "$root/scripts/release.sh" >/dev/null || bad "release.sh failed"
zip=$tmp/quorin-1.84a-win64.zip
names=$(unzip -Z1 "$zip" 2>/dev/null | sort | tr '\n' ' ')
[ "$names" = "LICENSE-TEXT.md README.md quorin.exe " ] || bad "the zip holds '$names'"
[ "$(unzip -p "$zip" quorin.exe | head -c 2)" = MZ ] || bad "quorin.exe in the zip is not a Windows program"
unzip -p "$zip" README.md | cmp -s - "$root/README.md" || bad "README.md differs from the repository's"
terms=$(unzip -p "$zip" LICENSE-TEXT.md)
for w in "CC BY-SA 3.0" "public domain" "ToratEmetBooks" "Wikisource"; do
  grep -q "$w" <<<"$terms" || bad "LICENSE-TEXT.md does not mention $w"
done
[ -s "$tmp/quorin_1.84a_amd64.deb" ] || bad "no Debian package beside the zip"
[ $fail = 0 ] && echo "release_zip: exe, README and the text's terms packed, Debian package built"
exit $fail
