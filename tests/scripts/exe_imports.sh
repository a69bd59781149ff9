#!/usr/bin/env bash
# quorin.exe stands alone: it imports only DLLs every Windows has, and it
# carries its version (1.84a) and its application manifest. The shell and
# the common dialogs are loaded when first used, not at every start.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe=${QUORIN_EXE:-${BUILD_DIR:-$root/build}/mingw/quorin.exe}
if [ ! -f "$exe" ]; then
  echo "exe_imports: FAILED, no $exe"
  exit 1
fi
fail=0
bad() { echo "exe_imports: FAILED $*"; fail=1; }

dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$dlls" ] || bad "no import table read from $exe"
while read -r dll; do
  [ -n "$dll" ] || continue
  case "${dll,,}" in
    shell32.dll | comdlg32.dll) bad "imports $dll at start-up; it is loaded on first use" ;;
    kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | advapi32.dll | \
    ole32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll | api-ms-win-core-*.dll) ;;
    *) bad "imports $dll, which is not a system DLL" ;;
  esac
done <<<"$dlls"

# Resource strings are UTF-16; the manifest is plain UTF-8 text.
python3 - "$exe" <<'PY' || fail=1
import sys
data = open(sys.argv[1], "rb").read()
wanted = {
    "version 1.84a": "1.84a".encode("utf-16-le"),
    "product name": "Quorin".encode("utf-16-le"),
    "common controls 6": b'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"',
    "Windows 10/11 entry": b"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
    "Vista entry": b"{e2011457-1546-43c5-a5fe-008deee3d3f0}",
    "asInvoker": b'level="asInvoker"',
}
for what, needle in wanted.items():
    if needle not in data:
        print("exe_imports: FAILED the exe has no", what)
        sys.exit(1)
PY

[ $fail = 0 ] && echo "exe_imports: system DLLs only ($(echo $dlls)), version and manifest present"
exit $fail
