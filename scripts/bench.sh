#!/usr/bin/env bash
# The reader's figures in one table: native rows from reader_bench (search,
# decoder, sizes, layout, memory), export_bench (the whole-cycle EPUB), the
# terminal reader's search against grep as whole processes (hyperfine), then
# the rows measured under Wine by the start-up probe (start-up against a
# minimal window, peak working set) and the search and layout benches.
# Medians of paired runs with their spread: the machine may be shared.
# Figures only, nothing passes or fails. Needs the native and mingw trees
# built (scripts/build.sh); BENCH_NATIVE_DIR / BENCH_MINGW_DIR override them.
# The release quorin-cli is built in the release tree (build/release, as the
# installer's; BENCH_CLI_DIR overrides), or BENCH_CLI names one already built.
#   scripts/bench.sh [runs]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${BENCH_NATIVE_DIR:-$root/build/native}
mingw=${BENCH_MINGW_DIR:-$root/build/mingw}
out=$root/build/bench
runs=${1:-5}
mkdir -p "$out"

cmake --build "$native" --target reader_bench >/dev/null || { echo "bench: reader_bench did not build in $native"; exit 1; }
cli=${BENCH_CLI:-}
if [ -z "$cli" ]; then
  # Release and without the sanitizers of the test tree: the build a user runs.
  cli_tree=${BENCH_CLI_DIR:-$root/build/release}
  gen=()
  command -v ninja >/dev/null && gen=(-G Ninja)
  { cmake -S "$root" -B "$cli_tree" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release -DQUORIN_SANITIZE=OFF &&
    cmake --build "$cli_tree" --target quorin-cli; } >/dev/null ||
    { echo "bench: the release quorin-cli did not build in $cli_tree"; exit 1; }
  cli=$cli_tree/quorin-cli
fi
layout=
if [ -f "$mingw/quorin.exe" ]; then
  cmake --build "$mingw" --target minimal_window minimal_toolbar startup_probe layout_bench search_bench startup_steps track_bench learned_write_bench accessible_bench >/dev/null ||
    { echo "bench: the Wine rows' programs did not build in $mingw"; exit 1; }
  layout=$mingw/layout_bench.exe
fi

cpu=$(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -1)
echo "Machine: $cpu, $(nproc) cores, $(uname -sr), $(wine --version 2>/dev/null || echo 'no wine'); $(date -u +%F)"
echo
"$native/reader_bench" "$out" $((runs * 4 + 1)) || exit 1
if cmake --build "$native" --target export_bench >/dev/null 2>&1; then
  "$native/export_bench" "$out" "$runs" || exit 1
else
  echo "(export_bench did not build: the EPUB rows are left out)"
fi
python3 "$root/bench/whole_process.py" "$cli" "$out" "$runs" 20 || exit 1

if [ -f "$mingw/quorin.exe" ]; then
  export WINEPREFIX=$out/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  . "$root/scripts/wine-env.sh"
  # A display of the bench's own, ended with it (a socket left by a display
  # that died would otherwise pass for a live one).
  xvfb=
  if [ -z "${DISPLAY:-}" ]; then
    quorin_own_display "${BENCH_DISPLAY:-${QUORIN_DISPLAY:-83}}"
    xvfb=$quorin_xvfb
  fi
  quorin_ensure_prefix
  # Input from nowhere, and the prefix's server ended after, so no program
  # the probe started can outlive the table.
  timeout 300 wine "$mingw/startup_probe.exe" "$(winepath -w "$mingw/quorin.exe" 2>/dev/null)" \
    "$(winepath -w "$mingw/minimal_window.exe" 2>/dev/null)" "$runs" \
    "$(winepath -w "$mingw/minimal_toolbar.exe" 2>/dev/null)" </dev/null 2>"$out/probe.err" | cat
  # Where start-up goes, message by message (printed below the table).
  timeout 120 wine "$mingw/startup_steps.exe" </dev/null 2>>"$out/probe.err" >"$out/startup_steps.txt"
  timeout 120 wine "$mingw/search_bench.exe" $((runs * 4 + 1)) </dev/null 2>>"$out/probe.err" | cat
  timeout 300 wine "$mingw/track_bench.exe" $((runs * 3)) </dev/null 2>>"$out/probe.err" | cat
  [ -n "$layout" ] && timeout 120 wine "$layout" "$(winepath -w "$out/longest_lesson.bin" 2>/dev/null)" "$runs" \
    </dev/null 2>>"$out/probe.err" | cat
  timeout 120 wine "$mingw/learned_write_bench.exe" </dev/null 2>>"$out/probe.err" | cat
  timeout 120 wine "$mingw/accessible_bench.exe" </dev/null 2>>"$out/probe.err" | cat
  wineserver -k 2>/dev/null
  echo
  cat "$out/startup_steps.txt"
  if [ -n "$xvfb" ]; then kill "$xvfb"; fi
else
  echo "(no $mingw/quorin.exe: the Wine rows are left out)"
fi
