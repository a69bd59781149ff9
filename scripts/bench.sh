#!/usr/bin/env bash
# The reader's figures in one table: native rows from reader_bench (search,
# decoder, sizes, layout, memory), then the rows measured under Wine by the
# start-up probe (start-up against a minimal window, peak working set).
# Figures only, nothing passes or fails. Needs the native and mingw trees
# built (scripts/build.sh); BENCH_NATIVE_DIR / BENCH_MINGW_DIR override them.
#   scripts/bench.sh [runs]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${BENCH_NATIVE_DIR:-$root/build/native}
mingw=${BENCH_MINGW_DIR:-$root/build/mingw}
out=$root/build/bench
runs=${1:-5}
mkdir -p "$out"

ninja -C "$native" reader_bench >/dev/null || { echo "bench: reader_bench did not build in $native"; exit 1; }
cxx="x86_64-w64-mingw32-g++ -std=c++20 -O2 -municode -DUNICODE -D_UNICODE -static"
$cxx -mwindows -o "$out/minimal_window.exe" "$root/bench/minimal_window_win.cpp" -lgdi32 -luser32 || exit 1
$cxx -mwindows -DBENCH_TOOLBAR -o "$out/minimal_toolbar.exe" "$root/bench/minimal_window_win.cpp" -lcomctl32 -lgdi32 \
  -luser32 || exit 1
$cxx -o "$out/startup_probe.exe" "$root/bench/startup_probe_win.cpp" -lpsapi -lgdi32 -luser32 || exit 1
layout=
if [ -f "$mingw/libquorin_win.a" ]; then
  $cxx -DWIN32_LEAN_AND_MEAN -D_WIN32_WINNT=0x0601 -I"$root" -o "$out/layout_bench.exe" \
    "$root/bench/layout_bench_win.cpp" "$mingw/libquorin_win.a" -lcomctl32 -lcomdlg32 -lgdi32 -luser32 \
    -ladvapi32 -lshell32 2>/dev/null && layout=$out/layout_bench.exe
fi

cpu=$(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -1)
echo "Machine: $cpu, $(nproc) cores, $(uname -sr), $(wine --version 2>/dev/null || echo 'no wine'); $(date -u +%F)"
echo
"$native/reader_bench" "$out" || exit 1

if [ -f "$mingw/quorin.exe" ]; then
  export WINEPREFIX=$out/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  . "$root/scripts/wine-env.sh"
  # A display of the bench's own, ended with it (a socket left by a display
  # that died would otherwise pass for a live one).
  xvfb=
  if [ -z "${DISPLAY:-}" ]; then
    quorin_own_display "${BENCH_DISPLAY:-83}"
    xvfb=$quorin_xvfb
  fi
  quorin_ensure_prefix
  # Input from nowhere, and the prefix's server ended after, so no program
  # the probe started can outlive the table.
  timeout 300 wine "$out/startup_probe.exe" "$(winepath -w "$mingw/quorin.exe" 2>/dev/null)" \
    "$(winepath -w "$out/minimal_window.exe" 2>/dev/null)" "$runs" \
    "$(winepath -w "$out/minimal_toolbar.exe" 2>/dev/null)" </dev/null 2>"$out/probe.err" | cat
  [ -n "$layout" ] && timeout 120 wine "$layout" "$(winepath -w "$out/longest_lesson.bin" 2>/dev/null)" "$runs" \
    </dev/null 2>>"$out/probe.err" | cat
  wineserver -k 2>/dev/null
  if [ -n "$xvfb" ]; then kill "$xvfb"; fi
else
  echo "(no $mingw/quorin.exe: the Wine rows are left out)"
fi
