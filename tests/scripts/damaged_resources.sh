#!/usr/bin/env bash
# Damaged lesson containers as real resources under Wine: builds a small
# program from tests/hostile/damaged_resources_win.cpp, the Windows tree's
# library and a resource script of damaged containers, and runs it.
# Skipped when the Windows tree or Wine is missing.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
mingw=${DAMAGED_MINGW_DIR:-${BUILD_DIR:-$root/build}/mingw}
out=$mingw/damaged_resources
if [ ! -f "$mingw/libquorin_win.a" ] || ! command -v wine >/dev/null; then
  echo "damaged_resources: no Windows tree or no Wine, skipped"
  exit 0
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)   # Wine wants an absolute prefix

# Container 1001: five records; container 1004: a body length of 3;
# 1003: slot 0 states 0 bytes, slot 1 a record without its zero byte, slot 2
# a text the layout refuses (an empty first paragraph) with a letter after it;
# 1004 is shorter than its header.
python3 - "$out" <<'PY'
import struct, sys
out = sys.argv[1]
def record(packed, size): return struct.pack('>HH', len(packed), size) + packed
def container(body, length=None):
    return struct.pack('>H', len(body) if length is None else length) + b'\0' * 4 + body
bad_ref = b'\x02ab' + bytes([0x80 | (9 >> 5), (9 << 3) & 0xFF])     # copy from 9 back after 2 bytes
good = b'\x08\x01\x00abcdef' + b'\x02\x00\x00'
cut = struct.pack('>HH', 200, 300) + b'\x08' + b'x' * 8             # claims 200 bytes, has 9
c1001 = container(record(bad_ref, 10) + cut)
c1002 = container(record(good, 11) + b'\0' * 4, length=3)
refused = b'\x08' + b'\x01\x00\x00' + b'\x01\x00y\x00' + b'\x00'
c1003 = container(record(good, 0) + record(b'\x04\x01\x00ab', 4) + record(refused, 8) + b'\0' * 4)
c1004 = b'\x00\x10\x00'
for n, data in ((1001, c1001), (1002, c1002), (1003, c1003), (1004, c1004)):
    open('%s/res_%d.bin' % (out, n), 'wb').write(data)
with open(out + '/damaged.rc', 'w') as rc:
    rc.write('LANGUAGE 9, 1\n')
    for n in (1001, 1002, 1003, 1004):
        rc.write('%d RCDATA "res_%d.bin"\n' % (n, n))
PY
(cd "$out" && x86_64-w64-mingw32-windres damaged.rc -O coff -o damaged.res.o) || exit 1
x86_64-w64-mingw32-g++ -std=c++20 -O1 -municode -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -D_WIN32_WINNT=0x0601 \
  -I"$root" -static -o "$out/damaged_resources.exe" "$root/tests/hostile/damaged_resources_win.cpp" \
  "$out/damaged.res.o" "$mingw/libquorin_win.a" -lcomctl32 -lcomdlg32 -lgdi32 -luser32 -ladvapi32 -lshell32 \
  2>"$out/link.log" || { cat "$out/link.log"; exit 1; }
# The Windows-side tests' prefix (they clear the settings this leaves).
export WINEPREFIX=$(cd "$mingw" && pwd)/wineprefix
# A display of its own when there is none, ended with the run.
xvfb=
if [ -z "${DISPLAY:-}" ]; then
  . "$root/scripts/wine-env.sh"
  quorin_own_display "${DAMAGED_DISPLAY:-85}" 1024x768
  xvfb=$quorin_xvfb
fi
timeout 300 bash "$root/cmake/wine-run.sh" "$out/damaged_resources.exe" </dev/null 2>/dev/null | tr -d '\r'
rc=${PIPESTATUS[0]}
wineserver -k 2>/dev/null
[ -n "$xvfb" ] && kill "$xvfb"
exit "$rc"
